#pragma once
// Targets whose input is a file: one private folder per process, removed at
// exit, so that runs in parallel never share files.
#include "fuzz/fuzz_targets.h"

#include <string>
#include <string_view>

namespace fuzz {

std::string ScratchFolder();

// Writes `bytes` (after `zeros` zero bytes) to `name` in the scratch folder
// and returns its path.
std::string WriteScratchFile(const std::string& name, Input bytes, std::size_t zeros = 0);
void RemoveScratchFile(const std::string& name);

inline Input AsInput(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace fuzz
