// The panel's chapters, audio channel and audio stream.
#include "display/ChapterSteps.h"
#include "display/MediaPlayer.h"
#include "display/MMDisplay2.h"

using namespace platform;

namespace {

// A seek lands within a frame of where it went; positions this close to a
// chapter's start count as being at it.
constexpr DWORD landingTolerance = 500;
// PageUp this soon after a chapter's start goes to the one before it.
constexpr DWORD restartGrace = 3000;

} // namespace

void TMMDisplay2::PollChapters() {
    if (FChaptersKnown || !FMediaPlayer || FMediaPlayer->DeviceID() == 0)
        return;
    const std::optional<std::vector<DWORD>> entries = FMediaPlayer->EntryPositions();
    if (!entries)
        return;
    FChaptersKnown = true;
    if (OnChaptersKnown)
        OnChaptersKnown(this, static_cast<int>(entries->size()));
}

std::vector<int> TMMDisplay2::Chapters() const {
    if (!FChaptersKnown || !FMediaPlayer)
        return {};
    const std::vector<DWORD> entries =
        FMediaPlayer->EntryPositions().value_or(std::vector<DWORD>{});
    return std::vector<int>(entries.begin(), entries.end());
}

// Steps are judged in milliseconds, whatever the device counts in, so that
// the grace of a step back is the same time on every device.
std::vector<DWORD> TMMDisplay2::millisecondChapters(DWORD& position) const {
    const DWORD format = FMediaPlayer->TimeFormat();
    FMediaPlayer->SetTimeFormat(MCI_FORMAT_MILLISECONDS);
    std::vector<DWORD> starts;
    if (FMediaPlayer->TimeFormat() == MCI_FORMAT_MILLISECONDS) {
        starts = FMediaPlayer->EntryPositions().value_or(std::vector<DWORD>{});
        position = FMediaPlayer->Position();
    }
    FMediaPlayer->SetTimeFormat(format);
    return starts;
}

std::vector<int> TMMDisplay2::ChapterMilliseconds() const {
    if (!FChaptersKnown || !FMediaPlayer || FMediaPlayer->DeviceID() == 0)
        return {};
    DWORD position = 0;
    const std::vector<DWORD> starts = millisecondChapters(position);
    return std::vector<int>(starts.begin(), starts.end());
}

int TMMDisplay2::CurrentChapter() const {
    if (!FChaptersKnown || !FMediaPlayer || FMediaPlayer->DeviceID() == 0)
        return -1;
    DWORD position = 0;
    const std::vector<DWORD> starts = millisecondChapters(position);
    return ChapterAt(starts, position, landingTolerance);
}

void TMMDisplay2::PlayChapter(int index) {
    const std::vector<int> chapters = Chapters();
    if (index < 0 || index >= static_cast<int>(chapters.size()))
        return;
    SetPosition(chapters[static_cast<std::size_t>(index)]);
}

void TMMDisplay2::NextChapter() {
    if (!FChaptersKnown || FMediaPlayer->DeviceID() == 0)
        return;
    DWORD position = 0;
    const std::vector<DWORD> starts = millisecondChapters(position);
    PlayChapter(::NextChapter(starts, position, landingTolerance));
}

void TMMDisplay2::PreviousChapter() {
    if (!FChaptersKnown || FMediaPlayer->DeviceID() == 0)
        return;
    DWORD position = 0;
    const std::vector<DWORD> starts = millisecondChapters(position);
    if (starts.empty())
        return;
    const int previous = ::PreviousChapter(starts, position, landingTolerance, restartGrace);
    if (previous < 0)
        SetPosition(0);
    else
        PlayChapter(previous);
}

bool TMMDisplay2::HasAudio() const {
    return FMediaPlayer && FMediaPlayer->HasAudio();
}

void TMMDisplay2::SetAudioChannel(TAudioChannel value) {
    if (value == FAudioChannel)
        return;
    FAudioChannel = value;
    ApplyAudioChoices();
}

int TMMDisplay2::AudioStreams() const {
    return FMediaPlayer ? FMediaPlayer->AudioStreams() : 0;
}

int TMMDisplay2::AudioStream() const {
    return FMediaPlayer ? FMediaPlayer->AudioStream() : 0;
}

void TMMDisplay2::SetAudioStream(int stream) {
    if (stream < 1 || stream > AudioStreams())
        return;
    FAudioStream = stream;
    FMediaPlayer->SetAudioStream(stream);
}

void TMMDisplay2::ApplyAudioChoices() {
    if (!FMediaPlayer || FMediaPlayer->DeviceID() == 0 || !FMediaPlayer->HasAudio())
        return;
    FMediaPlayer->SetAudioChannels(FAudioChannel != acRightChannel, FAudioChannel != acLeftChannel);
    if (FAudioStream <= FMediaPlayer->AudioStreams())
        FMediaPlayer->SetAudioStream(FAudioStream);
}
