#include "app/FileSearch.h"

#include <algorithm>

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
