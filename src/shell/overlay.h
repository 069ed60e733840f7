// Debug overlay state: hidden at start, toggled by the corner gesture.
// Its panels slide in from the screen edges.
#pragma once

extern int overlayHidden;          // 1 = hidden
extern int logPanelX, logPanelY, logPanelMotion;
extern int counterPanelX, counterPanelMotion;
extern int menuPanelX, menuPanelY, menuPanelMotion;

// Put every panel in its retracting state at the current screen edges.
void retractOverlayPanels();
// An error line was logged: bring the log panel down unless it is already.
void overlayShowLogForError();
// The corner gesture: show or hide the overlay, panels retracting.
void toggleOverlay();
// Draws the shown panels over the frame.
void drawOverlay();
