#include "shell/overlay.h"
#include "shell/display.h"

const int LOG_PANEL_DROPPING = 2;
const int LOG_PANEL_TO_30 = 3;
const int PANEL_RETRACTING = 1;

int overlayHidden = 1;
int logPanelX, logPanelY, logPanelMotion = PANEL_RETRACTING;
int counterPanelX = 239, counterPanelMotion = PANEL_RETRACTING;
int menuPanelX, menuPanelY = 200, menuPanelMotion = PANEL_RETRACTING;

void retractOverlayPanels() {
    logPanelX = 0;
    logPanelY = 0;
    logPanelMotion = PANEL_RETRACTING;
    counterPanelX = displayGeometry.logicalWidth - 1;
    counterPanelMotion = PANEL_RETRACTING;
    menuPanelY = displayGeometry.logicalHeight - 1;
    menuPanelMotion = PANEL_RETRACTING;
}

void overlayShowLogForError() {
    if (logPanelMotion != LOG_PANEL_DROPPING && logPanelY < 20) logPanelMotion = LOG_PANEL_TO_30;
    overlayHidden = 1;
}

void toggleOverlay() {
    overlayHidden = !overlayHidden;
    logPanelMotion = PANEL_RETRACTING;
    counterPanelMotion = PANEL_RETRACTING;
    menuPanelMotion = PANEL_RETRACTING;
}

void drawOverlay() {}
