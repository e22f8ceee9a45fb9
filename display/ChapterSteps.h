#pragma once
// Which chapter a step goes to, from where playback stands. Positions are in
// one time format, the chapter starts ascending.
#include "platform/mci/mci.h"

#include <vector>

// The chapter playing at `position`: the last that starts at or before it
// (a seek may land a hair before the start it went to, within `tolerance`);
// -1 before the first.
int ChapterAt(const std::vector<platform::DWORD>& starts, platform::DWORD position,
              platform::DWORD tolerance);

// The chapter after the one playing; -1 when the last one plays.
int NextChapter(const std::vector<platform::DWORD>& starts, platform::DWORD position,
                platform::DWORD tolerance);

// The start of the chapter playing, or within its first `grace` the one
// before it, as players step back; -1 for the start of the track.
int PreviousChapter(const std::vector<platform::DWORD>& starts, platform::DWORD position,
                    platform::DWORD tolerance, platform::DWORD grace);
