#pragma once
// Gives one test its own empty configuration folder and puts the previous one
// back afterwards, so that tests sharing a process never see each other's files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <string>

class ConfigSandbox {
public:
    // The folder is made inside `parent`, by default the system's temporary folder.
    explicit ConfigSandbox(const QString& parent = QDir::tempPath())
        : dir_(parent + "/quelvo-test-XXXXXX"), previous_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toUtf8());
    }
    ~ConfigSandbox() { qputenv("XDG_CONFIG_HOME", previous_); }
    ConfigSandbox(const ConfigSandbox&) = delete;
    ConfigSandbox& operator=(const ConfigSandbox&) = delete;

    std::string Base() const { return dir_.path().toStdString(); }
    std::string Folder() const { return Base() + "/config/quelvo"; }
    std::string UserHive() const { return Folder() + "/user.reg"; }

    // Puts a plain file where the configuration folder's parent should be, so
    // that nothing can be created there, whoever runs the test.
    void BlockFolder() const {
        WriteText(Base() + "/blocked", "not a folder");
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Base() + "/blocked/config"));
    }

    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static void WriteText(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};
