// The platform's share of a disc scan and of playing a track, on a drive
// letter the caller has mapped to a Video CD image:
//   - the folder tests and the listing the scan makes (MPEG2, MPEGAV, then the
//     listing of MPEGAV), each run from the drive table on, as the player
//     does them;
//   - the read rate of a track's Form 2 stream against the 174 kB/s a Video
//     CD plays at.
// Usage: quelvo-bench-disc-scan D: [RUNS]
#include "platform/files/files.h"
#include "platform/mci/element_stream.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// 75 sectors a second of 2324-byte payloads: a Video CD at single speed.
constexpr double videoCdRate = 75.0 * 2324;

struct Summary {
    double median, least, most;
};

Summary Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples.front(), samples.back()};
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool FolderExistsQuietly(const std::string& folder) {
    const platform::UINT previous = platform::SetErrorMode(platform::SEM_FAILCRITICALERRORS);
    const platform::DWORD attributes = platform::GetFileAttributesA(folder.c_str());
    platform::SetErrorMode(previous);
    return attributes != platform::INVALID_FILE_ATTRIBUTES &&
           (attributes & platform::FILE_ATTRIBUTE_DIRECTORY);
}

// The calls of one scan of a Video CD; the number of entries listed.
int ScanOnce(const std::string& drive) {
    FolderExistsQuietly(drive + "\\MPEG2\\");
    const std::string folder = drive + "\\MPEGAV\\";
    if (!FolderExistsQuietly(folder) || !FolderExistsQuietly(folder))
        return -1;
    platform::WIN32_FIND_DATAA data{};
    const platform::HANDLE listing = platform::FindFirstFileA((folder + "*.*").c_str(), &data);
    if (listing == platform::INVALID_HANDLE_VALUE)
        return -1;
    int entries = 1;
    while (platform::FindNextFileA(listing, &data))
        ++entries;
    platform::FindClose(listing);
    return entries;
}

// Bytes a second read from `element` in mpv-sized reads; 0 on a failure.
double ReadRate(const std::string& element, std::int64_t& size) {
    const Clock::time_point start = Clock::now();
    std::unique_ptr<platform::MediaStream> stream;
    if (platform::mci::OpenMediaStream(element, stream) != 0)
        return 0;
    std::vector<char> buffer(64 * 1024);
    size = 0;
    for (std::int64_t count; (count = stream->Read(buffer.data(), buffer.size())) != 0;
         size += count) {
        if (count < 0)
            return 0;
    }
    return double(size) / (MillisecondsSince(start) / 1000);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s D: [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string drive = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 101;

    std::vector<double> scans;
    double first = 0;
    for (int run = 0; run <= runs; ++run) {
        const Clock::time_point start = Clock::now();
        if (ScanOnce(drive) < 0) {
            std::fprintf(stderr, "no Video CD on %s\n", drive.c_str());
            return 1;
        }
        // The first scan opens libcdio and the image; a player's first scan
        // at start-up pays that once.
        (run == 0 ? first : scans.emplace_back()) = MillisecondsSince(start);
    }
    const Summary scan = Summarise(scans);
    std::printf("folder tests + MPEGAV listing, first: %.2f ms; scan goal 5 ms; ratio %.2f\n",
                first, first / 5);
    std::printf("folder tests + MPEGAV listing, again: median %.2f ms over %d runs (min %.2f, max "
                "%.2f); scan goal 5 ms; ratio %.2f\n",
                scan.median, runs, scan.least, scan.most, scan.median / 5);

    const std::string track = drive + "\\MPEGAV\\AVSEQ01.DAT";
    std::vector<double> rates;
    std::int64_t size = 0;
    for (int run = 0; run < 5; ++run)
        rates.push_back(ReadRate(track, size));
    const Summary rate = Summarise(rates);
    if (rate.least <= 0) {
        std::fprintf(stderr, "cannot read %s\n", track.c_str());
        return 1;
    }
    std::printf("Form 2 stream of %s (%lld bytes): median %.1f MB/s over 5 reads (min %.1f); "
                "a Video CD needs 174.3 kB/s; ratio %.0f\n",
                track.c_str(), static_cast<long long>(size), rate.median / 1e6, rate.least / 1e6,
                rate.median / videoCdRate);
    return 0;
}
