// The seed corpora of the fuzz targets, made from the baked data set and
// by the game's own writers, so no binary file is kept in the repository.
//   fuzz_seeds GAME_DIR OUT_DIR
// OUT_DIR/<target>/ receives a handful of small valid files of its format.
#include "game.h"
#include "gfx/image.h"
#include "platform/headless.h"
#include "player/highscores.h"
#include "player/riders.h"
#include "race/ghost.h"
#include "player/settings.h"
#include "shell/display.h"
#include "shell/keys.h"
#include "shell/loop.h"
#include "shell/modes.h"
#include "world/voxel.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <jpeglib.h>
#include <png.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

static fs::path out;

static Bytes readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

static void writeSeed(const char* target, const std::string& name, const Bytes& bytes) {
    fs::create_directories(out / target);
    std::ofstream f(out / target / name, std::ios::binary | std::ios::trunc);
    f.write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

static void copySeeds(const char* target, const fs::path& folder, std::initializer_list<const char*> names,
                      const Bytes& prefix = {}) {
    for (const char* name : names) {
        Bytes bytes = prefix;
        Bytes file = readFile(folder / name);
        if (file.empty()) {
            fprintf(stderr, "fuzz_seeds: %s missing\n", (folder / name).c_str());
            exit(1);
        }
        bytes.insert(bytes.end(), file.begin(), file.end());
        writeSeed(target, name, bytes);
    }
}

// Small pictures of a gradient: RGB rows, or grey.
static std::vector<uint8_t> gradient(int w, int h, int channels) {
    std::vector<uint8_t> px((size_t)w * h * channels);
    for (size_t i = 0; i < px.size(); i++) px[i] = (uint8_t)(i * 37);
    return px;
}

static void palettePng(const fs::path& path, bool interlaced) {
    FILE* f = fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) exit(1);
    png_init_io(png, f);
    const int w = 7, h = 5;
    png_set_IHDR(png, info, w, h, 4, PNG_COLOR_TYPE_PALETTE, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color palette[6];
    for (int i = 0; i < 6; i++) palette[i] = {(png_byte)(i * 40), (png_byte)(255 - i * 40), (png_byte)(i * 20)};
    png_set_PLTE(png, info, palette, 6);
    png_write_info(png, info);
    png_set_packing(png);
    if (interlaced) png_set_interlace_handling(png);
    png_byte pixels[h][w];
    png_bytep rows[h];
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) pixels[y][x] = (png_byte)((x + y) % 7);
        rows[y] = pixels[y];
    }
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    fclose(f);
}

static void jpegSeed(const fs::path& path, int w, int h, bool grey, bool progressive) {
    FILE* f = fopen(path.c_str(), "wb");
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = w;
    c.image_height = h;
    c.input_components = grey ? 1 : 3;
    c.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 75, TRUE);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> px = gradient(w, h, c.input_components);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = px.data() + (size_t)c.next_scanline * w * c.input_components;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    fclose(f);
}

static void pictureSeeds(const fs::path& data) {
    copySeeds("png", data, {"hudlap.png", "hudplace.png", "hudtime.png", "smallchars.png", "icons.png"});
    fs::create_directories(out / "png");
    savePng((out / "png/rgb.png").c_str(), 3, 2, false, gradient(3, 2, 3).data());
    savePng((out / "png/grey.png").c_str(), 4, 4, true, gradient(4, 4, 1).data());
    palettePng(out / "png/palette.png", false);
    palettePng(out / "png/palette-interlaced.png", true);
    fs::create_directories(out / "jpeg");
    jpegSeed(out / "jpeg/rgb.jpg", 16, 8, false, false);
    jpegSeed(out / "jpeg/grey.jpg", 9, 7, true, false);
    jpegSeed(out / "jpeg/progressive.jpg", 17, 16, false, true);
}

// Player files and a voxel model made by the game's own writers, in a
// scratch data folder.
static void writtenSeeds(const fs::path& scratch) {
    snprintf(dataFolder, sizeof dataFolder, "%s/", scratch.c_str());
    auto take = [&](const char* target, const char* file, const std::string& name) {
        writeSeed(target, name, readFile(scratch / file));
    };
    initRiders();
    saveRiders();
    take("riders", "riders.dat", "empty.dat");
    createRider("Ada", 2, 3);
    riderTable.bests[0][4] = 77;
    riderTable.bests[0][25] = 100;
    createRider("Bo", 8, 0);
    take("riders", "riders.dat", "two.dat");

    applyDefaultSettings();
    saveSettings();
    take("settings", "settings.dat", "defaults.dat");
    keyBindings[0] = KEY_SPACE;
    setOrientation(1);
    saveSettings();
    setOrientation(0);
    take("settings", "settings.dat", "turned.dat");

    loadHighScores();
    take("highscores", "Kelvarostrindamuxelor.dat", "new.dat");
    enterHighScore("Ada", 2400, 1);
    enterHighScore("Bo", 900, 2);
    take("highscores", "Kelvarostrindamuxelor.dat", "two.dat");

    RaceRider bike{};
    beginGhostRecording();
    for (int i = 0; i < 40; i++) {
        bike.x = (300 + 2 * i) << 10, bike.y = 900 << 10, bike.heading = (i * 9) << 10, bike.crashed = i > 30;
        recordGhostTick(&bike);
    }
    saveGhost(1, 3);
    take("ghost", "ghost-1-3.dat", "short.dat");

    VoxelModel* m = createVoxelModel();
    addVoxelPoint(m, 0, 0, 0, 0x7FFF);
    addVoxelPoint(m, 3, -2, 5, 0x001F);
    addVoxelPoint(m, -7, 4, -1, 0xF800);
    saveVoxelModel(m, "small.vox");
    destroyVoxelModel(&m);
    take("voxel", "small.vox", "small.vox");
}

// A short session recorded from the title screen on, as the journal
// target replays it: keys through the menus, the mouse, clicks.
static void journalSeed(const fs::path& game, const char* name, int variant) {
    headlessReset();
    platformUse(headlessBackend());
    if (gameStartup((game.string() + "/").c_str()) != 0) exit(1);
    currentMode = MODE_TITLE;
    headlessReset();
    secondMark = logicMark = renderMark = platformCounter();
    gameRunPass();
    fs::path journal = out / "journal" / name;
    fs::create_directories(out / "journal");
    journalRecord(journal.c_str());
    const int keys[] = {KEY_DOWN, KEY_UP, KEY_RETURN, KEY_DOWN, KEY_RETURN, KEY_ESCAPE, KEY_ESCAPE};
    for (int pass = 0; pass < 240 && !quitRequested; pass++) {
        if (pass % 30 == 10) {
            int key = keys[(pass / 30 + variant) % 7];
            headlessKey(key, 0, true);
            headlessKey(key, 0, false);
        }
        if (pass % 40 == 25) headlessClick(100 + 50 * variant + pass, 120 + pass / 2);
        if (pass % 17 == 3) headlessMouse(EVENT_MOUSE_MOVE, pass * 2, 480 - pass);
        headlessAdvance(logicPeriod + 11 * (pass % 7));
        gameRunPass();
    }
    journalClose();
    quitRequested = 1;
    gameShutdown();
    quitRequested = 0;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: fuzz_seeds GAME_DIR OUT_DIR\n");
        return 2;
    }
    fs::path game = argv[1];
    out = argv[2];
    fs::path data = game / "Data", sound = game / "Sound";
    fs::remove_all(out);
    pictureSeeds(data);
    // The first byte of a sound seed picks its entry of the sound table.
    copySeeds("flac", sound, {"gclick22.flac"}, {1});
    copySeeds("flac", sound, {"gclick16.flac"}, {0});
    copySeeds("flac", sound, {"bump.flac"}, {7});
    copySeeds("voxel", data, {"flag.vox"});
    copySeeds("layout", data, {"level0.lvl", "level7.lvl", "level100.lvl", "level200.lvl"});
    copySeeds("description", data, {"level0.txt", "level7.txt", "level100.txt", "level200.txt"});

    fs::path scratch = out / "scratch";
    fs::create_directories(scratch / "Data");
    fs::create_directories(scratch / "Sound");
    writtenSeeds(scratch / "Data");
    // The journals play on the baked data in a game folder of their own;
    // a player's files in the data folder (the game was played from it) are
    // not theirs: the seeds' own copies stand in.
    for (const fs::directory_entry& e : fs::directory_iterator(data))
        if (!fs::exists(scratch / "Data" / e.path().filename()))
            fs::create_symlink(e.path(), scratch / "Data" / e.path().filename());
    for (const fs::directory_entry& e : fs::directory_iterator(sound))
        fs::create_symlink(e.path(), scratch / "Sound" / e.path().filename());
    for (const char* f : {"riders.dat", "settings.dat", "Kelvarostrindamuxelor.dat", "small.vox", "ghost-1-3.dat"})
        fs::remove(scratch / "Data" / f);
    journalSeed(scratch, "menus.journal", 0);
    journalSeed(scratch, "clicks.journal", 3);
    fs::remove_all(scratch);
    return 0;
}
