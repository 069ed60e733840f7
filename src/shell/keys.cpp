#include "shell/keys.h"

#include <cstdio>
#include <cstring>

int keyBindings[BINDING_COUNT];
const char* const bindingLabels[BINDING_COUNT] = {
    "Up", "Down", "Left", "Right", "Accelerate", "Brake", "Escape", "Screenshot", "Suspend", "Ghost"};

static const int DEFAULT_BINDINGS[BINDING_COUNT] = {
    KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_LBUTTON, KEY_RBUTTON, KEY_ESCAPE, KEY_RETURN, 0, KEY_G};

struct KeyNameRow {
    unsigned short code;
    char name[9];
};

// In lookup order: where a code appears twice the first row wins.
static const KeyNameRow KEY_NAMES[] = {
    {0x0A, "Enter"}, {0x0D, "Enter"}, {0x08, "BSPACE"}, {0x09, "Tab"}, {0x03, "Cancel"},
    {0x0C, "Clear"}, {0x10, "Shift"}, {0x11, "Control"}, {0x12, "Alt"}, {0x13, "Pause"},
    {0x14, "CLOCK"}, {0x1B, "Escape"}, {0x20, "Space"}, {0x21, "P Up"}, {0x22, "P Down"},
    {0x23, "End"}, {0x24, "Home"}, {0x25, "Left"}, {0x26, "Up"}, {0x27, "Right"},
    {0x28, "Down"},
    {0x60, "NUM0"}, {0x61, "NUM1"}, {0x62, "NUM2"}, {0x63, "NUM3"}, {0x64, "NUM4"},
    {0x65, "NUM5"}, {0x66, "NUM6"}, {0x67, "NUM7"}, {0x68, "NUM8"}, {0x69, "NUM9"},
    {0x2E, "DEL"}, {0x90, "NLOCK"}, {0x91, "SLOCK"}, {0x9A, "PSCREEN"}, {0x2D, "INS"},
    {0x2F, "HELP"}, {0x9D, "META"}, {0xDE, "QUOTE"}, {0x2C, ","}, {0x2E, "."}, {0x2F, "/"},
    {0x30, "0"}, {0x31, "1"}, {0x32, "2"}, {0x33, "3"}, {0x34, "4"},
    {0x35, "5"}, {0x36, "6"}, {0x37, "7"}, {0x38, "8"}, {0x39, "9"},
    {0x3B, ";"}, {0x3D, "="},
    {0x41, "A"}, {0x42, "B"}, {0x43, "C"}, {0x44, "D"}, {0x45, "E"}, {0x46, "F"}, {0x47, "G"},
    {0x48, "H"}, {0x49, "I"}, {0x4A, "J"}, {0x4B, "K"}, {0x4C, "L"}, {0x4D, "M"}, {0x4E, "N"},
    {0x4F, "O"}, {0x50, "P"}, {0x51, "Q"}, {0x52, "R"}, {0x53, "S"}, {0x54, "T"}, {0x55, "U"},
    {0x56, "V"}, {0x57, "W"}, {0x58, "X"}, {0x59, "Y"}, {0x5A, "Z"},
    {0x6B, "+"}, {0x6A, "*"}, {0x6C, "_"}, {0x6D, "-"}, {0x6E, "."}, {0x6F, "/"},
    {0x70, "F1"}, {0x71, "F2"}, {0x72, "F3"}, {0x73, "F4"}, {0x74, "F5"}, {0x75, "F6"},
    {0x76, "F7"}, {0x77, "F8"}, {0x78, "F9"}, {0x79, "F10"}, {0x7A, "F11"}, {0x7B, "F12"},
    {0xC0, "`"}, {0x5B, "["}, {0x5D, "]"},
    {0xFFFF, ""},
};

static const char* const PAD_NAMES[PAD_BUTTON_COUNT] = {
    "Pad A", "Pad B", "Pad X", "Pad Y", "Pad Back", "Pad Guide", "Pad Start", "Pad LS", "Pad RS",
    "Pad LB", "Pad RB", "Pad Up", "Pad Down", "Pad Left", "Pad Right", "Pad LT", "Pad RT",
};

void setDefaultBindings() { memcpy(keyBindings, DEFAULT_BINDINGS, sizeof keyBindings); }

void bindKey(int action, int code) {
    for (int& bound : keyBindings)
        if (bound == code) bound = 0;
    keyBindings[action] = code;
}

void quarterTurnBindings() {
    int up = keyBindings[BIND_UP];
    keyBindings[BIND_UP] = keyBindings[BIND_RIGHT];
    keyBindings[BIND_RIGHT] = keyBindings[BIND_DOWN];
    keyBindings[BIND_DOWN] = keyBindings[BIND_LEFT];
    keyBindings[BIND_LEFT] = up;
}

void reverseTurnBindings() {
    int up = keyBindings[BIND_UP];
    keyBindings[BIND_UP] = keyBindings[BIND_LEFT];
    keyBindings[BIND_LEFT] = keyBindings[BIND_DOWN];
    keyBindings[BIND_DOWN] = keyBindings[BIND_RIGHT];
    keyBindings[BIND_RIGHT] = up;
}

void turnDirectionBindings(int from, int to) {
    int turns = ((to - from) % 4 + 4) % 4;
    for (int i = 0; i < turns; i++) quarterTurnBindings();
}

int boundAction(int code) {
    if (code == 0) return -1;
    for (int i = 0; i < BINDING_COUNT; i++)
        if (keyBindings[i] == code) return i;
    return -1;
}

const char* keyName(int code) {
    if (isPadKey(code)) return PAD_NAMES[code - PAD_KEY_BASE];
    if (code == KEY_LBUTTON) return "LMB";
    if (code == KEY_RBUTTON) return "RMB";
    if (code == 0) return "----";
    for (const KeyNameRow* row = KEY_NAMES; row->code != 0xFFFF; row++)
        if (row->code == code) return row->name;
    return "";
}

void bindingText(int code, char* out, int size) {
    const char* name = keyName(code);
    if (*name)
        snprintf(out, size, "%s", name);
    else
        snprintf(out, size, "[0x%2x]", code);
}
