// bake GAME_DIR: writes the whole default data set.
#include "bake/bake.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        fputs("usage: bake GAME_DIR\n", stderr);
        return 2;
    }
    return bakeGameData(argv[1]) ? 0 : 1;
}
