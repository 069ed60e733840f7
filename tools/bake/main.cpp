// bake GAME_DIR: writes the whole default data set.
#include "bake/bake.h"

#include <cstdio>

int main(int argc, char** argv) {
    // An option is never a folder: "bake --help" must not bake into ./--help.
    if (argc != 2 || argv[1][0] == '-') {
        fputs("usage: bake GAME_DIR\n", stderr);
        return 2;
    }
    return bakeGameData(argv[1]) ? 0 : 1;
}
