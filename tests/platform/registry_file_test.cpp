#include "registry_test_support.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

using namespace registry_test;

TEST(RegistryFile, TextWithQuotesBackslashesUtf8AndLineBreaksSurvivesTheFile) {
    ConfigSandbox sandbox;
    HKEY key = Create("Quelvo Player\\Quelvo Player");
    const std::vector<std::string> texts = {"C:\\Program Files\\\"quoted\"\\",
                                            "Größe – 大きさ",
                                            "two\nlines\r\n",
                                            "tab\there",
                                            "",
                                            "\\\\"};
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(SetText(key, ("\"name\\" + std::to_string(i)).c_str(), texts[i]), ERROR_SUCCESS);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Read read = Query(key, ("\"NAME\\" + std::to_string(i)).c_str());
        EXPECT_EQ(read.type, REG_SZ);
        EXPECT_EQ(read.Text(), texts[i]) << i;
    }
    RegCloseKey(key);

    const std::string file = ConfigSandbox::ReadText(sandbox.UserHive());
    EXPECT_EQ(file.rfind("REGEDIT4\n\n[HKEY_CURRENT_USER\\Quelvo Player]\n\n"
                         "[HKEY_CURRENT_USER\\Quelvo Player\\Quelvo Player]\n",
                         0),
              0u);
    EXPECT_NE(file.find("\"\\\"name\\\\0\"=\"C:\\\\Program Files\\\\\\\"quoted\\\"\\\\\"\n"),
              std::string::npos);
    EXPECT_NE(file.find("\"\\\"name\\\\1\"=\"Größe – 大きさ\"\n"), std::string::npos);
    EXPECT_NE(file.find("=hex(1):74,77,6f,0a,6c,69,6e,65,73,0d,0a,00\n"), std::string::npos);
}

TEST(RegistryFile, ReadsWhatRegeditWritesIncludingContinuedHexAndWindowsLineEnds) {
    ConfigSandbox sandbox;
    ConfigSandbox::WriteText(sandbox.UserHive(),
                             "\xEF\xBB\xBFREGEDIT4\r\n\r\n; exported by hand\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Deep\\Key]\r\n"
                             "@=\"default\"\r\n"
                             "\"Path\"=\"C:\\Windows\"\r\n"
                             "\"Count\"=dword:0000002A\r\n"
                             "\"Multi\"=hex(7):61,00,\\\r\n"
                             "  62,00,00\r\n"
                             "\"Empty\"=hex:\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Deep", KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\DEEP\\KEY", KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(key, nullptr).Text(), "default");
    EXPECT_EQ(Query(key, "Path").Text(), "C:\\Windows");
    EXPECT_EQ(Query(key, "Count").data, (std::vector<BYTE>{0x2a, 0, 0, 0}));
    EXPECT_EQ(Query(key, "Multi").data, (std::vector<BYTE>{'a', 0, 'b', 0, 0}));
    EXPECT_EQ(Query(key, "Empty").type, REG_BINARY);

    const std::vector<BYTE> big(300, 0x5a);
    ASSERT_EQ(RegSetValueExA(key, "Big", REG_BINARY, big.data(), DWORD(big.size())), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "Big").data, big);
    RegCloseKey(key);
    const std::string file = ConfigSandbox::ReadText(sandbox.UserHive());
    EXPECT_NE(file.find("[HKEY_CURRENT_USER\\Software\\Deep]\n"), std::string::npos);
    EXPECT_NE(file.find(",\\\n  5a,"), std::string::npos);
    std::size_t longest = 0;
    for (std::size_t start = 0, end; (end = file.find('\n', start)) != std::string::npos;
         start = end + 1)
        longest = std::max(longest, end - start);
    EXPECT_LE(longest, 80u);
}
