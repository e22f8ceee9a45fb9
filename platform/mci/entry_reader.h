#pragma once
// Reads the times of an element's entry points (a disc's chapters) on a
// thread of its own, so that no one waits for the disc: the entry table gives
// the entries' places in the stream, and the stream's own time stamps there
// give their times, counted from the stream's first time stamp as players
// count a file's time.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::mci {

class EntryReader {
public:
    // Starts reading `element` (as OpenMediaStream names it).
    explicit EntryReader(const std::string& element);
    // Does not wait: the thread ends by itself after the read under way.
    ~EntryReader();
    EntryReader(const EntryReader&) = delete;
    EntryReader& operator=(const EntryReader&) = delete;

    // The times in seconds, ascending; nothing while they are still being
    // read. An element without entries, or whose entries cannot be read,
    // has none.
    std::optional<std::vector<double>> Times() const;

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
};

} // namespace platform::mci
