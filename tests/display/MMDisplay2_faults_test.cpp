// The panel on the real video driver when what it plays goes wrong: sectors
// that stop reading mid-track (through a FUSE mirror that fails them, as a
// failing drive does), an image cut or deleted while it plays, a
// letter whose image vanishes before the open, and files named .dat that
// hold no playable MPEG. Each ends in an error or a short play, never a crash
// or a hang, and the next track still plays.
#include "display/MediaPlayer.h"
#include "tests/display/VideoPanelFixture.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/EventLoop.h"
#include "tests/support/FaultMirror.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/ProblemRecorder.h"
#include "tests/support/Sandbox.h"
#include "tests/support/TestMedia.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

namespace fs = std::filesystem;

class PanelFaults : public VideoPanelTest {
protected:
    // A copy of the Video CD image of its own, mapped to E:.
    std::string MapImageCopy() {
        const TestMedia::CueBin vcd = TestMedia::VcdImage();
        const std::string bin =
            (fs::path(folder.path().toStdString()) / fs::path(vcd.bin).filename()).string();
        fs::copy_file(vcd.bin, bin, fs::copy_options::overwrite_existing);
        const std::string cue = folder.filePath("vcd.cue").toStdString();
        fs::copy_file(vcd.cue, cue, fs::copy_options::overwrite_existing);
        Sandbox::MapDriveTo("E:", cue);
        return bin;
    }

    // Plays `name`, which must open; true when the track ends, by itself or
    // because the panel gave up on it: the device is closed again.
    bool PlayUntilItEnds(const QString& name) {
        const int before = ended;
        panel->PlayFile(name);
        return RunEventsUntil(
            [&] { return ended > before || panel->MediaPlayer()->DeviceID() == 0; });
    }

    // As PlayUntilItEnds, for what may just as well fail to open.
    bool PlayOrFailToOpen(const QString& name) {
        try {
            return PlayUntilItEnds(name);
        } catch (const std::exception&) {
            return panel->MediaPlayer()->DeviceID() == 0;
        }
    }

    // The window is still ours: the next track plays to its end.
    void ExpectTheNextTrackToPlay(const QString& name) {
        const int before = ended;
        panel->PlayFile(name);
        ASSERT_TRUE(RunEventsUntil([&] { return ended > before; })) << name.toStdString();
        EXPECT_EQ(panel->MediaPlayer()->DeviceID(), 0u);
    }

    QTemporaryDir folder;
};

TEST_F(PanelFaults, SectorsThatStopReadingMidTrackEndTheTrack) {
    const TestMedia::CueBin vcd = TestMedia::VcdImage();
    FaultMirror mirror(fs::path(vcd.cue).parent_path().string());
    if (!mirror.Unavailable().empty())
        GTEST_SKIP() << "no fault injection here: " << mirror.Unavailable();
    Sandbox::MapDriveTo("E:", mirror.Path(fs::path(vcd.cue).filename().string()));
    // Two seconds into track 1, six seconds of it fail.
    const int failing = TrackStartSector(vcd.cue, 2) + 150;
    mirror.FailSectors(fs::path(vcd.bin).filename().string(), failing, 450);
    ProblemRecorder problems;
    DialogRecorder dialogs;
    EXPECT_TRUE(PlayUntilItEnds("E:\\MPEGAV\\AVSEQ01.DAT")) << "the panel kept waiting";
    EXPECT_EQ(panel->MediaPlayer()->DeviceID(), 0u);
    EXPECT_EQ(problems.Containing("the track ends there").size(), 1u)
        << "the track did not play up to the failing sectors";

    mirror.ClearFaults();
    ExpectTheNextTrackToPlay("E:\\MPEGAV\\AVSEQ02.DAT");
}

TEST_F(PanelFaults, AnImageCutWhilePlayingEndsTheTrack) {
    const std::string bin = MapImageCopy();
    panel->PlayFile("E:\\MPEGAV\\AVSEQ01.DAT");
    fs::resize_file(bin, fs::file_size(bin) / 3);
    EXPECT_TRUE(RunEventsUntil([&] { return ended > 0; }));
    MapImageCopy();
    ExpectTheNextTrackToPlay("E:\\MPEGAV\\AVSEQ02.DAT");
}

TEST_F(PanelFaults, AnImageDeletedWhilePlayingEndsTheTrack) {
    const std::string bin = MapImageCopy();
    panel->PlayFile("E:\\MPEGAV\\AVSEQ01.DAT");
    fs::remove(bin);
    EXPECT_TRUE(RunEventsUntil([&] { return ended > 0; }));
    MapImageCopy();
    ExpectTheNextTrackToPlay("E:\\MPEGAV\\AVSEQ02.DAT");
}

TEST_F(PanelFaults, ALetterWhoseImageVanishedAfterTheScanFailsToOpen) {
    const std::string bin = MapImageCopy();
    ASSERT_TRUE(fs::exists(bin));
    fs::remove(bin);
    DialogRecorder dialogs;
    EXPECT_TRUE(PlayOrFailToOpen("E:\\MPEGAV\\AVSEQ01.DAT"));
    EXPECT_EQ(panel->MediaPlayer()->DeviceID(), 0u);
    EXPECT_FALSE(dialogs.Shown.isEmpty()) << "the failure was not shown";

    MapImageCopy();
    ExpectTheNextTrackToPlay("E:\\MPEGAV\\AVSEQ02.DAT");
}

// Files named like a Video CD track that hold no playable MPEG.
std::vector<std::pair<std::string, std::string>> NotMedia(const std::string& folder) {
    const auto write = [&](const std::string& name, const QByteArray& bytes) {
        std::ofstream(folder + "/" + name, std::ios::binary).write(bytes.constData(), bytes.size());
        return name;
    };
    const auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return QByteArray::fromStdString(
            {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    };
    const QByteArray clip = read(TestMedia::PalVcdClip());
    const QByteArray other = read(TestMedia::ShortPalVcdClip());
    QByteArray noise(256 * 1024, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(QRandomGenerator::global()->bounded(256));
    std::vector<std::pair<std::string, std::string>> files = {
        {"random bytes", write("NOISE.DAT", noise)},
        {"empty", write("EMPTY.DAT", {})},
        {"truncated MPEG", write("CUT.DAT", clip.left(clip.size() / 3 + 17))},
        // Timestamps that run back to zero and jump ahead again.
        {"jumping timestamps",
         write("JUMPS.DAT", clip.left(clip.size() / 2) + other + clip.mid(clip.size() / 2))},
    };
    write("SPARSE.DAT", {});
    fs::resize_file(folder + "/SPARSE.DAT", std::uintmax_t{8} << 30);
    files.push_back({"huge sparse file", "SPARSE.DAT"});
    return files;
}

TEST_F(PanelFaults, MediaThatIsNotMediaFailsOrPlaysShortAndTheNextTrackPlays) {
    const std::string tracks = folder.filePath("MPEGAV").toStdString();
    fs::create_directories(tracks);
    const auto files = NotMedia(tracks);
    fs::copy_file(TestMedia::ShortPalVcdClip(), tracks + "/GOOD.DAT");
    Sandbox::MapDriveTo("F:", folder.path().toStdString());

    DialogRecorder dialogs;
    for (const auto& [what, name] : files) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(PlayOrFailToOpen(QString::fromStdString("F:\\MPEGAV\\" + name)));
        panel->Stop();
        ExpectTheNextTrackToPlay("F:\\MPEGAV\\GOOD.DAT");
    }
}

} // namespace
