#include "display/ChapterSteps.h"

#include <algorithm>

using platform::DWORD;

int ChapterAt(const std::vector<DWORD>& starts, DWORD position, DWORD tolerance) {
    const auto after = std::upper_bound(starts.begin(), starts.end(), position + tolerance);
    return static_cast<int>(after - starts.begin()) - 1;
}

int NextChapter(const std::vector<DWORD>& starts, DWORD position, DWORD tolerance) {
    const int next = ChapterAt(starts, position, tolerance) + 1;
    return next < static_cast<int>(starts.size()) ? next : -1;
}

int PreviousChapter(const std::vector<DWORD>& starts, DWORD position, DWORD tolerance,
                    DWORD grace) {
    const int current = ChapterAt(starts, position, tolerance);
    if (current < 0)
        return -1;
    const DWORD start = starts[static_cast<std::size_t>(current)];
    if (position <= start || position - start < grace)
        return current - 1;
    return current;
}
