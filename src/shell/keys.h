// The nine bindable actions, their key codes (Windows virtual-key codes;
// 1 and 2 are the left and right mouse buttons) and the names shown for them.
#pragma once

enum Binding {
    BIND_UP, BIND_DOWN, BIND_LEFT, BIND_RIGHT, BIND_ACCELERATE, BIND_BRAKE,
    BIND_ESCAPE, BIND_SCREENSHOT, BIND_SUSPEND, BINDING_COUNT
};

const int KEY_LBUTTON = 1;
const int KEY_RBUTTON = 2;

extern int keyBindings[BINDING_COUNT];
extern const char* const bindingLabels[BINDING_COUNT];

void setDefaultBindings();
void bindKey(int action, int code);
// The direction bindings follow the display: one quarter turn per step up.
void turnDirectionBindings(int from, int to);
void quarterTurnBindings();
void reverseTurnBindings();
// "LMB", "RMB", "----" or the key's table name; "" when it has none.
const char* keyName(int code);
// What a binding row shows: the name, or "[0x%2x]" when the key has none.
void bindingText(int code, char* out, int size);
