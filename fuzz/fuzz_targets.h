#pragma once
// The entry points that the fuzzers and the regression tests share: each takes
// any bytes at all as one input of its format and must neither crash, hang nor
// leak on them. A target that finds its own results inconsistent aborts, so
// that the fuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace fuzz {

using Input = std::span<const std::uint8_t>;

struct Target {
    std::string_view name; // also the name of its corpus and regressions folders
    void (*run)(Input input);
};

std::span<const Target> Targets();
const Target* FindTarget(std::string_view name);

void FuzzHive(Input input);
void FuzzProfile(Input input);
void FuzzVersion(Input input);
void FuzzCueSheet(Input input);
void FuzzIsoVolume(Input input);
void FuzzDiscImage(Input input);
void FuzzCdrdaoTable(Input input);
void FuzzNeroImage(Input input);
void FuzzCloneCdSheet(Input input);
void FuzzAlcoholDescriptor(Input input);

// Whether an input goes the costly way too (files written, a drive letter
// mapped): one in `every`, chosen by a hash of all its bytes (which a fuzzer
// cannot steer towards the way it steers a compared value), so that a fuzzer
// reaches its million runs within minutes; or every input, once the test
// suite asks, so that an input kept for the costly way is always replayed.
bool TakesTheWholeWay(Input input, std::uint32_t every);
void SendEveryInputTheWholeWay(bool every);

// Aborts with `what` when `holds` is false: a finding, not an input to reject.
void Require(bool holds, const char* what);

} // namespace fuzz
