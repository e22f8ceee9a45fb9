// The version block the build embeds, read back from real executables.
#include "platform/module/ModuleFileName.h"
#include "platform/version/VersionInfo.h"
#include "tests/platform/version_fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

using namespace version_fixtures;

namespace {

void ExpectProgramVersionInformation(const std::string& fileName) {
    SCOPED_TRACE(fileName);
    const std::optional<Bytes> loaded = LoadVersionInfo(fileName);
    ASSERT_TRUE(loaded);

    const auto translations = QueryTranslations(*loaded);
    ASSERT_TRUE(translations);
    ASSERT_EQ(translations->size(), 1u);
    EXPECT_EQ((*translations)[0].language, 0x0409);
    EXPECT_EQ((*translations)[0].codePage, 0x04E4);

    const std::string table = "\\StringFileInfo\\040904E4\\";
    EXPECT_EQ(QueryText(*loaded, table + "ProductVersion"), "v1.30");
    EXPECT_EQ(QueryText(*loaded, table + "FileVersion"), "1.3.0.0");
    EXPECT_EQ(QueryText(*loaded, table + "FileDescription"), "Quelvo Player");
    EXPECT_EQ(QueryText(*loaded, table + "CompanyName"), "Norvane Software");
    for (const char* name : {"InternalName", "LegalCopyright", "LegalTrademarks",
                             "OriginalFilename", "ProductName", "Comments"})
        EXPECT_EQ(QueryText(*loaded, table + name), "") << name;

    void* value = nullptr;
    platform::UINT length = 0;
    ASSERT_TRUE(platform::VerQueryValueA(loaded->data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(platform::VS_FIXEDFILEINFO));
    platform::VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, platform::VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010003u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010003u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
}

} // namespace

TEST(EmbeddedVersion, ReadFromTheRunningExecutable) {
    char path[4096];
    ASSERT_GT(platform::GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    ExpectProgramVersionInformation(path);
}

TEST(EmbeddedVersion, ReadFromTheBuiltPlayer) {
    const char* buildDir = std::getenv("QUELVO_BUILD_DIR");
    if (buildDir == nullptr)
        GTEST_SKIP() << "QUELVO_BUILD_DIR is not set";
    ExpectProgramVersionInformation(std::string(buildDir) + "/app/quelvo-player");
}
