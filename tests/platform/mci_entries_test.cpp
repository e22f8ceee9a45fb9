// A disc's entry points as the video device counts them (as tracks, in its
// time format) and the audio channel and stream a karaoke viewer hears, on tracks of
// real length authored with entries, without extra entries and with a
// damaged table.
#include "platform/mci/drivers/mpv/audio_channels.h"
#include "platform/mci/mci.h"
#include "tests/platform/drives_test_support.h"
#include "tests/platform/mci_commands.h"
#include "tests/platform/mpv_device_fixture.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/EventLoop.h"
#include "tests/support/ProblemRecorder.h"
#include "tests/support/TestMedia.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <QFile>
#include <QTemporaryDir>

using namespace platform;
using namespace MciCommands;

namespace {

// An entry lies at the start of the group of pictures at or after the time
// it was authored for: at most a group (0.6 s) later.
constexpr double groupSeconds = 0.6;

std::optional<std::vector<DWORD>> Entries(MCIDEVICEID device) {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_NUMBER_OF_TRACKS;
    const MCIERROR error =
        mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status));
    if (error == MCIERR_DEVICE_NOT_READY)
        return std::nullopt;
    EXPECT_EQ(error, 0u) << ErrorText(error);
    std::vector<DWORD> positions;
    for (DWORD track = 1; track <= status.dwReturn; ++track) {
        MCI_STATUS_PARMS entry{};
        entry.dwItem = MCI_STATUS_POSITION;
        entry.dwTrack = track;
        EXPECT_EQ(mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK,
                                  reinterpret_cast<DWORD_PTR>(&entry)),
                  0u);
        positions.push_back(static_cast<DWORD>(entry.dwReturn));
    }
    return positions;
}

std::vector<DWORD> EntriesOnceRead(MCIDEVICEID device) {
    std::optional<std::vector<DWORD>> entries;
    EXPECT_TRUE(RunEventsUntil([&] { return (entries = Entries(device)).has_value(); }));
    return entries.value_or(std::vector<DWORD>{});
}

MCIERROR SetAudio(MCIDEVICEID device, DWORD channel, DWORD flags) {
    MCI_SET_PARMS set{};
    set.dwAudio = channel;
    return mciSendCommandA(device, MCI_SET, MCI_SET_AUDIO | flags,
                           reinterpret_cast<DWORD_PTR>(&set));
}

class DeviceEntries : public MpvDeviceTest {
protected:
    drives_test::ScopedDriveSources FSources;
};

TEST_F(DeviceEntries, AnAuthoredTrackCountsItsStartAndEachEntryAtItsTimeInTheStream) {
    for (const bool svcd : {false, true}) {
        SCOPED_TRACE(svcd ? "SVCD" : "VCD 2.0");
        FSources.mappings->stored['E'] = TestMedia::ChapterDisc(svcd).cue;
        const MCIDEVICEID device =
            OpenDevice(svcd ? "E:\\MPEG2\\AVSEQ01.MPG" : "E:\\MPEGAV\\AVSEQ01.DAT");
        ASSERT_TRUE(device);
        ASSERT_EQ(SetTimeFormat(device, MCI_FORMAT_MILLISECONDS), 0u);
        const std::vector<DWORD> entries = EntriesOnceRead(device);
        ASSERT_EQ(entries.size(), 1 + std::size(TestMedia::kChapterSeconds));
        EXPECT_LE(entries[0], 100u);
        for (std::size_t i = 0; i < std::size(TestMedia::kChapterSeconds); ++i) {
            const double late = entries[i + 1] / 1000.0 - TestMedia::kChapterSeconds[i];
            EXPECT_GE(late, -0.05) << "entry " << i + 2;
            EXPECT_LE(late, groupSeconds) << "entry " << i + 2;
        }
        // The same entries in frames, where the device counts frames.
        if (SetTimeFormat(device, MCI_FORMAT_FRAMES) == 0) {
            const double fps = svcd ? 30000.0 / 1001 : 25;
            const std::vector<DWORD> frames = EntriesOnceRead(device);
            ASSERT_EQ(frames.size(), entries.size());
            for (std::size_t i = 0; i < frames.size(); ++i)
                EXPECT_NEAR(frames[i], entries[i] * fps / 1000, 1.0);
        }
        // A seek to an entry lands on it.
        ASSERT_EQ(SetTimeFormat(device, MCI_FORMAT_MILLISECONDS), 0u);
        ASSERT_EQ(SeekTo(device, entries[2]), 0u);
        LetEventsArrive();
        EXPECT_NEAR(double(Status(device, MCI_STATUS_POSITION)), double(entries[2]), 40.0);
        MCI_STATUS_PARMS beyond{};
        beyond.dwItem = MCI_STATUS_POSITION;
        beyond.dwTrack = static_cast<DWORD>(entries.size() + 1);
        EXPECT_EQ(mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK,
                                  reinterpret_cast<DWORD_PTR>(&beyond)),
                  MCIERR_OUTOFRANGE);
        EXPECT_EQ(Send(device, MCI_CLOSE), 0u);
        FDevice = 0;
    }
}

TEST_F(DeviceEntries, ATrackWithoutExtraEntriesHasItsStartAloneAPlainFileNone) {
    FSources.mappings->stored['E'] = TestMedia::VcdImage().cue;
    MCIDEVICEID device = OpenDevice("E:\\MPEGAV\\AVSEQ02.DAT");
    ASSERT_TRUE(device);
    EXPECT_EQ(EntriesOnceRead(device), std::vector<DWORD>{0});
    EXPECT_EQ(Send(device, MCI_CLOSE), 0u);
    device = OpenDevice(TestMedia::PalVcdClip());
    ASSERT_TRUE(device);
    EXPECT_EQ(EntriesOnceRead(device), std::vector<DWORD>{});
}

TEST_F(DeviceEntries, ADamagedTableMeansNoEntriesAndTheTrackStillPlays) {
    // The second entry's seconds no longer a BCD number.
    FSources.mappings->stored['E'] = TestMedia::ChapterDiscWithTable(12 + 4 + 2, "\xAA");
    const MCIDEVICEID device = OpenDevice("E:\\MPEGAV\\AVSEQ01.DAT");
    ASSERT_TRUE(device);
    EXPECT_EQ(EntriesOnceRead(device), std::vector<DWORD>{});
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    ASSERT_TRUE(FNotes.WaitFor(1));
    EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));
}

TEST_F(DeviceEntries, TheAudioChannelsAreSetOneByOneAndTheRecordIsChecked) {
    const MCIDEVICEID device = OpenDevice(TestMedia::KaraokeClip(false));
    ASSERT_TRUE(device);
    EXPECT_EQ(SetAudio(device, MCI_SET_AUDIO_RIGHT, MCI_SET_OFF), 0u);
    EXPECT_EQ(SetAudio(device, MCI_SET_AUDIO_ALL, MCI_SET_ON), 0u);
    EXPECT_EQ(SetAudio(device, MCI_SET_AUDIO_LEFT, 0), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(SetAudio(device, MCI_SET_AUDIO_LEFT, MCI_SET_ON | MCI_SET_OFF),
              MCIERR_FLAGS_NOT_COMPATIBLE);
    EXPECT_EQ(SetAudio(device, 7, MCI_SET_ON), MCIERR_OUTOFRANGE);
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    EXPECT_EQ(SetAudio(device, MCI_SET_AUDIO_LEFT, MCI_SET_OFF), 0u);
    ASSERT_TRUE(FNotes.WaitFor(1));
    EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));
}

MCIERROR ListAudioStreams(MCIDEVICEID device, DWORD flags, DWORD item, DWORD& count) {
    MCI_DGV_LIST_PARMSA list{};
    list.dwItem = item;
    const MCIERROR error =
        mciSendCommandA(device, MCI_LIST, flags, reinterpret_cast<DWORD_PTR>(&list));
    count = list.dwNumber;
    return error;
}

DWORD AudioStreams(MCIDEVICEID device) {
    DWORD count = 0;
    EXPECT_EQ(ListAudioStreams(device, MCI_DGV_LIST_ITEM | MCI_DGV_LIST_COUNT,
                               MCI_DGV_LIST_AUDIO_STREAM, count),
              0u);
    return count;
}

MCIERROR SetAudioStream(MCIDEVICEID device, DWORD stream,
                        DWORD flags = MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE,
                        DWORD item = MCI_DGV_SETAUDIO_STREAM) {
    MCI_DGV_SETAUDIO_PARMSA set{};
    set.dwItem = item;
    set.dwValue = stream;
    return mciSendCommandA(device, MCI_SETAUDIO, flags, reinterpret_cast<DWORD_PTR>(&set));
}

TEST_F(DeviceEntries, ASecondAudioStreamIsCountedAndChosenAndTheRecordsAreChecked) {
    FSources.mappings->stored['E'] = TestMedia::TwoStreamDisc().cue;
    ProblemRecorder problems;
    MCIDEVICEID device = OpenDevice("E:\\MPEG2\\AVSEQ01.MPG");
    ASSERT_TRUE(device);
    EXPECT_EQ(AudioStreams(device), 2u);
    EXPECT_EQ(Status(device, MCI_DGV_STATUS_AUDIO_STREAM), 1u);
    EXPECT_EQ(SetAudioStream(device, 3), MCIERR_OUTOFRANGE);
    EXPECT_EQ(SetAudioStream(device, 0), MCIERR_OUTOFRANGE);
    EXPECT_EQ(SetAudioStream(device, 2, MCI_DGV_SETAUDIO_ITEM), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(SetAudioStream(device, 2, MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE,
                             MCI_DGV_SETAUDIO_STREAM + 1),
              MCIERR_UNSUPPORTED_FUNCTION);
    DWORD count = 0;
    EXPECT_EQ(ListAudioStreams(device, MCI_DGV_LIST_COUNT, MCI_DGV_LIST_AUDIO_STREAM, count),
              MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(ListAudioStreams(device, MCI_DGV_LIST_ITEM | MCI_DGV_LIST_COUNT,
                               MCI_DGV_LIST_AUDIO_STREAM + 5, count),
              MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(mciSendCommandA(device, MCI_LIST, MCI_DGV_LIST_ITEM | MCI_DGV_LIST_COUNT, 0),
              MCIERR_NULL_PARAMETER_BLOCK);

    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    ASSERT_EQ(SetAudioStream(device, 2), 0u);
    LetEventsArrive();
    EXPECT_EQ(Status(device, MCI_DGV_STATUS_AUDIO_STREAM), 2u) << "as mpv's track list tells";
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_PLAY)
        << "the play goes on in the other stream";
    EXPECT_EQ(problems.Containing("audio stream"), std::vector<std::string>{});
    EXPECT_EQ(Send(device, MCI_CLOSE), 0u);

    // One stream: that one alone can be chosen; no sound, none at all.
    device = OpenDevice(TestMedia::KaraokeClip(false));
    ASSERT_TRUE(device);
    EXPECT_EQ(AudioStreams(device), 1u);
    EXPECT_EQ(SetAudioStream(device, 1), 0u);
    EXPECT_EQ(SetAudioStream(device, 2), MCIERR_OUTOFRANGE);
    EXPECT_EQ(Send(device, MCI_CLOSE), 0u);
    FDevice = 0;
}

struct Tones {
    double left;
    double right;
};

// The pitch of each channel of what mpv puts out through `filter`, from two
// seconds in the middle of the karaoke clip, by counting zero crossings.
Tones TonesOut(const char* filter) {
    QTemporaryDir folder;
    const QString wav = folder.filePath("out.wav");
    const ChildResult mpv = RunChild(
        "mpv", {"--no-config", "--really-quiet", "--no-video", "--ao=pcm", "--ao-pcm-file=" + wav,
                "--audio-format=s16", "--audio-channels=stereo", "--start=60", "--end=62",
                QString("--af=") + filter, QString::fromStdString(TestMedia::KaraokeClip(false))});
    EXPECT_TRUE(mpv.ended && mpv.exitCode == 0) << mpv.errors;
    QFile file(wav);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    if (data < 0)
        return {0, 0};
    std::vector<std::int16_t> samples(static_cast<std::size_t>(bytes.size() - data - 8) / 2);
    std::memcpy(samples.data(), bytes.constData() + data + 8, samples.size() * 2);
    int crossings[2] = {0, 0};
    for (std::size_t i = 2; i < samples.size(); ++i) {
        if ((samples[i - 2] < 0) != (samples[i] < 0))
            ++crossings[i % 2];
    }
    const double seconds = static_cast<double>(samples.size()) / 2 / 44100;
    return {crossings[0] / 2 / seconds, crossings[1] / 2 / seconds};
}

TEST(AudioChannels, TheChannelHeardAloneSoundsOnBothSpeakers) {
    const Tones stereo = TonesOut(mci::ChannelFilter(true, true));
    EXPECT_NEAR(stereo.left, 440, 20);
    EXPECT_NEAR(stereo.right, 1000, 20);
    const Tones left = TonesOut(mci::ChannelFilter(true, false));
    EXPECT_NEAR(left.left, 440, 20);
    EXPECT_NEAR(left.right, 440, 20);
    const Tones right = TonesOut(mci::ChannelFilter(false, true));
    EXPECT_NEAR(right.left, 1000, 20);
    EXPECT_NEAR(right.right, 1000, 20);
}

} // namespace
