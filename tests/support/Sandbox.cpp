#include "tests/support/Sandbox.h"

#include "platform/drives/registry_drive_mappings.h"
#include "platform/registry/registry.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace Sandbox {
namespace {

QString configurationFolder() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + "/quelvo";
}

void setValue(platform::HKEY root, const std::string& key, const std::string& name,
              platform::DWORD type, const void* data, platform::DWORD size) {
    platform::HKEY opened = nullptr;
    ASSERT_EQ(
        platform::RegCreateKeyExA(root, key.c_str(), platform::KEY_ALL_ACCESS, &opened, nullptr),
        platform::ERROR_SUCCESS);
    EXPECT_EQ(platform::RegSetValueExA(opened, name.c_str(), type,
                                       static_cast<const platform::BYTE*>(data), size),
              platform::ERROR_SUCCESS);
    platform::RegCloseKey(opened);
}

} // namespace

void ClearConfiguration() {
    QDir(configurationFolder()).removeRecursively();
    QFile::remove(configurationFolder());
}

void BreakConfiguration() {
    ClearConfiguration();
    QDir().mkpath(qEnvironmentVariable("XDG_CONFIG_HOME"));
    QFile blocker(configurationFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)) << "a file where the folder belongs";
}

std::string MapDrive(const std::string& letter) {
    // A new folder every time: a test process may map the same letter again.
    static int mapped = 0;
    const QString folder =
        QDir::homePath() +
        QStringLiteral("/discs/%1-%2").arg(QString::fromStdString(letter).at(0)).arg(++mapped);
    QDir().mkpath(folder);
    MapDriveTo(letter, folder.toStdString());
    return folder.toStdString();
}

void MapDriveTo(const std::string& letter, const std::string& target) {
    platform::RegistryDriveMappings().Save({letter.at(0), target});
}

void StoreDword(const std::string& key, const std::string& name, unsigned value) {
    const platform::DWORD data = value;
    setValue(platform::HKEY_CURRENT_USER, key, name, platform::REG_DWORD, &data, sizeof data);
}

} // namespace Sandbox

ConfigSandbox::ConfigSandbox(const QString& parent)
    : dir_(parent + "/quelvo-test-XXXXXX"), previous_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toUtf8());
}

ConfigSandbox::~ConfigSandbox() {
    qputenv("XDG_CONFIG_HOME", previous_);
}

void ConfigSandbox::BlockFolder() const {
    WriteText(Base() + "/blocked", "not a folder");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Base() + "/blocked/config"));
}

std::string ConfigSandbox::ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ConfigSandbox::WriteText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}
