// Every test program runs without a display or sound card: SDL's dummy
// drivers, unless the caller chose others.
#include <cstdlib>

namespace {
struct TestEnvironment {
    TestEnvironment() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("GAME_DIR", BAKED_GAME_DIR, 0);
    }
} environment;
}
