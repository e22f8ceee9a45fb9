#include "fuzz/fuzz_targets.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace fuzz {
namespace {

constexpr std::array<Target, 10> targets = {{
    {"hive", FuzzHive},
    {"profile", FuzzProfile},
    {"version", FuzzVersion},
    {"cue", FuzzCueSheet},
    {"iso", FuzzIsoVolume},
    {"disc-image", FuzzDiscImage},
    {"toc", FuzzCdrdaoTable},
    {"nrg", FuzzNeroImage},
    {"ccd", FuzzCloneCdSheet},
    {"mds", FuzzAlcoholDescriptor},
}};

} // namespace

std::span<const Target> Targets() {
    return targets;
}

const Target* FindTarget(std::string_view name) {
    for (const Target& target : targets)
        if (target.name == name)
            return &target;
    return nullptr;
}

void Require(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "inconsistent result: %s\n", what);
    std::abort();
}

} // namespace fuzz
