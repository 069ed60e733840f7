// The level editor through the real loop on the baked data set: a level
// maker's sessions with the pointer, the buttons and the keys, and the
// files they leave behind.
#include "screens/menu_fixture.h"
#include "editor/editor_local.h"
#include "game.h"
#include "world/level_check.h"
#include "world/track.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>

static bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }

namespace {

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void put32(std::vector<uint8_t>& out, int32_t v) {
    for (int i = 0; i < 4; i++) out.push_back((uint8_t)((uint32_t)v >> (8 * i)));
}

bool contains(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

class EditorGame : public MenuGame {
protected:
    void open(int level) {
        currentLevel = level;
        goTo(MODE_EDITOR, 3);
        ASSERT_EQ(currentMode, MODE_EDITOR);
    }
    // Screen points of layout points: the board is centred.
    int sx(int x) const { return x + W() / 2 - 256; }
    int sy(int y) const { return y + H() / 2 - 256; }

public:
    void clickBoard(int x, int y) { click(sx(x), sy(y)); }
    void drag(int x0, int y0, int x1, int y1) {
        press(sx(x0), sy(y0));
        move(sx((x0 + x1) / 2), sy((y0 + y1) / 2), 1);
        move(sx(x1), sy(y1), 1);
        release(sx(x1), sy(y1));
    }
    // Buttons stand `lines` font lines below the first, centred half their
    // text's width right of x = 10.
    int buttonX(const char* text) const { return textWidth(text, 0) / 2 + 10; }
    int buttonY(int lines) const { return 20 + lines * L(); }
    void button(const char* text, int lines) { click(buttonX(text), buttonY(lines)); }
    void startPoly() { button("Start Poly", 0); }
    void endPoly() { button("End Poly", 0); }
    void deleteButton() { button("Delete", 4); }
    void nextLevel() { button("Next Lvl", 8); }
    void previousLevel() { button("Prev Lvl", 10); }
    void maskButton() { button(editor.layout->masked ? "Masked" : "Unmasked", 14); }
    void modeButton() { button("Mode", 16); }
    void show() { button("Show", 18); }

protected:
    const Polygon* keepout(int k) const { return editor.layout->keepouts[k]; }
    static std::vector<Point> vertices(const Polygon* p) { return std::vector<Point>(p->vertices, p->vertices + p->count); }
    std::string layoutFile(int level) const { return dir.data(("level" + std::to_string(level) + ".lvl").c_str()); }
};

// One session on a level that does not exist yet: a keep-out drawn with
// clicks, its vertices dragged, split and dragged off, a press on a button
// that lies over the board, the kinds switched round, the start point
// placed and turned, the mask toggled and previewed, the terrain overview,
// and Escape writing exactly what was drawn.
TEST_F(EditorGame, ALevelMakerDrawsAKeepoutAndTheSavedFileHoldsIt) {
    open(150);
    keepFrame("editor_new_level.png");
    EXPECT_EQ(editor.layout->keepoutCount, 0);

    startPoly();
    for (Point p : {Point{100, 100}, Point{200, 100}, Point{200, 200}, Point{100, 200}}) clickBoard(p.x, p.y);
    endPoly();
    EXPECT_FALSE(editor.drawing) << "End Poly ends the polygon";
    ASSERT_EQ(editor.layout->keepoutCount, 1) << "and starts no other";
    EXPECT_EQ(keepout(0)->count, 4);
    keepFrame("editor_keepout.png");
    int strayBits = 0; // bit 5 is clear in every colour, or the window shows another one
    for (uint16_t pixel : headlessLastFrame()) strayBits += (pixel >> 5) & 1;
    EXPECT_EQ(strayBits, 0);

    drag(200, 100, 250, 80);
    clickBoard(152, 203); // near the midpoint of the edge (200, 200)-(100, 200)
    clickBoard(100, 100); // a vertex picked up and put down where it was
    EXPECT_EQ(vertices(keepout(0)),
              (std::vector<Point>{{100, 100}, {250, 80}, {200, 200}, {150, 200}, {100, 200}}));
    drag(100, 100, -3, 50);
    EXPECT_TRUE(keepout(0)->vertices[0] == (Point{0, 50})) << "stored points stay within 0..511";
    // Released off the board over "Delete": the vertex goes, the polygon stays.
    press(sx(0), sy(50));
    move(buttonX("Delete"), buttonY(4), 1);
    release(buttonX("Delete"), buttonY(4));
    ASSERT_EQ(editor.layout->keepoutCount, 1);
    EXPECT_EQ(vertices(keepout(0)), (std::vector<Point>{{250, 80}, {200, 200}, {150, 200}, {100, 200}}));

    // "End Poly" reaches over the board's left edge: its press is no vertex.
    startPoly();
    ASSERT_GT(buttonX("End Poly") + textWidth("End Poly", 0) / 2, sx(0));
    click(sx(4), buttonY(0));
    EXPECT_FALSE(editor.drawing);
    ASSERT_EQ(editor.layout->keepoutCount, 2);
    EXPECT_EQ(keepout(1)->count, 0);
    deleteButton();
    EXPECT_EQ(editor.layout->keepoutCount, 1);

    const int kinds[] = {KIND_CHECKPOINT, KIND_RACE_PATH, KIND_START_POINT};
    for (int kind : kinds) {
        modeButton();
        EXPECT_EQ(editor.layout->currentKind, kind);
    }
    clickBoard(-5, 350); // below the buttons
    EXPECT_EQ(editor.layout->startX, 1) << "x 0 would mean no start point";
    press(sx(300), sy(300));
    move(sx(200), sy(320), 2);
    release(sx(200), sy(320));
    EXPECT_EQ(editor.layout->startX, 300);
    EXPECT_EQ(editor.layout->startY, 300);
    EXPECT_EQ(editor.layout->startDirection, 200) << "turned to the pointer's column";
    keepFrame("editor_start_point.png");
    modeButton();
    EXPECT_EQ(editor.layout->currentKind, KIND_KEEPOUT) << "Start Point wraps to Keepout";
    EXPECT_EQ(editor.layout->current, -1);

    maskButton();
    EXPECT_EQ(editor.layout->masked, 0);
    Color inside = framePixel(sx(180), sy(150));
    press(buttonX("Preview"), buttonY(12));
    runPasses(2);
    keepFrame("editor_preview.png");
    EXPECT_EQ(framePixel(sx(180), sy(150)), packColor(31, 0, 0)) << "the keep-out shows red";
    EXPECT_EQ(framePixel(sx(400), sy(400)), getPixel(editor.board, 400, 400)) << "the rest is the bare board";
    release(buttonX("Preview"), buttonY(12));
    EXPECT_EQ(framePixel(sx(180), sy(150)), inside);

    show();
    ASSERT_EQ(currentMode, MODE_EDITOR_OVERVIEW) << "Show saves and shows the terrain";
    keepFrame("editor_overview.png");
    click(320, 240, 3);
    ASSERT_EQ(currentMode, MODE_EDITOR);
    EXPECT_EQ(editor.layout->keepoutCount, 1) << "read back from the file";
    key(KEY_ESCAPE);
    ASSERT_EQ(currentMode, MODE_TITLE);

    std::vector<uint8_t> expected;
    for (int32_t v : {1, 0, 0, 300, 300, 200, 0, 4}) put32(expected, v);
    for (int v : {250, 80, 200, 200, 150, 200, 100, 200}) {
        expected.push_back((uint8_t)v);
        expected.push_back((uint8_t)(v >> 8));
    }
    EXPECT_EQ(fileBytes(layoutFile(150)), expected);
}

// Up, Down, Next Lvl and Prev Lvl walk the levels; none of the walk writes
// a file that was not edited, so a damaged layout stays as it was until
// something is drawn in its place.
TEST_F(EditorGame, ChangingLevelKeepsUneditedFilesAsTheyWere) {
    std::vector<uint8_t> damaged = fileBytes(layoutFile(2));
    damaged[0] = 25; // more keep-outs than a layout holds
    std::ofstream(layoutFile(2), std::ios::binary).write((const char*)damaged.data(), (std::streamsize)damaged.size());
    const int visited[] = {0, 1, 3, 103, 203};
    std::vector<std::vector<uint8_t>> sound;
    for (int level : visited) sound.push_back(fileBytes(layoutFile(level)));

    open(0);
    const struct {
        int key; // or 0 for the button
        void (EditorGame::*button)();
        int level; // after the step
    } steps[] = {
        {KEY_DOWN, nullptr, 0}, {KEY_UP, nullptr, 1}, {KEY_UP, nullptr, 2},
        {KEY_UP, nullptr, 3},   {0, &EditorGame::nextLevel, 103}, {0, &EditorGame::nextLevel, 203},
        {0, &EditorGame::nextLevel, 203}, {0, &EditorGame::previousLevel, 103},
        {0, &EditorGame::previousLevel, 3}, {0, &EditorGame::previousLevel, 3}, {KEY_DOWN, nullptr, 2},
    };
    for (const auto& step : steps) {
        if (step.key) key(step.key);
        else (this->*step.button)();
        ASSERT_EQ(currentLevel, step.level);
    }
    for (size_t i = 0; i < std::size(visited); i++) EXPECT_EQ(fileBytes(layoutFile(visited[i])), sound[i]);
    EXPECT_EQ(fileBytes(layoutFile(2)), damaged);
    keepFrame("editor_damaged_layout.png");
    EXPECT_NE(editor.notice.find("level2.lvl cannot be read"), std::string::npos) << editor.notice;

    startPoly();
    for (Point p : {Point{50, 50}, Point{90, 50}, Point{70, 90}}) clickBoard(p.x, p.y);
    endPoly();
    key(KEY_UP);
    ASSERT_EQ(currentLevel, 3);
    LevelLayout* reread = createLayout();
    ASSERT_TRUE(loadLayout(reread, 2)) << "drawing over a damaged layout replaces it";
    EXPECT_EQ(reread->keepoutCount, 1);
    destroyLayout(&reread);
}

// A twenty-first keep-out is refused, and says so; as before, the drawing
// that follows goes to the polygon that was current, or nowhere.
TEST_F(EditorGame, TheTwentyFirstKeepoutIsRefused) {
    LevelLayout* full = createLayout();
    full->masked = 0;
    for (int k = 0; k < MAX_KEEPOUTS; k++) {
        full->current = -1;
        newPolygon(full);
        for (Point p : {Point{20 * k + 5, 20}, Point{20 * k + 15, 20}, Point{20 * k + 10, 30}})
            appendVertex(full->keepouts[k], p.x, p.y);
    }
    ASSERT_TRUE(saveLayout(full, 151));
    destroyLayout(&full);

    open(151);
    startPoly();
    EXPECT_TRUE(editor.drawing);
    EXPECT_EQ(editor.layout->keepoutCount, MAX_KEEPOUTS);
    EXPECT_NE(editor.notice.find("no more than 20 keep-out polygons"), std::string::npos) << editor.notice;
    clickBoard(300, 300);
    endPoly();
    clickBoard(5, 20); // picks polygon 0
    startPoly();
    clickBoard(300, 300);
    endPoly();
    EXPECT_EQ(editor.layout->keepoutCount, MAX_KEEPOUTS);
    EXPECT_EQ(keepout(0)->count, 4);
    for (int k = 1; k < MAX_KEEPOUTS; k++) EXPECT_EQ(keepout(k)->count, 3);
}

// When the layout cannot be written, the old file stays, the screen says
// so and the editor stays on the level; a second Escape leaves unsaved.
TEST_F(EditorGame, AFailedSaveKeepsTheOldFileAndSaysSo) {
    std::vector<uint8_t> before = fileBytes(layoutFile(4));
    open(4);
    for (int i = 0; i < 3; i++) modeButton();
    clickBoard(250, 250);
    // The temporary file's place is taken and the folder is read-only, so
    // the write fails even for root.
    std::filesystem::create_directory(layoutFile(4) + ".tmp");
    chmod(dir.data("").c_str(), 0555);
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_EDITOR);
    EXPECT_NE(editor.notice.find("Unable to save level description"), std::string::npos) << editor.notice;
    keepFrame("editor_save_failed.png");
    bool redNotice = false;
    for (int x = 4; x < 200 && !redNotice; x++)
        for (int y = H() - 60; y < H(); y++) redNotice |= framePixel(x, y) == packColor(31, 8, 8);
    EXPECT_TRUE(redNotice) << "the failure is on the screen";
    key(KEY_UP);
    EXPECT_EQ(currentLevel, 4) << "the edits are not dropped for another level";
    key(KEY_ESCAPE);
    EXPECT_EQ(currentMode, MODE_TITLE);
    chmod(dir.data("").c_str(), 0755);
    EXPECT_EQ(fileBytes(layoutFile(4)), before);
}

// The level check runs on the layout as it is drawn: a baked level checks
// out, loses its start point, is mended, and the tool agrees with the
// editor on the saved file.
TEST_F(EditorGame, TheCheckFollowsTheEditsAndAgreesWithTheTool) {
    open(0);
    EXPECT_EQ(editor.problems, std::vector<std::string>());
    keepFrame("editor_checks_out.png");
    Point start = {editor.layout->startX, editor.layout->startY};
    int direction = editor.layout->startDirection;
    ASSERT_GE(direction, 0);
    ASSERT_LT(direction, 360);

    for (int i = 0; i < 3; i++) modeButton();
    deleteButton();
    EXPECT_TRUE(contains(editor.problems, "the level has no start point")) << ::testing::PrintToString(editor.problems);
    keepFrame("editor_check_broken.png");
    std::vector<std::string> shown = editor.problems;
    key(KEY_ESCAPE);
    std::vector<std::string> tool;
    EXPECT_FALSE(checkLevel(0, &tool));
    EXPECT_EQ(tool, shown) << "one check for the tool and the editor";

    open(0);
    for (int i = 0; i < 3; i++) modeButton();
    press(sx(start.x), sy(start.y));
    move(sx(direction), sy(start.y), 2);
    release(sx(direction), sy(start.y));
    EXPECT_EQ(editor.layout->startDirection, direction);
    EXPECT_EQ(editor.problems, std::vector<std::string>()) << "mended";
    keepFrame("editor_check_mended.png");
}

// The highest ground, plus the shading's noise, stays within the colour
// curve: the board is the brightest grey there.
TEST(EditorBoard, TheHighestGroundIsTheBrightestGrey) {
    Track saved = track;
    track = {0, 0, WORLD_SIZE, WORLD_SIZE, nullptr, nullptr, createSurface(HEIGHT_MODEL_SIZE, HEIGHT_MODEL_SIZE)};
    fillSurface(track.heightModel, 255);
    makeBoard();
    Color brightest = blendColors(0, packCorrected(31, 31, 31), 32);
    int others = 0;
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 1; x < BOARD_SIZE; x++) others += getPixel(editor.board, x, y) != brightest; // x 0 reads no height
    EXPECT_EQ(others, 0);
    destroySurface(&editor.board);
    releaseTrack(&track);
    track = saved;
}

// --editor opens the editor at its level, or at level 0.
TEST(EditorStart, TheCommandLineLevelOrLevelZero) {
    GameDir dir;
    ASSERT_TRUE(dir.copyBakedData());
    for (int level : {104, NO_FIRST_LEVEL}) {
        headlessReset();
        platformUse(headlessBackend());
        ASSERT_EQ(gameStartup(dir.base().c_str(), MODE_EDITOR, level), 0);
        runPasses(2);
        EXPECT_EQ(currentMode, MODE_EDITOR);
        EXPECT_EQ(currentLevel, level < 0 ? 0 : level);
        stopHeadlessGame();
    }
}

} // namespace
