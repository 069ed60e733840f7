#include "shell/loop.h"
#include "gfx/image.h"
#include "platform/platform.h"
#include "shell/display.h"
#include "shell/input.h"
#include "shell/log.h"
#include "shell/modes.h"
#include "shell/pad.h"
#include "shell/random.h"
#include "sound/mixer.h"

#include <cstdio>

char baseFolder[256];
char dataFolder[256];
char soundFolder[256];
int appActive;
int quitRequested;
Surface* framebuffer;
Surface* smallChars;

int64_t tickFrequency, oneSecond, logicPeriod, renderPeriod;
int64_t secondMark, logicMark, renderMark;
int stepsThisSecond, framesThisSecond;
int stepsLastSecond, framesLastSecond;

void loadSmallChars() { loadPicture("smallchars.png", &smallChars); }

void setAppActive(int active) {
    appActive = active;
    setMixerActive(active != 0);
}

static void openSound() {
    if (!soundOutputOpen()) {
        if (openSoundOutput()) {
            startSoundOutput();
        } else {
            logAt(1, "[ERROR] Sound Init Failed.\n", LOG_TAG_ERROR);
        }
    }
    logAt(1, "Timing Scheme\n", 0);
}

static void logDisplaySpecifics() {
    const DisplayGeometry& d = displayGeometry;
    logAt(1, "Allocating Memory:\n", 0);
    logAt(1, "  Sound\n", 0);
    logAt(1, "Display Specifics\n", 0);
    logf(1, 0, "  width,height: %dx%d\n", d.logicalWidth, d.logicalHeight);
    logf(1, 0, "  xspan,yspan : %dx%d\n", d.xSpan, d.ySpan);
    logAt(1, d.landscape ? "  orientation : Landscape\n" : "  orientation : Portait\n", 0);
    logAt(1, d.memoryVertical ? "  memory      : Vertical\n" : "  memory      : Horizontal\n", 0);
    logf(1, 0, "  bits/pixel  : %d\n", 16);
    logf(1, 0, "  fullscreen  : %d\n", d.fullScreenField);
    logf(1, 0, "  format      : %d\n", d.format);
    logAt(1, "Program State\n", 0);
}

int startShell(const char* base) {
    snprintf(baseFolder, sizeof baseFolder, "%s", base);
    quitRequested = 0;
    resetInput();
    if (!createGameWindow()) {
        platformMessageBox("Unable to create window.", "Critical");
        return 1;
    }
    setColorCurve(128);
    resetDisplayGeometry();
    snprintf(dataFolder, sizeof dataFolder, "%.240sData/", baseFolder);
    snprintf(soundFolder, sizeof soundFolder, "%.240sSound/", baseFolder);
    setOrientation(0); // the settings are not read yet
    fillSurface(framebuffer, 0);
    pumpMessages();
    openSound();

    tickFrequency = platformCounterFrequency();
    if (tickFrequency <= 0) return -1;
    oneSecond = tickFrequency * 1000 / 1000;
    logicPeriod = oneSecond / LOGIC_STEPS_PER_SECOND;
    renderPeriod = oneSecond / LOGIC_STEPS_PER_SECOND;
    secondMark = logicMark = renderMark = platformCounter();
    stepsThisSecond = framesThisSecond = stepsLastSecond = framesLastSecond = 0;
    buildBasicColours();
    seedRandom(platformSeed());

    logDisplaySpecifics();
    loadWindowIcon();
    loadSmallChars();
    return 0;
}

// Whole seconds at once: a jump of days is one step, not a loop per second.
static void countSeconds(int64_t now) {
    int64_t gap = counterSince(now, secondMark);
    if (gap <= oneSecond) return;
    int64_t seconds = gap / oneSecond;
    if (seconds * oneSecond == gap) seconds--; // a gap of exactly n seconds is n - 1 of them, as before
    secondMark = counterLater(secondMark, (int64_t)((uint64_t)seconds * (uint64_t)oneSecond));
    framesLastSecond = seconds == 1 ? framesThisSecond : 0;
    stepsLastSecond = seconds == 1 ? stepsThisSecond : 0;
    framesThisSecond = 0;
    stepsThisSecond = 0;
}

const int IDLE_SLEEP_MS = 1;

// Up to four fixed steps; a mode change stops them at once. Returns how
// many ran.
static int runLogicSteps(int64_t now, Mode passMode) {
    if (counterSince(now, logicMark) <= logicPeriod) return 0;
    int steps = 0;
    while (steps < MAX_STEPS_PER_PASS) {
        padStep(); // the stick acts at the steps' steady rate
        if (currentMode != passMode) break;
        currentMode = updateMode(currentMode);
        stepsThisSecond++;
        steps++;
        if (currentMode != passMode) break;
        logicMark = counterLater(logicMark, logicPeriod);
        if (counterSince(now, logicMark) <= logicPeriod) break;
    }
    if (steps == MAX_STEPS_PER_PASS) logicMark = platformCounter(); // drop the backlog
    return steps;
}

static bool renderIfDue(int64_t now, Mode passMode) {
    if (currentMode != passMode || counterSince(now, renderMark) <= renderPeriod) return false;
    currentMode = renderFrame(currentMode);
    renderMark = counterLater(renderMark, renderPeriod);
    if (counterSince(now, renderMark) > renderPeriod) renderMark = platformCounter();
    return true;
}

bool gameRunPass() {
    int64_t now = platformCounter();
    countSeconds(now);
    bool rendered = false;
    bool busy = false;
    if (appActive) {
        if (currentMode != previousMode) {
            logf(1, 0, "Mode %d --> %d\n", previousMode, currentMode);
            leaveMode(previousMode);
            enterMode(currentMode);
        }
        previousMode = currentMode;
        Mode passMode = currentMode;
        busy = runLogicSteps(now, passMode) > 0;
        rendered = renderIfDue(now, passMode);
        busy = busy || rendered;
    }
    bool presented = false;
    if (!platformHasFocus()) {
        setAppActive(0);
        if (platformHasFocus()) setAppActive(1);
    } else if (appActive) {
        if (rendered) {
            presentFrame(framebuffer);
            framesThisSecond++;
            presented = true;
        }
    } else {
        setAppActive(1);
    }
    pumpMessages();
    if (!appActive)
        platformSleep(INACTIVE_SLEEP_MS);
    else if (!busy)
        platformSleep(IDLE_SLEEP_MS); // nothing was due: give the core back
    return presented;
}

void stopShell() {
    closeSoundOutput();
    destroySurface(&smallChars);
    destroySurface(&framebuffer);
    destroyGameWindow();
}
