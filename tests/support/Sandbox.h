#pragma once
// Configuration folders for tests: the test process's own (see test_main.cpp),
// set up the way a test needs it, and folders of a single test's own.
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <string>

namespace Sandbox {

// Removes every hive and profile file, as on a first run.
void ClearConfiguration();
// Makes the configuration folder impossible to create or write.
void BreakConfiguration();
// Maps LETTER (like "D:") to a fresh empty folder, so it counts as a CD-ROM
// drive; returns the folder.
std::string MapDrive(const std::string& letter);
// Maps LETTER to a disc image or a folder that exists already.
void MapDriveTo(const std::string& letter, const std::string& target);
// Stores a REG_DWORD under HKEY_CURRENT_USER.
void StoreDword(const std::string& key, const std::string& name, unsigned value);

} // namespace Sandbox

// Gives one test its own empty configuration folder and puts the previous one
// back afterwards, so that tests sharing a process never see each other's files.
class ConfigSandbox {
public:
    // The folder is made inside `parent`, by default the system's temporary folder.
    explicit ConfigSandbox(const QString& parent = QDir::tempPath());
    ~ConfigSandbox();
    ConfigSandbox(const ConfigSandbox&) = delete;
    ConfigSandbox& operator=(const ConfigSandbox&) = delete;

    bool IsValid() const { return dir_.isValid(); }
    std::string Base() const { return dir_.path().toStdString(); }
    std::string Folder() const { return Base() + "/config/quelvo"; }
    std::string UserHive() const { return Folder() + "/user.reg"; }

    // Puts a plain file where the configuration folder's parent should be, so
    // that nothing can be created there, whoever runs the test.
    void BlockFolder() const;

    static std::string ReadText(const std::string& path);
    static void WriteText(const std::string& path, const std::string& text);

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};
