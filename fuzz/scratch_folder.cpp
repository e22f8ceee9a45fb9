#include "fuzz/scratch_folder.h"

#include <fstream>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

namespace fuzz {

std::string ScratchFolder() {
    static const QTemporaryDir folder(QDir::tempPath() + "/quelvo-fuzz-XXXXXX");
    return folder.path().toStdString();
}

std::string WriteScratchFile(const std::string& name, Input bytes, std::size_t zeros) {
    const std::string path = ScratchFolder() + "/" + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::vector<char> padding(zeros, 0);
    file.write(padding.data(), static_cast<std::streamsize>(padding.size()));
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

void RemoveScratchFile(const std::string& name) {
    QFile::remove(QString::fromStdString(ScratchFolder() + "/" + name));
}

} // namespace fuzz
