// The path of the running executable, with the Windows call's buffer rules.
#include "platform/module/ModuleFileName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string RunningExecutable() {
    char path[4096];
    const platform::DWORD length = platform::GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length);
}

} // namespace

TEST(ModuleFileName, NamesTheRunningExecutable) {
    const std::string path = RunningExecutable();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::path(path).is_absolute());
    EXPECT_EQ(std::filesystem::path(path).filename(), "test_platform");
    EXPECT_TRUE(std::filesystem::equivalent(path, "/proc/self/exe"));
}

TEST(ModuleFileName, TruncatesLikeWindowsWhenTheBufferIsShort) {
    const std::string path = RunningExecutable();
    char small[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(platform::GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
    EXPECT_EQ(std::string(small), path.substr(0, 4));

    std::string exact(path.size() + 1, 'x');
    EXPECT_EQ(platform::GetModuleFileNameA(nullptr, exact.data(), platform::DWORD(exact.size())),
              path.size());
    EXPECT_EQ(exact.c_str(), path);

    EXPECT_EQ(platform::GetModuleFileNameA(nullptr, small, 0), 0u);
    int otherModule = 0;
    EXPECT_EQ(platform::GetModuleFileNameA(&otherModule, small, sizeof small), 0u);
}
