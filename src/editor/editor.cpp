// The editor's two screens: the layout editor and the terrain overview.
#include "editor/editor.h"
#include "editor/editor_local.h"
#include "gfx/surface.h"
#include "screens/mode_ids.h"
#include "shell/input.h"
#include "shell/loop.h"
#include "world/scene.h"
#include "world/track.h"

static void enter() { openEditorLevel(currentLevel); }

// Leaving by closing the window saves an edited layout too.
static void leave() {
    saveEditorLayout();
    closeEditorLevel();
}

static Mode update(Mode self) {
    runDueCheck();
    return self;
}

static Mode render(Mode self) {
    drawEditor();
    return self;
}

const ModeScreen editorScreen = {enter, leave, update, render, editorInput, false, false};

// ---- the terrain overview ----

static void enterOverview() {
    releaseTrack(&track);
    loadTrackPictures(&track, currentLevel);
}

static void leaveOverview() { releaseTrack(&track); }

static Mode renderOverview(Mode self) {
    Point p = storedPoint(layoutPointAt(mouseX, mouseY));
    setCamera(&track, framebuffer, 4 * p.x, 4 * p.y, 0);
    drawScene(&track, framebuffer, nullptr, 0);
    return self;
}

static Mode overviewInput(Mode self, const InputEvent& e) { return e.kind == INPUT_BUTTON_UP ? MODE_EDITOR : self; }

const ModeScreen editorOverviewScreen = {enterOverview, leaveOverview, nullptr, renderOverview, overviewInput, false, false};
