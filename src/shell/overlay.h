// The debug overlay: hidden at start, toggled by the corner gesture. Three
// panels slide in from the screen edges: the log with a scroll bar, the
// counters of the last second, and a menu of three buttons.
#pragma once
#include "shell/modes.h"

extern int overlayHidden; // 1 = hidden
extern int logPanelX, logPanelY, logPanelMotion, logScroll;
extern int counterPanelX, counterPanelMotion;
extern int menuPanelX, menuPanelY, menuPanelMotion;

enum PanelMotion {
    PANEL_STILL = 0,
    PANEL_RETRACTING = 1,
    LOG_PANEL_DROPPING = 2,
    LOG_PANEL_TO_30 = 3,
    COUNTER_PANEL_SHOWING = 2,
    MENU_PANEL_RISING = 2,
    MENU_PANEL_CLOSING = 3,
    MENU_PANEL_BEGIN = 4,
    MENU_PANEL_SUSPENDING = 5,
};

// Put every panel in its retracting state at the current screen edges.
void retractOverlayPanels();
// When an error line was logged since the last call, brings the log panel
// down (unless it is already) and hides the overlay.
void noticeLoggedErrors();
// The corner gesture: show or hide the overlay, panels retracting.
void toggleOverlay();
// Draws the panels over the frame and moves them one frame on.
void drawOverlay();
// Left-button and pointer-move events while the overlay is shown; true
// when the overlay used the event.
bool overlayInput(InputKind kind);
