// The editor's buttons down the left edge: "Start Poly" or "End Poly" on
// top, the others only while no polygon is being drawn. Rows are counted
// in font lines below the first.
#include "editor/editor_local.h"
#include "gfx/font.h"
#include "screens/widgets.h"
#include "shell/loop.h"

static const int FIRST_ROW_Y = 20;
static const int BUTTON_LEFT = 10; // each button is centred half its text's width right of this

struct ButtonRow {
    EditorCommand command;
    const char* text;
    int lines; // font lines below the first row
};

static const ButtonRow ROWS_WHILE_IDLE[] = {
    {COMMAND_START_POLY, "Start Poly", 0},    {COMMAND_DELETE, "Delete", 4},
    {COMMAND_NEXT_LEVEL, "Next Lvl", 8},      {COMMAND_PREVIOUS_LEVEL, "Prev Lvl", 10},
    {COMMAND_PREVIEW, "Preview", 12},         {COMMAND_MASK, "Masked", 14},
    {COMMAND_MODE, "Mode", 16},               {COMMAND_SHOW, "Show", 18},
};
static const ButtonRow END_POLY_ROW = {COMMAND_END_POLY, "End Poly", 0};

static EditorButton placed(const ButtonRow& row) {
    const char* text = row.text;
    if (row.command == COMMAND_MASK && !editor.layout->masked) text = "Unmasked";
    return {row.command, text, textWidth(text, 0) / 2 + BUTTON_LEFT, FIRST_ROW_Y + row.lines * fontLineHeight(0)};
}

int editorButtons(EditorButton out[MAX_EDITOR_BUTTONS]) {
    if (editor.drawing) {
        out[0] = placed(END_POLY_ROW);
        return 1;
    }
    int n = 0;
    for (const ButtonRow& row : ROWS_WHILE_IDLE) out[n++] = placed(row);
    return n;
}

bool buttonUnderPointer(EditorCommand* command) {
    EditorButton buttons[MAX_EDITOR_BUTTONS];
    int n = editorButtons(buttons);
    for (int i = 0; i < n; i++)
        if (textButton(framebuffer, buttons[i].text, buttons[i].x, buttons[i].y, BUTTON_HIT_TEST)) {
            *command = buttons[i].command;
            return true;
        }
    return false;
}

void drawEditorButtons() {
    EditorButton buttons[MAX_EDITOR_BUTTONS];
    int n = editorButtons(buttons);
    for (int i = 0; i < n; i++) textButton(framebuffer, buttons[i].text, buttons[i].x, buttons[i].y, BUTTON_NORMAL);
}
