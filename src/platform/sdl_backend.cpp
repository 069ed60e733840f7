// The SDL2 backend: a window with a 640 x 480 RGB565 streaming texture
// scaled into it, keyboard and mouse as virtual-key codes and display
// pixels, the first game controller connected as pad events, and an audio
// device running the mixer's callback.
#include "platform/sdl_backend.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

static SDL_Window* window;
static SDL_Renderer* renderer;
static SDL_Texture* texture;
static SDL_AudioDeviceID audioDevice;
static AudioCallback audioCallback;
static bool alwaysFocused; // drivers that never give focus count as foreground
static SDL_GameController* pad; // the controller in use, or none
static SDL_JoystickID padId = -1;

static void reportError(const char* message) {
    platformDebugOutput("ERROR: ");
    platformDebugOutput(message);
    platformDebugOutput("\n");
}

// ---- keys ----

struct ScancodeKey {
    SDL_Scancode scancode;
    int vk;
};

// Everything but letters and digits is mapped by its physical position.
static const ScancodeKey SCANCODE_KEYS[] = {
    {SDL_SCANCODE_LEFT, 0x25}, {SDL_SCANCODE_UP, 0x26}, {SDL_SCANCODE_RIGHT, 0x27},
    {SDL_SCANCODE_DOWN, 0x28}, {SDL_SCANCODE_RETURN, 0x0D}, {SDL_SCANCODE_KP_ENTER, 0x0D},
    {SDL_SCANCODE_ESCAPE, 0x1B}, {SDL_SCANCODE_SPACE, 0x20}, {SDL_SCANCODE_TAB, 0x09},
    {SDL_SCANCODE_BACKSPACE, 0x08}, {SDL_SCANCODE_LSHIFT, 0x10}, {SDL_SCANCODE_RSHIFT, 0x10},
    {SDL_SCANCODE_LCTRL, 0x11}, {SDL_SCANCODE_RCTRL, 0x11}, {SDL_SCANCODE_LALT, 0x12},
    {SDL_SCANCODE_RALT, 0x12}, {SDL_SCANCODE_PAUSE, 0x13}, {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_PAGEUP, 0x21}, {SDL_SCANCODE_PAGEDOWN, 0x22}, {SDL_SCANCODE_END, 0x23},
    {SDL_SCANCODE_HOME, 0x24}, {SDL_SCANCODE_INSERT, 0x2D}, {SDL_SCANCODE_DELETE, 0x2E},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90}, {SDL_SCANCODE_SCROLLLOCK, 0x91},
    {SDL_SCANCODE_KP_0, 0x60}, {SDL_SCANCODE_KP_1, 0x61}, {SDL_SCANCODE_KP_2, 0x62},
    {SDL_SCANCODE_KP_3, 0x63}, {SDL_SCANCODE_KP_4, 0x64}, {SDL_SCANCODE_KP_5, 0x65},
    {SDL_SCANCODE_KP_6, 0x66}, {SDL_SCANCODE_KP_7, 0x67}, {SDL_SCANCODE_KP_8, 0x68},
    {SDL_SCANCODE_KP_9, 0x69}, {SDL_SCANCODE_KP_MULTIPLY, 0x6A}, {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D}, {SDL_SCANCODE_KP_PERIOD, 0x6E}, {SDL_SCANCODE_KP_DIVIDE, 0x6F},
    {SDL_SCANCODE_F1, 0x70}, {SDL_SCANCODE_F2, 0x71}, {SDL_SCANCODE_F3, 0x72},
    {SDL_SCANCODE_F4, 0x73}, {SDL_SCANCODE_F5, 0x74}, {SDL_SCANCODE_F6, 0x75},
    {SDL_SCANCODE_F7, 0x76}, {SDL_SCANCODE_F8, 0x77}, {SDL_SCANCODE_F9, 0x78},
    {SDL_SCANCODE_F10, 0x79}, {SDL_SCANCODE_F11, 0x7A}, {SDL_SCANCODE_F12, 0x7B},
    {SDL_SCANCODE_SEMICOLON, 0xBA}, {SDL_SCANCODE_EQUALS, 0xBB}, {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD}, {SDL_SCANCODE_PERIOD, 0xBE}, {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0}, {SDL_SCANCODE_LEFTBRACKET, 0xDB}, {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD}, {SDL_SCANCODE_APOSTROPHE, 0xDE},
};

int sdlVirtualKey(int scancode, int keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return 0x41 + (keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return 0x30 + (keycode - SDLK_0);
    for (const ScancodeKey& k : SCANCODE_KEYS)
        if (k.scancode == scancode) return k.vk;
    return 0;
}

// What a US keyboard types for the key with the given Shift state.
int usCharacter(int vk, bool shift) {
    static const char* const DIGITS_SHIFTED = ")!@#$%^&*(";
    if (vk >= 0x41 && vk <= 0x5A) return shift ? vk : vk + 32;
    if (vk >= 0x30 && vk <= 0x39) return shift ? DIGITS_SHIFTED[vk - 0x30] : vk;
    if (vk >= 0x60 && vk <= 0x69) return '0' + (vk - 0x60);
    switch (vk) {
    case 0x0D: return '\r';
    case 0x1B: return 27;
    case 0x08: return 8;
    case 0x09: return '\t';
    case 0x20: return ' ';
    case 0x6A: return '*';
    case 0x6B: return '+';
    case 0x6D: return '-';
    case 0x6E: return '.';
    case 0x6F: return '/';
    case 0xBA: return shift ? ':' : ';';
    case 0xBB: return shift ? '+' : '=';
    case 0xBC: return shift ? '<' : ',';
    case 0xBD: return shift ? '_' : '-';
    case 0xBE: return shift ? '>' : '.';
    case 0xBF: return shift ? '?' : '/';
    case 0xC0: return shift ? '~' : '`';
    case 0xDB: return shift ? '{' : '[';
    case 0xDC: return shift ? '|' : '\\';
    case 0xDD: return shift ? '}' : ']';
    case 0xDE: return shift ? '"' : '\'';
    default: return 0;
    }
}

// ---- window and presentation ----

static bool createTexture() {
    if (texture) SDL_DestroyTexture(texture);
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, DISPLAY_WIDTH,
                                DISPLAY_HEIGHT);
    return texture != nullptr;
}

static bool createRenderer() {
    if (renderer) SDL_DestroyRenderer(renderer);
    texture = nullptr;
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) return false;
    SDL_RenderSetLogicalSize(renderer, DISPLAY_WIDTH, DISPLAY_HEIGHT);
    return createTexture();
}

static bool createWindow(const char* title, bool fullScreen) {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    // Without a display SDL falls back to an invisible window; a player
    // would see nothing, so that counts as no window unless asked for.
    if (driver && strcmp(driver, "offscreen") == 0 && !getenv("SDL_VIDEODRIVER")) return false;
    alwaysFocused = driver && (strcmp(driver, "dummy") == 0 || strcmp(driver, "offscreen") == 0);
    // SDL drops controller input while the window lacks focus; a driver
    // that never gives focus counts as foreground for the pad too.
    if (alwaysFocused) SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // Controllers are a bonus: without the subsystem the game plays on keys.
    // Those already connected announce themselves as added.
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER) && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        reportError("No game controllers");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");

    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED, w = DISPLAY_WIDTH, h = DISPLAY_HEIGHT;
    Uint32 flags = SDL_WINDOW_RESIZABLE;
    SDL_DisplayMode desktop;
    if (fullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        // A borderless window covering the desktop, letterboxed inside.
        x = y = 0;
        w = desktop.w;
        h = desktop.h;
        flags = SDL_WINDOW_BORDERLESS;
    }
    window = SDL_CreateWindow(title, x, y, w, h, flags);
    if (!window) return false;
    if (!createRenderer()) reportError("Could not create the render device");
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
    return true;
}

static void destroyWindow() {
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (window) SDL_DestroyWindow(window);
    texture = nullptr;
    renderer = nullptr;
    window = nullptr;
}

static bool hasFocus() {
    if (!window) return false;
    if (alwaysFocused) return true;
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

static bool present(const uint16_t* pixels) {
    if (!renderer || !texture) {
        reportError("Cannot render because there is no device");
        return false;
    }
    if (SDL_UpdateTexture(texture, nullptr, pixels, DISPLAY_WIDTH * 2) != 0) {
        reportError("Could not lock the back buffer");
        return false;
    }
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    return true;
}

// The renderer lost its textures (or itself): rebuild what it lost.
static void recoverDevice(bool wholeDevice) {
    bool ok = wholeDevice ? createRenderer() : createTexture();
    if (!ok) reportError(wholeDevice ? "Could not reset device" : "Unable to reaquire the back buffer");
}

static int clampTo(int v, int limit) { return v < 0 ? 0 : v >= limit ? limit - 1 : v; }

static void mousePosition(PlatformEvent* e, int x, int y) {
    e->x = clampTo(x, DISPLAY_WIDTH);
    e->y = clampTo(y, DISPLAY_HEIGHT);
}

// ---- the game controller ----

struct ButtonMap {
    SDL_GameControllerButton sdl;
    PadButton pad;
};
static const ButtonMap PAD_BUTTONS[] = {
    {SDL_CONTROLLER_BUTTON_A, PAD_A}, {SDL_CONTROLLER_BUTTON_B, PAD_B}, {SDL_CONTROLLER_BUTTON_X, PAD_X},
    {SDL_CONTROLLER_BUTTON_Y, PAD_Y}, {SDL_CONTROLLER_BUTTON_BACK, PAD_BACK},
    {SDL_CONTROLLER_BUTTON_GUIDE, PAD_GUIDE}, {SDL_CONTROLLER_BUTTON_START, PAD_START},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, PAD_LEFT_STICK}, {SDL_CONTROLLER_BUTTON_RIGHTSTICK, PAD_RIGHT_STICK},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PAD_RIGHT_SHOULDER}, {SDL_CONTROLLER_BUTTON_DPAD_UP, PAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PAD_DPAD_DOWN}, {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PAD_DPAD_RIGHT},
};

// A trigger presses past half its travel and lets go below a quarter, so
// a finger resting near the middle does not chatter.
static const int TRIGGER_PRESS = 16384;
static const int TRIGGER_RELEASE = 8192;
static bool triggerDown[2]; // left, right
static int stickX, stickY;

// Events a single SDL event gives beyond the first (a pad removed, the next
// one taken up).
static PlatformEvent pending[4];
static int pendingCount;

static void queue(const PlatformEvent& e) {
    if (pendingCount < (int)(sizeof pending / sizeof pending[0])) pending[pendingCount++] = e;
}

static bool openPad(int deviceIndex, SDL_JoystickID skip) {
    if (pad || !SDL_IsGameController(deviceIndex) || SDL_JoystickGetDeviceInstanceID(deviceIndex) == skip)
        return false;
    pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) return false;
    padId = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    triggerDown[0] = triggerDown[1] = false;
    stickX = stickY = 0;
    const char* name = SDL_GameControllerName(pad);
    platformDebugOutput("Game controller: ");
    platformDebugOutput(name ? name : "unnamed");
    platformDebugOutput("\n");
    return true;
}

// The pad in use went away: the next connected one, if any, takes over.
static void closePad(PlatformEvent* e) {
    SDL_JoystickID gone = padId;
    SDL_GameControllerClose(pad);
    pad = nullptr;
    padId = -1;
    e->type = EVENT_PAD_REMOVED;
    for (int i = 0; i < SDL_NumJoysticks(); i++)
        if (openPad(i, gone)) {
            queue(PlatformEvent{EVENT_PAD_ADDED, 0, 0, 0, 0});
            break;
        }
}

static int axisValue(int v) { return v < -PAD_AXIS_MAX ? -PAD_AXIS_MAX : v; }

static bool translateAxis(const SDL_ControllerAxisEvent& a, PlatformEvent* e) {
    if (a.axis == SDL_CONTROLLER_AXIS_LEFTX || a.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        (a.axis == SDL_CONTROLLER_AXIS_LEFTX ? stickX : stickY) = axisValue(a.value);
        *e = PlatformEvent{EVENT_PAD_STICK, 0, 0, stickX, stickY};
        return true;
    }
    int t = a.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT ? 0 : a.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT ? 1 : -1;
    if (t < 0) return false;
    bool down = triggerDown[t] ? a.value >= TRIGGER_RELEASE : a.value > TRIGGER_PRESS;
    if (down == triggerDown[t]) return false;
    triggerDown[t] = down;
    *e = PlatformEvent{down ? EVENT_PAD_BUTTON_DOWN : EVENT_PAD_BUTTON_UP, t ? PAD_RIGHT_TRIGGER : PAD_LEFT_TRIGGER,
                       0, 0, 0};
    return true;
}

static bool translatePad(const SDL_Event& s, PlatformEvent* e) {
    switch (s.type) {
    case SDL_CONTROLLERDEVICEADDED:
        if (!openPad(s.cdevice.which, -1)) return false;
        e->type = EVENT_PAD_ADDED;
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (!pad || s.cdevice.which != padId) return false;
        closePad(e);
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (!pad || s.cbutton.which != padId) return false;
        for (const ButtonMap& b : PAD_BUTTONS)
            if (b.sdl == s.cbutton.button) {
                e->type = s.type == SDL_CONTROLLERBUTTONDOWN ? EVENT_PAD_BUTTON_DOWN : EVENT_PAD_BUTTON_UP;
                e->key = b.pad;
                return true;
            }
        return false;
    case SDL_CONTROLLERAXISMOTION:
        return pad && s.caxis.which == padId && translateAxis(s.caxis, e);
    default: return false;
    }
}

// Translates one SDL event; false for events the game does not see.
static bool translate(const SDL_Event& s, PlatformEvent* e) {
    *e = PlatformEvent{};
    switch (s.type) {
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION: return translatePad(s, e);
    case SDL_QUIT: e->type = EVENT_CLOSE; return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        e->type = s.type == SDL_KEYDOWN ? EVENT_KEY_DOWN : EVENT_KEY_UP;
        e->key = sdlVirtualKey(s.key.keysym.scancode, s.key.keysym.sym);
        e->ch = usCharacter(e->key, (s.key.keysym.mod & KMOD_SHIFT) != 0);
        return e->key != 0;
    case SDL_MOUSEMOTION:
        e->type = EVENT_MOUSE_MOVE;
        mousePosition(e, s.motion.x, s.motion.y);
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        bool down = s.type == SDL_MOUSEBUTTONDOWN;
        if (s.button.button == SDL_BUTTON_LEFT)
            e->type = down ? EVENT_LBUTTON_DOWN : EVENT_LBUTTON_UP;
        else if (s.button.button == SDL_BUTTON_RIGHT)
            e->type = down ? EVENT_RBUTTON_DOWN : EVENT_RBUTTON_UP;
        else
            return false;
        mousePosition(e, s.button.x, s.button.y);
        return true;
    }
    case SDL_RENDER_TARGETS_RESET: recoverDevice(false); return false;
    case SDL_RENDER_DEVICE_RESET: recoverDevice(true); return false;
    default: return false;
    }
}

static bool pollEvent(PlatformEvent* e) {
    if (pendingCount > 0) {
        *e = pending[0];
        for (int i = 1; i < pendingCount; i++) pending[i - 1] = pending[i];
        pendingCount--;
        return true;
    }
    SDL_Event s;
    while (SDL_PollEvent(&s))
        if (translate(s, e)) return true;
    return false;
}

static int64_t counter() { return (int64_t)SDL_GetPerformanceCounter(); }
static int64_t frequency() { return (int64_t)SDL_GetPerformanceFrequency(); }
static void sleepMs(int ms) { SDL_Delay(ms); }

static void messageBox(const char* text, const char* caption) {
    // A box under a driver with no screen would never be answered.
    if (!window || alwaysFocused) return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text, window);
}

// ---- audio ----

static void sdlAudioCallback(void*, Uint8* stream, int bytes) {
    if (audioCallback)
        audioCallback((int16_t*)stream, bytes / 2);
    else
        memset(stream, 0, bytes);
}

static bool openAudio(AudioCallback callback) {
    if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want = {};
    want.freq = AUDIO_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = AUDIO_BUFFER_SAMPLES;
    want.callback = sdlAudioCallback;
    audioCallback = callback;
    audioDevice = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    return audioDevice != 0;
}

static void startAudio() {
    if (audioDevice) SDL_PauseAudioDevice(audioDevice, 0);
}
static void lockAudio() {
    if (audioDevice) SDL_LockAudioDevice(audioDevice);
}
static void unlockAudio() {
    if (audioDevice) SDL_UnlockAudioDevice(audioDevice);
}
static void closeAudio() {
    if (audioDevice) SDL_CloseAudioDevice(audioDevice);
    audioDevice = 0;
}

static void setWindowIcon(const uint16_t* pixels, int width, int height) {
    if (!window) return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom((void*)pixels, width, height, 16, width * 2,
                                                           SDL_PIXELFORMAT_RGB565);
    if (!icon) return;
    SDL_SetColorKey(icon, SDL_TRUE, 0);
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

static uint32_t seed() { return (uint32_t)SDL_GetPerformanceCounter() ^ (uint32_t)time(nullptr); }

static const PlatformBackend SDL_BACKEND = {
    createWindow, destroyWindow, hasFocus, pollEvent, present, counter, frequency, sleepMs,
    messageBox, openAudio, startAudio, lockAudio, unlockAudio, closeAudio, seed, setWindowIcon,
};

const PlatformBackend* sdlBackend() { return &SDL_BACKEND; }

void sdlQuit() {
    if (pad) SDL_GameControllerClose(pad);
    pad = nullptr;
    padId = -1;
    pendingCount = 0;
    SDL_Quit();
}
