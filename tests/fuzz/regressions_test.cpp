// Every input a fuzzer once failed on, and every seed, through the same entry
// point the fuzzer used: what was fixed stays fixed under the ordinary build.
#include "fuzz/fuzz_targets.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

std::vector<std::filesystem::path> InputsOf(std::string_view target) {
    std::vector<std::filesystem::path> inputs;
    for (const char* kind : {"corpus", "regressions"}) {
        const std::filesystem::path folder =
            std::filesystem::path(QUELVO_FUZZ_FOLDER) / kind / std::string(target);
        if (!std::filesystem::is_directory(folder))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    }
    return inputs;
}

std::vector<std::uint8_t> Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FuzzInputs : public ::testing::TestWithParam<fuzz::Target> {};

TEST_P(FuzzInputs, EverySeedAndRegressionRunsCleanly) {
    fuzz::SendEveryInputTheWholeWay(true);
    const std::vector<std::filesystem::path> inputs = InputsOf(GetParam().name);
    EXPECT_FALSE(inputs.empty()) << "no seeds for " << GetParam().name;
    for (const std::filesystem::path& input : inputs) {
        SCOPED_TRACE(input.string());
        const std::vector<std::uint8_t> bytes = Contents(input);
        GetParam().run(bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzInputs,
                         ::testing::ValuesIn(fuzz::Targets().begin(), fuzz::Targets().end()),
                         [](const auto& info) {
                             std::string name(info.param.name);
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
