#include "app/FileSearch.h"

#include "system/EError.h"

#include "platform/ascii_case.h"
#include "platform/drives/drives.h"
#include "platform/files/files.h"
#include "platform/io/error_mode.h"
#include "platform/last_error.h"
#include "platform/paths/path_parts.h"
#include "platform/ui/Dialogs.h"

#include <algorithm>
#include <QCoreApplication>

namespace {

bool DirectoryExists(const QString& folder) {
    const platform::DWORD attributes = platform::GetFileAttributesA(folder.toUtf8().constData());
    return attributes != platform::INVALID_FILE_ATTRIBUTES &&
           (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Upper case for a to z only, whatever the locale.
QString asciiUpper(const QString& text) {
    return QString::fromStdString(platform::AsciiUpper(text.toStdString()));
}

// The extension with its dot, or empty when the name part has no dot.
QString extractFileExt(const QString& path) {
    return QString::fromStdString(std::string(platform::ExtensionPart(path.toStdString())));
}

// Closes a find handle however the listing ends.
class FindHandle {
public:
    explicit FindHandle(platform::HANDLE handle) : FHandle(handle) {}
    ~FindHandle() {
        if (FHandle != platform::INVALID_HANDLE_VALUE)
            platform::FindClose(FHandle);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    platform::HANDLE Get() const { return FHandle; }

private:
    platform::HANDLE FHandle;
};

} // namespace

bool GetDriveList(QStringList& Strings, std::initializer_list<platform::UINT> DriveTypes) {
    Strings.clear();
    char buffer[260] = {};
    const platform::DWORD length = platform::GetLogicalDriveStringsA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return false;
    for (const char* root = buffer; *root; root += std::char_traits<char>::length(root) + 1) {
        const bool taken =
            DriveTypes.size() == 0 || std::find(DriveTypes.begin(), DriveTypes.end(),
                                                platform::GetDriveTypeA(root)) != DriveTypes.end();
        if (taken)
            Strings.append(QString::fromLatin1(root, 2));
    }
    return true;
}

bool DirectoryExistsQuiet(const QString& Folder) {
    try {
        const platform::UINT previous = platform::SetErrorMode(platform::SEM_FAILCRITICALERRORS);
        const bool exists = DirectoryExists(Folder);
        platform::SetErrorMode(previous);
        return exists;
    } catch (...) {
        return DirectoryExists(Folder);
    }
}

bool MatchesFilter(const QString& FileName, const QString& Filter) {
    QString extension = asciiUpper(extractFileExt(FileName));
    if (extension.isEmpty() || extension == QLatin1String("."))
        extension = QStringLiteral(".NOTHING");
    if (Filter == QLatin1String("*.*") || Filter == QLatin1String("*.*;"))
        return true;
    return asciiUpper(Filter + QLatin1Char(';')).contains(extension + QLatin1Char(';'));
}

QString ExtractFileNameNoExt(const QString& Path) {
    return QString::fromStdString(std::string(platform::NameWithoutExtension(Path.toStdString())));
}

bool BuildFileList(QStringList& Strings, const QString& Folder, const QString& Filter,
                   bool FullPath, bool NoExtension, bool ShowErrors, QString Mask) {
    try {
        Strings.clear();
        if (Mask.isEmpty())
            Mask = QStringLiteral("*.*");
        if (!DirectoryExists(Folder))
            throw EError(
                QCoreApplication::translate("FileSearch", "Directory not found").toStdString());
        platform::WIN32_FIND_DATAA found{};
        const FindHandle search(
            platform::FindFirstFileA((AddSlash(Folder) + Mask).toUtf8().constData(), &found));
        // Nothing found is an empty folder; anything else means the folder
        // went away or cannot be listed.
        if (search.Get() == platform::INVALID_HANDLE_VALUE) {
            if (platform::GetLastError() != platform::ERROR_FILE_NOT_FOUND)
                throw EError(
                    QCoreApplication::translate("FileSearch", "Directory not found").toStdString());
            return true;
        }
        do {
            const QString name = QString::fromUtf8(found.cFileName);
            if (name == QLatin1String(".") || name == QLatin1String("..") ||
                !MatchesFilter(name, Filter))
                continue;
            if (FullPath)
                Strings.append(AddSlash(Folder) + name);
            else if (NoExtension)
                Strings.append(ExtractFileNameNoExt(name));
            else
                Strings.append(name);
        } while (platform::FindNextFileA(search.Get(), &found));
        return true;
    } catch (const std::exception&) {
        if (ShowErrors)
            platform::ShowInformation(
                QCoreApplication::translate("FileSearch", "Unable to change to the folder, %1.")
                    .arg(Folder));
        return false;
    }
}

QString AddSlash(const QString& Path) {
    int first = 0;
    int last = static_cast<int>(Path.size()) - 1;
    while (first <= last && Path[first].unicode() <= 32)
        ++first;
    while (last >= first && Path[last].unicode() <= 32)
        --last;
    QString result = Path.mid(first, last - first + 1);
    if (!result.isEmpty() && !result.endsWith('\\') && !result.endsWith('/'))
        result += QLatin1Char('\\');
    return result;
}
