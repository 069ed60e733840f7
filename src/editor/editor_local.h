// What the level editor's files share: the level being edited, the board
// it is drawn on, the buttons, and the level check of what is drawn.
#pragma once
#include "gfx/surface.h"
#include "shell/modes.h"
#include "world/layout.h"
#include "world/level_check.h"

#include <string>
#include <vector>

const int BOARD_SIZE = 512;   // board pixels are layout units
const int BOARD_MARGIN = 10;  // a point this far off the board still counts as on it
const int LAYOUT_LAST = 511;  // stored points stay within 0..511

struct Editor {
    LevelLayout* layout;      // owned while the editor's mode lasts
    Surface* board;           // the top view under the layout
    bool drawing;             // a new polygon is being drawn: "End Poly" shows
    PolygonHit dragged;       // polygon -1 when no vertex is moved
    bool placingStart;        // the press that placed the start point is held
    bool edited;              // changed since it was read or saved
    bool loadFailed;          // the layout file is there but could not be read
    bool leaveUnsaved;        // Escape after a failed save leaves without saving
    bool checkDue;            // the layout changed since the last check
    LevelCheckBase checkBase; // the level's files, checked once per level
    std::vector<std::string> problems;
    std::string notice;       // the last save's or command's outcome
    bool noticeIsError;
};
extern Editor editor;

// ---- the level (editor_level.cpp) ----

// Reads level N's description and layout, loads and builds its terrain,
// makes the board and prepares its check. N becomes the current level.
void openEditorLevel(int level);
// Frees what openEditorLevel made.
void closeEditorLevel();
// Writes the layout when it was edited; a layout never edited is never
// written, so a file that failed to load is kept. False when the write
// failed; the notice then says so.
bool saveEditorLayout();
// Saves, then opens level N; stays when the save fails.
void changeEditorLevel(int level);
void markEdited();
// Runs the level check when the layout changed since the last one.
void runDueCheck();
void setNotice(bool error, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Board geometry: the board is centred on the screen; layout points of
// the pointer, and whether they count as on the board.
int boardLeft();
int boardTop();
Point layoutPointAt(int screenX, int screenY);
bool onBoard(Point p);
// The point as stored: within 0..511 (a start point's x from 1, since 0
// means "no start point").
Point storedPoint(Point p);
Point storedStart(Point p);

// ---- the buttons (editor_buttons.cpp) ----

enum EditorCommand {
    COMMAND_START_POLY,
    COMMAND_END_POLY,
    COMMAND_DELETE,
    COMMAND_NEXT_LEVEL,
    COMMAND_PREVIOUS_LEVEL,
    COMMAND_PREVIEW,
    COMMAND_MASK,
    COMMAND_MODE,
    COMMAND_SHOW,
};
struct EditorButton {
    EditorCommand command;
    const char* text;
    int x, y; // centre
};
const int MAX_EDITOR_BUTTONS = 8;
// The buttons shown in the editor's present state, top to bottom.
int editorButtons(EditorButton out[MAX_EDITOR_BUTTONS]);
// Whether a shown button is under the pointer; its command in *command.
bool buttonUnderPointer(EditorCommand* command);
void drawEditorButtons();

// ---- drawing (editor_draw.cpp) ----

void makeBoard();
void drawEditor();

// ---- input (editor_input.cpp) ----

Mode editorInput(Mode self, const InputEvent& e);
