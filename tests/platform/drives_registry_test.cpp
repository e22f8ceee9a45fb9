#include "platform/diagnostics.h"
#include "platform/drives/registry_drive_mappings.h"
#include "platform/registry/TRegistry.h"

#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {

TEST(RegistryDriveMappings, KeepsOneTextValuePerLetterInTheMachineHive) {
    platform::RegistryDriveMappings store;
    store.Save({'F', "/discs/vcd.cue"});
    store.Save({'E', "/discs/VCD"});
    platform::TRegistry registry;
    registry.SetRootKey(platform::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey(platform::kDriveMappingKey, false));
    registry.WriteInteger("G:", 1);
    registry.WriteString("h:", "/discs/h.iso");
    registry.WriteString("AUX", "/dev/null");

    const auto loaded = store.Load();
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0].letter, 'E');
    EXPECT_EQ(loaded[1].target, "/discs/vcd.cue");
    EXPECT_EQ(loaded[2].letter, 'H');
    store.Remove('E');
    store.Remove('E');
    EXPECT_EQ(store.Load().size(), 2u);
}

TEST(RegistryDriveMappings, FailsWhenTheHiveCannotBeWritten) {
    QTemporaryDir scratch;
    std::ofstream(scratch.filePath("file").toStdString()) << "x";
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", scratch.filePath("file/config").toUtf8());
    const auto sink = platform::SetProblemSink([](const std::string&) {});
    EXPECT_THROW(platform::RegistryDriveMappings().Save({'E', "/discs"}),
                 platform::EDriveMappingError);
    platform::SetProblemSink(sink);
    qputenv("XDG_CONFIG_HOME", config);
}

} // namespace
