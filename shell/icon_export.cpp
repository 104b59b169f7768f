// Writes the program icon as a PNG file, for the desktop entry:
// orbalux_icon SIZE FILE
#include <cstdio>
#include <cstdlib>

#include "shell/icons.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIZE FILE\n", argv[0]);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "%s: size must be 16 to 1024\n", argv[0]);
        return 2;
    }
    if (!DrawProgramIcon(size).save(argv[2], "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
