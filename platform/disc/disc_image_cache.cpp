#include "platform/disc/disc_image_cache.h"

#include "platform/disc/disc_source.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace platform {
namespace {

// A few images: a scan goes through one drive at a time.
constexpr std::size_t imagesKept = 4;

// What tells one version of a file from the next.
struct FileIdentity {
    dev_t device;
    ino_t inode;
    off_t size;
    timespec modified;
    timespec changed;

    bool operator==(const FileIdentity& other) const {
        auto same = [](const timespec& a, const timespec& b) {
            return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
        };
        return device == other.device && inode == other.inode && size == other.size &&
               same(modified, other.modified) && same(changed, other.changed);
    }
};

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, status.st_size, status.st_mtim,
                        status.st_ctim};
}

struct KeptImage {
    std::string path;
    std::vector<std::pair<std::string, FileIdentity>> files;
    std::shared_ptr<SectorReader> sectors;

    bool Unchanged() const {
        return std::all_of(files.begin(), files.end(),
                           [](const auto& file) { return IdentityOf(file.first) == file.second; });
    }
};

} // namespace

std::shared_ptr<SectorReader> SharedDiscImage(const std::string& path, std::string& problem) {
    static std::mutex lock;
    static std::deque<KeptImage> kept; // the last used first
    const std::lock_guard guard(lock);
    const auto found = std::find_if(kept.begin(), kept.end(),
                                    [&](const KeptImage& image) { return image.path == path; });
    if (found != kept.end()) {
        KeptImage image = std::move(*found);
        kept.erase(found);
        if (image.Unchanged()) {
            kept.push_front(std::move(image));
            return kept.front().sectors;
        }
    }
    std::vector<std::string> files;
    KeptImage image{path, {}, OpenDiscImage(path, problem, files)};
    if (!image.sectors)
        return nullptr;
    for (const std::string& file : files) {
        const std::optional<FileIdentity> identity = IdentityOf(file);
        if (!identity)
            return image.sectors; // gone already: good for this call only
        image.files.emplace_back(file, *identity);
    }
    kept.push_front(std::move(image));
    if (kept.size() > imagesKept)
        kept.pop_back();
    return kept.front().sectors;
}

} // namespace platform
