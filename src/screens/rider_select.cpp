// Rider selection: the five profile slots sliding in from alternating
// sides with their rank names, and New, Delete and Select.
#include "screens/screens_local.h"
#include "gfx/font.h"
#include "player/riders.h"
#include "player/scores.h"
#include "screens/mode_ids.h"
#include "screens/widgets.h"
#include "shell/loop.h"
#include "sound/effects.h"
#include "sound/sounds.h"

static const char NEW_LABEL[] = " New ";
static const char DELETE_LABEL[] = "Delete";
static const char SELECT_LABEL[] = "Select";
static const char UNREAD_NOTICE[] = "The riders could not be read: the file is kept as riders.dat.bad";

static bool hasSelection() { return riderName(selectedRider())[0] != 0; }

// The first name line, before the slide.
static int listTop(const ScreenMetrics& m) {
    return 3 * m.lineHeight + m.height / 6 + (m.landscape ? 0 : m.height / 16);
}

static int rowPitch(const ScreenMetrics& m) { return 2 * m.lineHeight + 6; }

// Slot i slides in from the left when even, from the right when odd.
static int slotOffset(int i) { return (i % 2 == 0 ? -4 : 4) * slideIn(); }

struct SelectButtons {
    int x, y; // of Delete, the middle one
    int newX, selectX;
    int pitch;
};

static SelectButtons buttons(const ScreenMetrics& m) {
    int last = slotOffset(RIDER_CAPACITY - 1);
    return {m.width / 2, m.height - m.height / 4, m.width / 2 + last, m.width / 2 - last, 2 * m.lineHeight};
}

static void enter() { loadStageBackground(); }

static void leave() { freeBackground(); }

static void drawSlot(const ScreenMetrics& m, int i, int y) {
    int x = m.width / 2 + slotOffset(i);
    const char* rank = rankName(rankOf(riderTotalOf(i)));
    if (i == selectedRider()) {
        drawColouredCentred(framebuffer, riderName(i), x, y, highlightColour());
        drawColouredCentred(framebuffer, rank, x, y + m.lineHeight + 1, highlightColour());
    } else {
        drawTextCentred(framebuffer, riderName(i), x, y);
        drawTextCentred(framebuffer, rank, x, y + m.lineHeight + 1);
    }
}

static Mode render(Mode self) {
    ScreenMetrics m = screenMetrics();
    drawBackground();
    drawSlidingTitle("Select Rider");
    int y = listTop(m) - slideIn() / 16;
    for (int i = 0; i < RIDER_CAPACITY; i++, y += rowPitch(m))
        if (riderName(i)[0]) drawSlot(m, i, y);
    // Small, in the sliding title's shadow: the list below is empty, not lost.
    if (ridersUnreadable())
        drawSmallText(framebuffer, UNREAD_NOTICE, (m.width - SMALL_TEXT_ADVANCE * (int)(sizeof UNREAD_NOTICE - 1)) / 2,
                      listTop(m) - 2 * m.lineHeight, highlightColour());
    SelectButtons b = buttons(m);
    textButton(framebuffer, NEW_LABEL, b.newX, b.y, profileCount() < RIDER_CAPACITY ? BUTTON_NORMAL : BUTTON_DISABLED);
    textButton(framebuffer, DELETE_LABEL, b.x, b.y + b.pitch, hasSelection() ? BUTTON_NORMAL : BUTTON_DISABLED);
    textButton(framebuffer, SELECT_LABEL, b.selectX, b.y + 2 * b.pitch, hasSelection() ? BUTTON_NORMAL : BUTTON_DISABLED);
    return self;
}

// The slot whose band holds y, -1 for none. The bands of neighbouring slots
// can overlap with a tall font: the upper one wins.
static int slotAt(const ScreenMetrics& m, int y) {
    for (int i = 0; i < RIDER_CAPACITY; i++) {
        int line = listTop(m) + i * rowPitch(m);
        if (line - m.baseline - 4 <= y && y < line + m.baseline + m.lineHeight - 4) return i;
    }
    return -1;
}

// Pressing the selected rider again goes on; pressing another picks it.
static Mode pressList(Mode self, int y) {
    ScreenMetrics m = screenMetrics();
    int i = slotAt(m, y);
    if (i < 0 || !riderName(i)[0]) return self;
    if (i == selectedRider()) return MODE_LEVEL_SELECT;
    selectRider(i);
    playSound(SOUND_MENU_CLICK);
    return self;
}

static Mode release(Mode self) {
    ScreenMetrics m = screenMetrics();
    SelectButtons b = buttons(m);
    if (profileCount() < RIDER_CAPACITY && textButton(framebuffer, NEW_LABEL, b.newX, b.y, BUTTON_HIT_TEST))
        return MODE_RIDER_EDIT;
    if (!hasSelection()) return self;
    if (textButton(framebuffer, DELETE_LABEL, b.x, b.y + b.pitch, BUTTON_HIT_TEST)) return MODE_RIDER_DELETE;
    if (textButton(framebuffer, SELECT_LABEL, b.selectX, b.y + 2 * b.pitch, BUTTON_HIT_TEST)) return MODE_LEVEL_SELECT;
    return self;
}

static Mode input(Mode self, const InputEvent& e) {
    if (escapeReleased(e)) return MODE_TITLE;
    if (e.kind == INPUT_BUTTON_DOWN && profileCount() > 0) return pressList(self, e.y);
    if (e.kind == INPUT_BUTTON_UP) return release(self);
    return self;
}

const ModeScreen riderSelectScreen = {enter, leave, nullptr, render, input, false, false};
