// The level being edited: opening and closing it, the rules for saving it,
// the board's geometry and the level check of the layout as drawn.
#include "editor/editor_local.h"
#include "shell/display.h"
#include "shell/loop.h"
#include "world/description.h"
#include "world/track.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <sys/stat.h>

Editor editor;

static bool layoutFileExists(int level) {
    char path[300];
    snprintf(path, sizeof path, "%slevel%d.lvl", dataFolder, level);
    struct stat st;
    return stat(path, &st) == 0;
}

void setNotice(bool error, const char* format, ...) {
    char text[200];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    editor.notice = text;
    editor.noticeIsError = error;
}

void openEditorLevel(int level) {
    currentLevel = level;
    editor.layout = createLayout();
    resetLevelSwitches();
    readLevelDescription(level);
    // A missing file is a new level; a damaged one is shown empty and kept
    // on disk until the level maker draws something in its place.
    editor.loadFailed = !loadLayout(editor.layout, level) && layoutFileExists(level);
    editor.drawing = editor.placingStart = editor.edited = editor.leaveUnsaved = false;
    editor.dragged = {-1, -1};
    editor.notice.clear();
    if (editor.loadFailed)
        setNotice(true, "level%d.lvl cannot be read: it is kept as it is unless you draw a new layout", level);
    releaseTrack(&track);
    loadTrackPictures(&track, level);
    makeBoard();
    prepareLevelCheck(&editor.checkBase, level);
    editor.checkDue = true;
}

void closeEditorLevel() {
    destroySurface(&editor.board);
    releaseTrack(&track);
    destroyLayout(&editor.layout);
    releaseLevelCheck(&editor.checkBase);
    editor.problems.clear();
}

bool saveEditorLayout() {
    if (!editor.layout || !editor.edited) return true;
    if (saveLayout(editor.layout, currentLevel)) {
        editor.edited = editor.loadFailed = editor.leaveUnsaved = false;
        setNotice(false, "Saved level%d.lvl", currentLevel);
        return true;
    }
    setNotice(true, "Unable to save level description: level%d.lvl is as it was", currentLevel);
    return false;
}

void changeEditorLevel(int level) {
    if (!saveEditorLayout()) return;
    closeEditorLevel();
    openEditorLevel(level);
}

void markEdited() {
    editor.edited = true;
    editor.leaveUnsaved = false; // new work: a failed save warns again
    editor.checkDue = true;
}

void runDueCheck() {
    if (!editor.checkDue || !editor.layout) return;
    editor.checkDue = false;
    editor.problems = editor.checkBase.problems;
    checkLayout(&editor.checkBase, editor.layout, &editor.problems);
}

int boardLeft() { return displayGeometry.logicalWidth / 2 - BOARD_SIZE / 2; }
int boardTop() { return displayGeometry.logicalHeight / 2 - BOARD_SIZE / 2; }

Point layoutPointAt(int screenX, int screenY) { return {screenX - boardLeft(), screenY - boardTop()}; }

bool onBoard(Point p) {
    int low = -BOARD_MARGIN, high = LAYOUT_LAST + BOARD_MARGIN;
    return p.x >= low && p.x <= high && p.y >= low && p.y <= high;
}

// Stored coordinates are read back as unsigned 16-bit values: a vertex at
// -3 would come back as 65533.
Point storedPoint(Point p) { return {std::clamp(p.x, 0, LAYOUT_LAST), std::clamp(p.y, 0, LAYOUT_LAST)}; }

Point storedStart(Point p) { return {std::clamp(p.x, 1, LAYOUT_LAST), std::clamp(p.y, 0, LAYOUT_LAST)}; }
