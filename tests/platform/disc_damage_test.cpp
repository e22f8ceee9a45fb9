// Reading through damage, on sectors whose faults a test chooses: dead
// sectors read as empty payloads with the offsets of the rest kept, a flaky
// sector is read after all, a stretch too long to skip ends the reading, and
// a cancelled reader stops between sectors. Also the order in which a drive's
// ways of reading Form 2 are tried, and folder reads that a silent drive
// cannot hold for long, each folder read once while it reads.
#include "platform/diagnostics.h"
#include "platform/disc/bounded_data_reader.h"
#include "platform/disc/damage_skipping_reader.h"
#include "platform/disc/disc_image_cache.h"
#include "platform/disc/disc_volume.h"
#include "platform/disc/form2_access_modes.h"
#include "platform/winerror.h"
#include "tests/support/TestMedia.h"

#include <atomic>

#include <condition_variable>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <QString>
#include <set>

using namespace platform;

namespace {

// Sectors whose payloads are their number, each byte; dead ones fail, flaky
// ones fail their first reads.
class ScriptedSectors : public SectorReader {
public:
    std::uint32_t Sectors() const override { return 10000; }
    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override {
        return Read(lsn, count, buffer, kDataSectorSize);
    }
    bool ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override {
        return Read(lsn, count, buffer, kForm2PayloadSize);
    }

    std::set<std::uint32_t> dead;
    std::map<std::uint32_t, int> failuresLeft; // flaky sectors
    std::function<void(std::uint32_t lsn)> onRead;
    int reads = 0;

private:
    bool Read(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer, std::size_t size) {
        ++reads;
        for (std::uint32_t sector = lsn; sector < lsn + count; ++sector) {
            if (onRead)
                onRead(sector);
            if (dead.contains(sector))
                return false;
            if (auto flaky = failuresLeft.find(sector);
                flaky != failuresLeft.end() && flaky->second > 0) {
                --flaky->second;
                return false;
            }
            std::fill_n(buffer + (sector - lsn) * size, size, static_cast<std::uint8_t>(sector));
        }
        return true;
    }
};

// Collects the problems reported while it lives.
struct Reports {
    Reports()
        : previous(SetProblemSink([this](const std::string& text) { lines.push_back(text); })) {}
    ~Reports() { SetProblemSink(previous); }
    std::vector<std::string> lines;
    ProblemSink previous;
};

std::vector<std::uint8_t> Payloads(std::uint32_t count) {
    return std::vector<std::uint8_t>(count * kForm2PayloadSize, 0xAA);
}

std::uint8_t PayloadByte(const std::vector<std::uint8_t>& payloads, std::uint32_t sector) {
    return payloads[sector * kForm2PayloadSize + kForm2PayloadSize / 2];
}

TEST(DamagedSectors, DeadSectorsReadEmptyInPlaceAndTheirStretchIsReportedOnce) {
    auto sectors = std::make_shared<ScriptedSectors>();
    sectors->dead = {1005, 1006, 1007, 1040};
    Reports reports;
    {
        DamageSkippingReader reader(sectors, "/discs/worn.cue");
        std::vector<std::uint8_t> payloads = Payloads(32);
        ASSERT_TRUE(reader.ReadForm2(1000, 32, payloads.data()));
        for (std::uint32_t sector = 0; sector < 32; ++sector) {
            const bool dead = sector >= 5 && sector <= 7;
            EXPECT_EQ(PayloadByte(payloads, sector),
                      dead ? 0 : static_cast<std::uint8_t>(1000 + sector))
                << sector;
        }
        // The stretch is told once a sector after it is read.
        ASSERT_EQ(reports.lines,
                  std::vector<std::string>{
                      "/discs/worn.cue: sectors 1005 to 1007 cannot be read; skipped."});
        // A lone dead sector at the end of the last read is told when the
        // reading ends.
        ASSERT_TRUE(reader.ReadForm2(1032, 9, payloads.data()));
        EXPECT_EQ(PayloadByte(payloads, 8), 0);
        EXPECT_EQ(reports.lines.size(), 1u);
    }
    ASSERT_EQ(reports.lines.size(), 2u);
    EXPECT_EQ(reports.lines[1], "/discs/worn.cue: sectors 1040 to 1040 cannot be read; skipped.");
}

TEST(DamagedSectors, ASectorThatReadsOnALaterTryKeepsItsData) {
    auto sectors = std::make_shared<ScriptedSectors>();
    sectors->failuresLeft[12] = kTriesPerSector - 1;
    Reports reports;
    DamageSkippingReader reader(sectors, "/dev/sr0");
    std::vector<std::uint8_t> data(4 * kDataSectorSize);
    ASSERT_TRUE(reader.ReadData(10, 4, data.data()));
    EXPECT_EQ(data[2 * kDataSectorSize], 12);
    EXPECT_TRUE(reports.lines.empty());
}

TEST(DamagedSectors, AStretchOverManyReadsIsOneStretchUntilItGrowsTooLongToSkip) {
    auto sectors = std::make_shared<ScriptedSectors>();
    for (std::uint32_t sector = 2000; sector < 2000 + kLongestSkippedStretch + 50; ++sector)
        sectors->dead.insert(sector);
    Reports reports;
    DamageSkippingReader reader(sectors, "/dev/sr0");
    std::vector<std::uint8_t> payloads = Payloads(32);
    std::uint32_t lsn = 1990;
    while (reader.ReadForm2(lsn, 32, payloads.data()))
        lsn += 32;
    // The read that reached the limit failed; the ones before it were whole.
    EXPECT_LE(lsn, 2000 + kLongestSkippedStretch);
    EXPECT_GT(lsn + 32, 2000 + kLongestSkippedStretch - 1);
    // Formatted, not added up: GCC 12 at -O3 takes a sum of strings here for
    // a copy out of bounds (a false -Warray-bounds).
    const QString expected =
        QString("/dev/sr0: sectors 2000 to %1 cannot be read; not skipped: the track ends there.")
            .arg(2000 + kLongestSkippedStretch - 1);
    ASSERT_EQ(reports.lines, std::vector<std::string>{expected.toStdString()});
    // Asked again, the stretch fails at once; what lies outside it reads.
    const int reads = sectors->reads;
    EXPECT_FALSE(reader.ReadForm2(2100, 1, payloads.data()));
    EXPECT_EQ(sectors->reads, reads);
    EXPECT_TRUE(reader.ReadForm2(3000, 1, payloads.data()));
}

TEST(DamagedSectors, ACancelledReaderStopsAtTheNextSectorAndReadsNoMore) {
    auto sectors = std::make_shared<ScriptedSectors>();
    for (std::uint32_t sector = 100; sector < 132; ++sector)
        sectors->dead.insert(sector);
    DamageSkippingReader reader(sectors, "/dev/sr0");
    // Cancelled from elsewhere while the sector-by-sector retries are under way.
    sectors->onRead = [&](std::uint32_t lsn) {
        if (lsn == 110)
            reader.Cancel();
    };
    std::vector<std::uint8_t> payloads = Payloads(32);
    EXPECT_FALSE(reader.ReadForm2(100, 32, payloads.data()));
    EXPECT_LT(sectors->reads, 1 + 11 * kTriesPerSector);
    const int reads = sectors->reads;
    EXPECT_FALSE(reader.ReadForm2(0, 1, payloads.data()));
    EXPECT_EQ(sectors->reads, reads);
}

TEST(DamagedSectors, ReadsOutsideTheMediumFailWithoutCountingAsDamage) {
    auto sectors = std::make_shared<ScriptedSectors>();
    Reports reports;
    {
        DamageSkippingReader reader(sectors, "/dev/sr0");
        std::vector<std::uint8_t> payloads = Payloads(4);
        EXPECT_FALSE(reader.ReadForm2(sectors->Sectors() - 2, 4, payloads.data()));
        EXPECT_TRUE(reader.ReadForm2(sectors->Sectors() - 4, 4, payloads.data()));
    }
    EXPECT_TRUE(reports.lines.empty());
}

TEST(Form2AccessModes, ADriveIsReadTheMostCommonWayFirstAndTheWayThatWorksIsKept) {
    EXPECT_EQ(Form2AccessModes(), (std::vector<std::string>{"READ_CD", "IOCTL", "READ_10"}));

    AccessModeFallback modes(Form2AccessModes());
    std::vector<std::string> tried;
    const auto worksIn = [&](const std::string& working) {
        return [&, working](const std::string& mode) {
            tried.push_back(mode);
            return mode == working;
        };
    };
    EXPECT_TRUE(modes.Read(worksIn("READ_CD")));
    EXPECT_EQ(tried, (std::vector<std::string>{"READ_CD"}));

    tried.clear();
    EXPECT_TRUE(modes.Read(worksIn("READ_10")));
    EXPECT_EQ(tried, (std::vector<std::string>{"READ_CD", "IOCTL", "READ_10"}));
    EXPECT_EQ(modes.Current(), "READ_10");

    // A damaged sector fails every way; the way that worked stays.
    tried.clear();
    EXPECT_FALSE(modes.Read(worksIn("none")));
    EXPECT_EQ(tried, (std::vector<std::string>{"READ_10", "READ_CD", "IOCTL"}));
    EXPECT_EQ(modes.Current(), "READ_10");
}

// A drive that answers only when the test lets it.
class SilentDrive : public ScriptedSectors {
public:
    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override {
        std::unique_lock lock(mutex);
        answer.wait(lock, [this] { return answering; });
        return ScriptedSectors::ReadData(lsn, count, buffer);
    }
    void Answer() {
        const std::lock_guard lock(mutex);
        answering = true;
        answer.notify_all();
    }

    std::mutex mutex;
    std::condition_variable answer;
    bool answering = false;
};

TEST(FolderReads, ADriveThatDoesNotAnswerFailsTheReadAndItsLateAnswerIsDropped) {
    auto drive = std::make_shared<SilentDrive>();
    BoundedDataReader folders(drive, std::chrono::milliseconds(50));
    std::vector<std::uint8_t> data(2 * kDataSectorSize, 0xAA);
    EXPECT_FALSE(folders.ReadData(16, 2, data.data()));
    drive->Answer();
    EXPECT_TRUE(folders.ReadData(18, 1, data.data()));
    EXPECT_EQ(data[0], 18);
    EXPECT_EQ(data[kDataSectorSize], 0xAA) << "the late answer was written into the buffer";
}

TEST(FolderReads, ASilentDriveHoldsUpNoOtherDrive) {
    auto silent = std::make_shared<SilentDrive>();
    BoundedDataReader stalled(silent, std::chrono::milliseconds(50));
    BoundedDataReader answering(std::make_shared<ScriptedSectors>(), kFolderReadBound);
    std::vector<std::uint8_t> data(kDataSectorSize);
    EXPECT_FALSE(stalled.ReadData(16, 1, data.data()));
    EXPECT_FALSE(stalled.ReadData(17, 1, data.data()));
    EXPECT_TRUE(answering.ReadData(20, 1, data.data()))
        << "the other drive waited behind the silent one";
    EXPECT_EQ(data[0], 20);
    silent->Answer();
}

// An image whose data reads are counted, the next `failing` of them failed.
class CountedImage : public SectorReader {
public:
    explicit CountedImage(std::shared_ptr<SectorReader> image) : image_(std::move(image)) {}
    std::uint32_t Sectors() const override { return image_->Sectors(); }
    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override {
        ++reads;
        if (failing > 0) {
            --failing;
            return false;
        }
        return image_->ReadData(lsn, count, buffer);
    }
    bool ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override {
        return image_->ReadForm2(lsn, count, buffer);
    }

    std::atomic<int> reads = 0;
    std::atomic<int> failing = 0;

private:
    const std::shared_ptr<SectorReader> image_;
};

TEST(FolderReads, AVolumeReadsEachFolderOnceAndOneThatFailedAgain) {
    const std::string text = TestMedia::TextFile("readme.txt", "Hello.\n");
    std::string problem;
    auto image = std::make_shared<CountedImage>(SharedDiscImage(
        TestMedia::DataDiscImage({{"MPEGAV/README.TXT", text}, {"MPEGAV/AVSEQ01.DAT", text}}),
        problem));
    const std::unique_ptr<DiscVolume> volume = DiscVolume::Open(image, "data.iso", problem);
    ASSERT_TRUE(volume) << problem;

    image->failing = 1;
    std::vector<VolumeEntry> entries;
    EXPECT_EQ(volume->ListFolder({}, entries), ERROR_READ_FAULT);
    EXPECT_EQ(volume->ListFolder({}, entries), ERROR_SUCCESS) << "a failed read was kept";
    const int opened = image->reads;
    ASSERT_EQ(volume->ListFolder({"MPEGAV"}, entries), ERROR_SUCCESS);
    ASSERT_EQ(entries.size(), 2u);
    VolumeEntry entry{};
    EXPECT_EQ(volume->Find({"mpegav", "avseq01.dat"}, entry), ERROR_SUCCESS);
    EXPECT_EQ(volume->Find({"MPEGAV", "README.TXT"}, entry), ERROR_SUCCESS);
    EXPECT_EQ(volume->ListFolder({}, entries), ERROR_SUCCESS);
    EXPECT_EQ(image->reads - opened, 1) << "only MPEGAV is new after the root";
}

} // namespace
