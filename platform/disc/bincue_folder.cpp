#include "platform/disc/bincue_folder.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

constexpr const char* cueName = "/disc.cue";
constexpr const char* imageName = "/disc.bin";

std::string TemporaryFolder() {
    for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        if (const char* folder = std::getenv(variable); folder && *folder)
            return folder;
    }
    return "/tmp";
}

} // namespace

BinCueFolder::BinCueFolder(std::string folder) : folder_(std::move(folder)) {
}

BinCueFolder::~BinCueFolder() {
    Remove();
}

void BinCueFolder::Remove() const {
    ::unlink((folder_ + cueName).c_str());
    ::unlink((folder_ + imageName).c_str());
    ::rmdir(folder_.c_str());
}

std::string BinCueFolder::CuePath() const {
    return folder_ + cueName;
}

std::unique_ptr<BinCueFolder>
BinCueFolder::Make(std::string_view cueText, const std::string& imagePath, std::string& problem) {
    const std::string pattern = TemporaryFolder() + "/quelvo-disc-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data())) {
        problem = "no private folder for the image can be made in " + TemporaryFolder();
        return nullptr;
    }
    std::unique_ptr<BinCueFolder> folder(new BinCueFolder(name.data()));
    std::ofstream cue(folder->CuePath(), std::ios::binary);
    cue.write(cueText.data(), static_cast<std::streamsize>(cueText.size()));
    cue.close();
    if (!cue || ::symlink(imagePath.c_str(), (folder->folder_ + imageName).c_str()) != 0) {
        problem = "the image cannot be linked in " + folder->folder_;
        return nullptr;
    }
    return folder;
}

} // namespace platform
