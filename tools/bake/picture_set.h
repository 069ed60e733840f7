// The menu and screen pictures of the data set, and the places inside them
// that the screens copy from or hit-test.
#pragma once
#include "bake/bake.h"

// "titleBack.jpg": square, so that drawn centred it fills the screen in
// both landscape (640 x 480) and portrait (480 x 640); what matters stays
// inside the middle 480 x 480.
const int TITLE_BACK_SIZE = 640;

// "titleMenu.png": seven rows of MENU_ROW_HEIGHT from row 3; the screen
// reads green as brightness and blue as opacity (0 = skipped).
const int MENU_ROWS = 7;
const int MENU_ROW_HEIGHT = 34;
const int MENU_WIDTH = 236;
const int MENU_HEIGHT = MENU_ROWS * MENU_ROW_HEIGHT + 5;
const int MENU_TOP = 3;
extern const char* const MENU_LABELS[MENU_ROWS];

// "backvqz.png": the logo of the intro and the level loading screen.
const int LOGO_WIDTH = 448;
const int LOGO_HEIGHT = 196;
// "backvqz2.png": the tile of the drifting background.
const int TILE_SIZE = 256;

// "optionsWin.png": the window shows rows 0 .. OPTIONS_HEIGHT - 54; below
// lie the slider knob and the two pressed button plates.
const int OPTIONS_WIDTH = 218;
const int OPTIONS_HEIGHT = 244;
const int KNOB_WIDTH = 9, KNOB_HEIGHT = 17;
const int KNOB_X = 195, KNOB_Y = OPTIONS_HEIGHT - 46;
const int PLATE_HEIGHT = 21;
const int CONFIG_PLATE_X = 17, CONFIG_PLATE_WIDTH = 121;
const int OK_PLATE_X = 154, OK_PLATE_WIDTH = 46;
const int PRESSED_PLATE_Y = OPTIONS_HEIGHT - 21;
const int BUTTON_ROW_Y = 169; // the released plates in the window

// "optionButton.png": top rows 0..13, a row band from row 14, the
// "Cancel"/"Apply" strip of 23 rows from row 38, and the pressed plate
// (72 x 21) in the last rows.
const int CONTROLS_WIDTH = 218;
const int CONTROLS_HEIGHT = 82;
const int CONTROLS_BAND_Y = 14;
const int CONTROLS_BUTTONS_Y = 38;
const int CONTROLS_BUTTONS_ROWS = 23;
const int CONTROLS_PLATE_WIDTH = 72;
const int CANCEL_PLATE_X = 17, APPLY_PLATE_X = 128;

// "steering.png", the controls help picture: it opens between the two
// paragraphs of the controls help screen in either orientation.
const int STEERING_WIDTH = 440;
const int STEERING_HEIGHT = 180;

bool bakeMenuPictures(const BakeTarget& out);   // title, menu, logo, tile
bool bakeStagePictures(const BakeTarget& out);  // stage backgrounds, exit pictures, controls help
bool bakeOptionPictures(const BakeTarget& out); // options window, control configuration
