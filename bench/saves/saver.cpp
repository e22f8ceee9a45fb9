// Saves the settings over and over, one generation after the other, and says
// on stdout when each generation is wholly saved: the harness kills it at a
// random moment and then checks what was kept.
//   quelvo-settings-saver NAME FIRST [COUNT]   (COUNT 0: until killed)
#include "settings_generation.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s NAME FIRST [COUNT]\n", argv[0]);
        return 2;
    }
    const std::string name = argv[1];
    const long first = std::stol(argv[2]);
    const long count = argc > 3 ? std::stol(argv[3]) : 0;
    for (long generation = first; count == 0 || generation < first + count; ++generation) {
        if (!SaveGeneration(name, generation)) {
            std::fprintf(stderr, "generation %ld was not saved\n", generation);
            return 1;
        }
        std::printf("%ld\n", generation);
        std::fflush(stdout);
    }
    return 0;
}
