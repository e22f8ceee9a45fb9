#include "platform/profile/TIniFile.h"

#include "platform/profile/profile.h"

#include <QCoreApplication>
#include <utility>
#include <vector>

namespace platform {

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName)) {
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
    // A value that fills the buffer may have been cut: try again larger.
    std::vector<char> buffer(2048);
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(
            section.c_str(), ident.c_str(), defaultValue.c_str(), buffer.data(),
            static_cast<DWORD>(buffer.size()), FFileName.c_str());
        if (length + 1 < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(),
                                    FFileName.c_str()))
        throw EIniFileException(QCoreApplication::translate("TIniFile", "Unable to write to %1")
                                    .arg(QString::fromStdString(FFileName))
                                    .toStdString());
}

} // namespace platform
