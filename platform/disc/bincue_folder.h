#pragma once
// libcdio's BIN/CUE driver reads the cue sheet it is given, but then opens
// "<cue sheet name>.bin" beside it, whatever the sheet's FILE line says, and
// takes only a name ending in ".cue" or ".CUE". A private folder gives it
// exactly that: "disc.cue" with the sheet's text and "disc.bin", a link to the
// image file the sheet really names.
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class BinCueFolder {
public:
    // Null, with `problem` saying why, when the folder cannot be made.
    static std::unique_ptr<BinCueFolder> Make(std::string_view cueText,
                                              const std::string& imagePath, std::string& problem);
    // Removes the folder. libcdio opens the image lazily, so the folder must
    // outlive every handle opened on it.
    ~BinCueFolder();
    BinCueFolder(const BinCueFolder&) = delete;
    BinCueFolder& operator=(const BinCueFolder&) = delete;

    std::string CuePath() const;

private:
    explicit BinCueFolder(std::string folder);
    void Remove() const;

    const std::string folder_;
};

} // namespace platform
