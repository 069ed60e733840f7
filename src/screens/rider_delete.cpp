// The delete confirmation: the selected rider's name and Yes or No.
#include "screens/screens_local.h"
#include "player/riders.h"
#include "screens/mode_ids.h"
#include "screens/widgets.h"
#include "shell/loop.h"

static void enter() { loadStageBackground(); }

static void leave() { freeBackground(); }

static int yesY(const ScreenMetrics& m) { return m.height - m.height / 4 - 2 * m.lineHeight; }
static int noY(const ScreenMetrics& m) { return m.height - m.height / 4; }

static Mode render(Mode self) {
    ScreenMetrics m = screenMetrics();
    drawBackground();
    drawSlidingTitle("Delete Rider?");
    int index = selectedRider();
    if (index >= 0) {
        int slide = (index % 2 == 1 ? -4 : 4) * slideIn();
        int y = index * (m.lineHeight + 5) + m.height / 2 - m.height / 8;
        drawColouredCentred(framebuffer, riderName(index), m.width / 2 + slide, y, highlightColour());
    }
    textButton(framebuffer, "Yes", m.width / 2, yesY(m), BUTTON_NORMAL);
    textButton(framebuffer, "No", m.width / 2, noY(m), BUTTON_NORMAL);
    return self;
}

static Mode input(Mode self, const InputEvent& e) {
    if (escapeReleased(e)) return MODE_TITLE;
    if (e.kind != INPUT_BUTTON_UP) return self;
    ScreenMetrics m = screenMetrics();
    if (textButton(framebuffer, "Yes", m.width / 2, yesY(m), BUTTON_HIT_TEST)) {
        deleteSelectedRider();
        return profileCount() == 0 ? MODE_RIDER_EDIT : MODE_RIDER_SELECT;
    }
    if (textButton(framebuffer, "No", m.width / 2, noY(m), BUTTON_HIT_TEST)) return MODE_RIDER_SELECT;
    return self;
}

const ModeScreen riderDeleteScreen = {enter, leave, nullptr, render, input, false, false};
