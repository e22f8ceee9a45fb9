// The version calls on files: ones without version information, and crafted
// executables whose blocks differ from the program's own.
#include "platform/version/VersionInfo.h"
#include "platform/version/VersionSection.h"
#include "tests/platform/version_fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace version_fixtures;
using platform::version::VersionResource;
using platform::version::VersionString;
using platform::version::WriteVersionBlock;

namespace {

class VersionFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) {
        return WriteFile(dir_, name, bytes);
    }

    std::string WriteText(const std::string& name, const std::string& text) {
        return Write(name, Bytes(reinterpret_cast<const std::byte*>(text.data()),
                                 reinterpret_cast<const std::byte*>(text.data() + text.size())));
    }

    std::string WriteExecutable(const VersionResource& resource, int elfClass = 64) {
        return Write("crafted" + std::to_string(++files_),
                     ElfWithVersionBlock(WriteVersionBlock(resource), elfClass));
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

void ExpectNoVersionInformation(const std::string& fileName) {
    SCOPED_TRACE(fileName);
    platform::DWORD handle = 7;
    EXPECT_EQ(platform::GetFileVersionInfoSizeA(fileName.c_str(), &handle), 0u);
    EXPECT_EQ(handle, 0u);
    Bytes data(4096, std::byte{0x5A});
    EXPECT_FALSE(platform::GetFileVersionInfoA(fileName.c_str(), 0, platform::DWORD(data.size()),
                                               data.data()));
    EXPECT_EQ(data, Bytes(4096, std::byte{0x5A}));
}

} // namespace

TEST_F(VersionFiles, FilesWithoutVersionInformationHaveNone) {
    ExpectNoVersionInformation(WriteText("notes.txt", "Just some text, not an executable.\n"));
    ExpectNoVersionInformation(WriteText("empty", ""));
    ExpectNoVersionInformation(
        WriteText("image.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
    ExpectNoVersionInformation(WriteText("elf-magic-only", "\x7f"
                                                           "ELF"));
    ExpectNoVersionInformation(
        Write("plain-elf", MakeElfImage(64, {{".text", Bytes(64, std::byte{1})}})));
    ExpectNoVersionInformation(dir_.filePath("missing").toStdString());
    ExpectNoVersionInformation(dir_.path().toStdString());
    ExpectNoVersionInformation("/dev/null");
    if (std::filesystem::exists("/bin/true"))
        ExpectNoVersionInformation("/bin/true");
    EXPECT_EQ(platform::GetFileVersionInfoSizeA(nullptr, nullptr), 0u);
}

TEST_F(VersionFiles, ReadsBlocksFromBothElfClasses) {
    const VersionResource resource =
        ProgramLikeResource({0x0409, 0x04E4}, {{"ProductVersion", "v1.30"}});
    for (const int elfClass : {32, 64}) {
        const std::optional<Bytes> loaded = LoadVersionInfo(WriteExecutable(resource, elfClass));
        ASSERT_TRUE(loaded) << elfClass;
        EXPECT_EQ(QueryText(*loaded, "\\StringFileInfo\\040904E4\\ProductVersion"), "v1.30");
    }
}

TEST_F(VersionFiles, StringTableOfAnotherLanguageIsFoundThroughTheTranslation) {
    VersionResource resource = ProgramLikeResource({0x0407, 0x04B0}, {{"ProductVersion", "v2.00"}});
    resource.stringTables.insert(resource.stringTables.begin(),
                                 {"040904E4", {{"ProductVersion", "decoy"}}});
    const std::optional<Bytes> loaded = LoadVersionInfo(WriteExecutable(resource));
    ASSERT_TRUE(loaded);

    const auto translations = QueryTranslations(*loaded);
    ASSERT_TRUE(translations);
    ASSERT_EQ(translations->size(), 1u);
    const std::string table = platform::version::StringTableName((*translations)[0]);
    EXPECT_EQ(table, "040704B0");
    EXPECT_EQ(QueryText(*loaded, "\\StringFileInfo\\" + table + "\\ProductVersion"), "v2.00");
}

TEST_F(VersionFiles, MissingEntriesFailTheQuery) {
    VersionResource resource = ProgramLikeResource({0x0409, 0x04E4}, {{"FileVersion", "1.3.0.0"}});
    resource.translations.clear();
    const std::optional<Bytes> loaded = LoadVersionInfo(WriteExecutable(resource));
    ASSERT_TRUE(loaded);

    EXPECT_EQ(QueryText(*loaded, "\\StringFileInfo\\040904E4\\FileVersion"), "1.3.0.0");
    platform::UINT length = 99;
    void* value = &length;
    EXPECT_FALSE(platform::VerQueryValueA(
        loaded->data(), "\\StringFileInfo\\040904E4\\ProductVersion", &value, &length));
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(length, 0u);
    EXPECT_FALSE(QueryText(*loaded, "\\StringFileInfo\\040704B0\\FileVersion"));
    EXPECT_FALSE(QueryTranslations(*loaded));
}

TEST_F(VersionFiles, KeysMatchRegardlessOfCase) {
    const std::optional<Bytes> loaded = LoadVersionInfo(
        WriteExecutable(ProgramLikeResource({0x0409, 0x04E4}, {{"ProductVersion", "v1.30"}})));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(QueryText(*loaded, "\\stringfileinfo\\040904e4\\PRODUCTVERSION"), "v1.30");
    EXPECT_TRUE(QueryTranslations(*loaded));
}

TEST_F(VersionFiles, TextBeyondAsciiComesBackAsUtf8) {
    const std::string company = "M\u00fcller & S\u00f6hne \u00a9 \U0001F3AC";
    const std::optional<Bytes> loaded = LoadVersionInfo(
        WriteExecutable(ProgramLikeResource({0x0409, 0x04E4}, {{"CompanyName", company}})));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(QueryText(*loaded, "\\StringFileInfo\\040904E4\\CompanyName"), company);
}

TEST_F(VersionFiles, ShortBufferIsRefusedUntouched) {
    const std::string fileName =
        WriteExecutable(ProgramLikeResource({0x0409, 0x04E4}, {{"ProductVersion", "v1.30"}}));
    const platform::DWORD size = platform::GetFileVersionInfoSizeA(fileName.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    Bytes data(size, std::byte{0x5A});
    EXPECT_FALSE(platform::GetFileVersionInfoA(fileName.c_str(), 0, size - 1, data.data()));
    EXPECT_EQ(data, Bytes(size, std::byte{0x5A}));
    EXPECT_TRUE(platform::GetFileVersionInfoA(fileName.c_str(), 0, size, data.data()));
}

TEST_F(VersionFiles, SectionMustHoldTheWholeBlock) {
    const Bytes block =
        WriteVersionBlock(ProgramLikeResource({0x0409, 0x04E4}, {{"ProductVersion", "v1.30"}}));

    Bytes cutOff(block.begin(), block.end() - 1);
    ExpectNoVersionInformation(Write("cut-off", ElfWithVersionBlock(cutOff)));

    Bytes padded = block;
    padded.resize(block.size() + 100, std::byte{0xEE});
    const std::optional<Bytes> loaded =
        LoadVersionInfo(Write("padded", ElfWithVersionBlock(padded)));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(QueryText(*loaded, "\\StringFileInfo\\040904E4\\ProductVersion"), "v1.30");

    const std::string name(platform::version::kVersionSectionName);
    ExpectNoVersionInformation(Write("nobits", MakeElfImage(64, {{name, block, kNoBits}})));
}
