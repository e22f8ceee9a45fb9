#pragma once
// The bytes of a file a driver plays, whatever holds them: host files and
// files on discs both read through this one interface.
#include <cstdint>
#include <vector>

namespace platform {

// Read from one thread at a time (a driver's reading thread).
class MediaStream {
public:
    virtual ~MediaStream() = default;
    // Up to `size` bytes into `buffer`: the count read, 0 at the end, -1 on a
    // read error.
    virtual std::int64_t Read(char* buffer, std::uint64_t size) = 0;
    // Moves to `offset` from the start; false when that is not possible.
    virtual bool Seek(std::int64_t offset) = 0;
    // The size in bytes, or -1 when unknown.
    virtual std::int64_t Size() const = 0;
    // Makes the read under way give up as soon as it can, and every later
    // read fail at once: the stream's reader is going away. Any thread. A
    // stream whose reads cannot be cut short has nothing to do; its caller
    // stops asking.
    virtual void Cancel() {}

    // Where the medium marks entry points (a disc's chapters) in the stream,
    // as byte offsets, ascending; none for most streams. May read the medium,
    // so it belongs on a reading thread too.
    virtual std::vector<std::int64_t> EntryOffsets() { return {}; }
};

} // namespace platform
