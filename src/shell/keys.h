// The bindable actions, their key codes (Windows virtual-key codes;
// 1 and 2 are the left and right mouse buttons; game-controller buttons
// above every key code) and the names shown for them.
#pragma once
#include "platform/platform.h"

enum Binding {
    BIND_UP, BIND_DOWN, BIND_LEFT, BIND_RIGHT, BIND_ACCELERATE, BIND_BRAKE,
    BIND_ESCAPE, BIND_SCREENSHOT, BIND_SUSPEND, BIND_GHOST, BINDING_COUNT
};

const int KEY_LBUTTON = 1;
const int KEY_RBUTTON = 2;
const int KEY_BACKSPACE = 0x08;
const int KEY_RETURN = 0x0D;
const int KEY_SHIFT = 0x10;
const int KEY_ESCAPE = 0x1B;
const int KEY_SPACE = 0x20;
const int KEY_LEFT = 0x25;
const int KEY_UP = 0x26;
const int KEY_RIGHT = 0x27;
const int KEY_DOWN = 0x28;
const int KEY_DELETE = 0x2E;
const int KEY_F1 = 0x70;
const int KEY_G = 'G';
// Letters and digits are their upper-case character codes ('A', '0').

// Controller buttons bind like keys, with codes no key has (key codes stay
// below 0x100), so a settings file from before controllers still reads.
const int PAD_KEY_BASE = 0x1000;
inline int padKeyCode(int button) { return PAD_KEY_BASE + button; }
inline bool isPadKey(int code) { return code >= PAD_KEY_BASE && code < PAD_KEY_BASE + PAD_BUTTON_COUNT; }

extern int keyBindings[BINDING_COUNT];
extern const char* const bindingLabels[BINDING_COUNT];

void setDefaultBindings();
void bindKey(int action, int code);
// The direction bindings follow the display: one quarter turn per step up.
void turnDirectionBindings(int from, int to);
void quarterTurnBindings();
void reverseTurnBindings();
// The action bound to `code`, or -1.
int boundAction(int code);
// "LMB", "RMB", "----", "Pad A" and the like, or the key's table name; ""
// when it has none.
const char* keyName(int code);
// What a binding row shows: the name, or "[0x%2x]" when the key has none.
void bindingText(int code, char* out, int size);
