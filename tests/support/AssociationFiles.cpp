#include "tests/support/AssociationFiles.h"

#include "platform/registry/TRegistry.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace AssociationFiles {
namespace {

const std::string ExtensionsKey = "\\SOFTWARE\\Microsoft\\Multimedia\\MPlayer2\\Extensions\\";

QString folder() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + "/quelvo";
}

void write(const QString& path, const std::string& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(text.data(), static_cast<qint64>(text.size()));
}

std::string read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

std::string handlerSection(const std::string& extension, const std::string& handler) {
    return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Multimedia\\MPlayer2\\Extensions\\" +
           extension + "]\n\"MCIHandler\"=\"" + handler + "\"\n\n";
}

} // namespace

void WriteWinIni(const std::string& text) {
    write(folder() + "/windows/win.ini", text);
}

void WriteSystemIni(const std::string& text) {
    write(folder() + "/windows/system.ini", text);
}

void WriteMachineHive(const std::string& text) {
    write(folder() + "/system.reg", text);
}

void WriteHandlers(const std::string& datHandler, const std::string& mpgHandler) {
    WriteMachineHive("REGEDIT4\n\n" + handlerSection(".DAT", datHandler) +
                     handlerSection(".MPG", mpgHandler));
}

std::string WinIni() {
    return read(folder() + "/windows/win.ini");
}

std::string SystemIni() {
    return read(folder() + "/windows/system.ini");
}

std::string MachineHive() {
    return read(folder() + "/system.reg");
}

bool HandlerKeyExists(const std::string& extension) {
    platform::TRegistry registry(platform::KEY_READ);
    registry.SetRootKey(platform::HKEY_LOCAL_MACHINE);
    return registry.KeyExists(ExtensionsKey + extension);
}

std::string Handler(const std::string& extension) {
    platform::TRegistry registry(platform::KEY_READ);
    registry.SetRootKey(platform::HKEY_LOCAL_MACHINE);
    return registry.OpenKeyReadOnly(ExtensionsKey + extension) ? registry.ReadString("MCIHandler")
                                                               : "";
}

void LockMachineHive() {
    const QString lock = folder() + "/system.reg.lock";
    QFile::remove(lock);
    ASSERT_TRUE(QDir().mkpath(lock)) << "a folder where the hive's lock file belongs";
}

} // namespace AssociationFiles
