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

bool everyInputTheWholeWay = false;

} // namespace

bool TakesTheWholeWay(Input input, std::uint32_t every) {
    if (everyInputTheWholeWay)
        return true;
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const std::uint8_t byte : input)
        hash = (hash ^ byte) * 16777619u;
    return hash % every == 0;
}

void SendEveryInputTheWholeWay(bool every) {
    everyInputTheWholeWay = every;
}

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
