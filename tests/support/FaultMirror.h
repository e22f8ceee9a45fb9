#pragma once
// A folder seen through a FUSE mirror (fault_mirror.py beside this file) that
// answers EIO or stalls at chosen sectors of its files, the way scratched
// discs and drives that retry do. Faults can be armed and cleared while the
// player reads. Needs /dev/fuse and python3-fusepy; where they are missing
// the mirror stays unmounted and says why.
#include "tests/support/ChildProcess.h"

#include <memory>
#include <QTemporaryDir>
#include <string>

class FaultMirror {
public:
    // 2352-byte sectors, as in a raw BIN image.
    static constexpr int SectorSize = 2352;

    explicit FaultMirror(const std::string& source);
    ~FaultMirror();
    FaultMirror(const FaultMirror&) = delete;
    FaultMirror& operator=(const FaultMirror&) = delete;

    // Empty once mounted; else why the mirror is not there.
    const std::string& Unavailable() const { return unavailable_; }
    // `name` (a file of the source folder) as the mirror shows it.
    std::string Path(const std::string& name) const;

    // From now on, reads of `count` sectors from `first` of `name` fail.
    void FailSectors(const std::string& name, int first, int count);
    // ... or wait `seconds` before they are answered.
    void StallSectors(const std::string& name, int first, int count, int seconds);
    void ClearFaults();

    // Waits until a read has begun to stall (false when none does soon).
    bool WaitForStall();
    // True when a stalled read has been answered since the mirror started.
    bool StallAnswered();

private:
    void AddRule(const std::string& rule);
    // The mirror's reports, waiting up to `bound` for the first stall.
    void ReadReports(std::chrono::milliseconds bound);

    QTemporaryDir folder_;
    std::string mountPoint_;
    std::string rules_;
    std::unique_ptr<ChildProcess> mirror_;
    std::string unavailable_;
    int stalls_ = 0;
    int answered_ = 0;
};

// The first sector of track `track` in the .bin image of the cue sheet at `cue`
// (its INDEX 01), or -1.
int TrackStartSector(const std::string& cue, int track);
