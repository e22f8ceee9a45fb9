#pragma once
// The sectors behind a CD-ROM drive letter: an optical drive, or a disc image
// (.cue, .toc, .nrg, .ccd, .mds, .bin, .img or .iso) mapped to the letter.
#include "platform/disc/sector_reader.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

// Null, with `problem` saying why in words for the user, when there is no
// disc to read: an empty drive, a drive that cannot be opened, an image that
// is missing, unreadable or not an image of a data disc.
std::unique_ptr<SectorReader> OpenOpticalDrive(const std::string& device, std::string& problem);
// `files` receives the files the image's sectors depend on: the image and,
// for a BIN/CUE image, its cue sheet.
std::unique_ptr<SectorReader> OpenDiscImage(const std::string& path, std::string& problem,
                                            std::vector<std::string>& files);

} // namespace platform
