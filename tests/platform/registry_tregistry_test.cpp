#include "platform/registry/TRegistry.h"
#include "registry_test_support.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

using namespace registry_test;
using platform::ERegistryException;
using platform::TRegistry;

namespace {

// Runs `action` and returns the registry error's text, or "" when none came.
template <typename Action> std::string ErrorOf(Action action) {
    try {
        action();
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return "";
}

} // namespace

TEST(TRegistry, TextsIntegersAndBytesRoundTripAndMissingTextReadsEmpty) {
    ConfigSandbox sandbox;
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("SOFTWARE\\Norvane\\Quelvo Player", true));
    EXPECT_EQ(registry.ReadString("Zoom"), "");
    registry.WriteString("Zoom", "4");
    registry.WriteExpandString("Path", "%HOME%\\x");
    registry.WriteInteger("Count", -7);
    registry.WriteBinaryData("Bytes", {0, 1, 255});

    TRegistry reader(platform::KEY_READ);
    ASSERT_TRUE(reader.OpenKeyReadOnly("software\\norvane\\QUELVO PLAYER"));
    EXPECT_EQ(reader.ReadString("ZOOM"), "4");
    EXPECT_EQ(reader.ReadString("Path"), "%HOME%\\x");
    EXPECT_EQ(reader.ReadInteger("Count"), -7);
    EXPECT_EQ(reader.ReadBinaryData("Bytes"), (std::vector<BYTE>{0, 1, 255}));
    EXPECT_EQ(reader.GetValueNames(), (std::vector<std::string>{"Zoom", "Path", "Count", "Bytes"}));

    EXPECT_TRUE(registry.DeleteValue("zoom"));
    EXPECT_FALSE(reader.ValueExists("Zoom"));
    EXPECT_FALSE(registry.DeleteValue("Zoom"));
    EXPECT_EQ(ErrorOf([&] { reader.ReadInteger("Zoom"); }), "Failed to get data for 'Zoom'");
}

TEST(TRegistry, WrongTypesAndRefusedWritesRaiseTheFrameworkTexts) {
    ConfigSandbox sandbox;
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("SOFTWARE\\Norvane\\Quelvo Player", true));
    registry.WriteInteger("Zoom", 4);
    EXPECT_EQ(ErrorOf([&] { registry.ReadString("Zoom"); }), "Invalid data type for 'Zoom'");
    registry.WriteString("Drive", "1");
    EXPECT_EQ(ErrorOf([&] { registry.ReadInteger("Drive"); }), "Invalid data type for 'Drive'");

    TRegistry reader(platform::KEY_READ);
    ASSERT_TRUE(reader.OpenKey("SOFTWARE\\Norvane\\Quelvo Player", false));
    EXPECT_EQ(ErrorOf([&] { reader.WriteString("Drive", "2"); }), "Failed to set data for 'Drive'");
    reader.CloseKey();
    EXPECT_EQ(ErrorOf([&] { reader.WriteString("Drive", "2"); }), "Failed to set data for 'Drive'");
    EXPECT_EQ(registry.ReadString("Drive"), "1");
}

TEST(TRegistry, NamesWithoutLeadingBackslashStartAtTheOpenKey) {
    ConfigSandbox sandbox;
    TRegistry registry;
    EXPECT_FALSE(registry.KeyExists("Quelvo Player"));
    ASSERT_TRUE(registry.OpenKey("Quelvo Player", true));
    EXPECT_TRUE(registry.CreateKey("Quelvo Player"));
    EXPECT_TRUE(registry.KeyExists("Quelvo Player"));
    EXPECT_TRUE(registry.KeyExists("\\Quelvo Player\\Quelvo Player"));
    EXPECT_FALSE(registry.KeyExists("Quelvo Player\\Quelvo Player"));
    ASSERT_TRUE(registry.OpenKey("Quelvo Player", false));
    registry.WriteString("FormVersion", "0");
    EXPECT_TRUE(registry.KeyExists("\\Quelvo Player"));

    registry.SetRootKey(platform::HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_FALSE(registry.KeyExists("Quelvo Player"));
    registry.SetRootKey(platform::HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKeyReadOnly("Quelvo Player\\Quelvo Player"));
    EXPECT_EQ(registry.ReadString("FormVersion"), "0");
}

TEST(TRegistry, AKeyThatCannotBeCreatedRaisesItsName) {
    ConfigSandbox sandbox;
    sandbox.BlockFolder();
    TRegistry registry;
    EXPECT_FALSE(registry.OpenKey("Quelvo Player", true));
    EXPECT_EQ(ErrorOf([&] { registry.CreateKey("Quelvo Player"); }),
              "Failed to create key Quelvo Player");
}
