#include "system/FormPlacement.h"

#include "platform/registry/transaction.h"
#include "platform/registry/TRegistry.h"
#include "platform/ui/Application.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowPlacement.h"

#include <charconv>
#include <QCoreApplication>
#include <QWidget>
#include <string>
#include <vector>

namespace {

using platform::WINDOWPLACEMENT;

// `path` below the root key. Appended: "\\" + std::string makes GCC 12 at -O2
// warn of an overlapping copy that cannot happen.
std::string FromRoot(const std::string& path) {
    std::string fromRoot = "\\";
    fromRoot += path;
    return fromRoot;
}

// The store's top key, open for one save or restore. A restore creates it
// too, as the first run's restore does.
class PlacementStore {
public:
    PlacementStore(const QString& top, const QString& section)
        : FSection(section.toStdString()),
          FSectionPath(FromRoot(top.toStdString() + "\\" + FSection)) {
        FTop.SetRootKey(platform::HKEY_CURRENT_USER);
        FTopOpen = FTop.OpenKey(FromRoot(top.toStdString()), true);
    }

    // A missing key or value reads as empty text; a value that is not text
    // is an error.
    std::string Read(const std::string& name) {
        platform::TRegistry section(platform::KEY_READ);
        section.SetRootKey(platform::HKEY_CURRENT_USER);
        if (!section.OpenKeyReadOnly(FSectionPath))
            return {};
        return section.ReadString(name);
    }

    void Write(const std::string& name, const std::string& value) {
        platform::TRegistry section(platform::KEY_ALL_ACCESS);
        section.SetRootKey(platform::HKEY_CURRENT_USER);
        if (!FTopOpen || !FTop.CreateKey(FSection) || !section.OpenKey(FSectionPath, false))
            throw platform::ERegistryException(
                QCoreApplication::translate("TRegistry", "Failed to create key %1")
                    .arg(QString::fromStdString(FSection))
                    .toStdString());
        section.WriteString(name, value);
    }

private:
    std::string FSection;
    std::string FSectionPath;
    platform::TRegistry FTop{platform::KEY_ALL_ACCESS};
    bool FTopOpen = false;
};

// A whole decimal number, blanks before it allowed; else the fallback.
int IntOr(const std::string& text, int fallback) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return fallback;
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + start, end, value);
    return error == std::errc() && stop == end ? value : fallback;
}

// Words separated by runs of commas and blanks.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + ' ') {
        if (c == ',' || c == ' ') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

// Reads four numbers, each falling back to its default when missing or not
// a number; false when there was no text under either name.
bool ReadFour(PlacementStore& store, const std::string& name, const std::string& suffix,
              int (&values)[4]) {
    std::string text = store.Read(name + suffix);
    if (text.empty())
        text = store.Read(name);
    if (text.empty())
        return false;
    const std::vector<std::string> words = Words(text);
    for (std::size_t i = 0; i < 4; ++i)
        values[i] = i < words.size() ? IntOr(words[i], values[i]) : values[i];
    return true;
}

std::string Four(int a, int b, int c, int d) {
    return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," +
           std::to_string(d);
}

// Appended piece by piece: "(" + std::string makes GCC 12 at -O2 warn of an
// overlapping copy that cannot happen.
std::string ScreenSuffix() {
    std::string suffix = "(";
    suffix += std::to_string(platform::GetSystemMetrics(platform::SM_CXSCREEN));
    suffix += "x";
    suffix += std::to_string(platform::GetSystemMetrics(platform::SM_CYSCREEN));
    suffix += ")";
    return suffix;
}

enum class StoredState { normal, minimised, maximised };

StoredState StateOf(int showCmd) {
    switch (showCmd) {
    case 2:
    case 6:
    case 7:
        return StoredState::minimised;
    case 3:
        return StoredState::maximised;
    default:
        return StoredState::normal;
    }
}

} // namespace

TFormPlacement::TFormPlacement(QWidget* owner, const QString& iniFileName,
                               const QString& iniSection)
    : QObject(owner), IniFileName(iniFileName), IniSection(iniSection), FOwner(owner) {
}

void TFormPlacement::StorePlacement() {
    if (!FRestored && Active)
        return;
    // All values or none: a crash, or two players closing at once, never
    // leaves a record mixed from two saves.
    platform::RegistryTransaction transaction;
    PlacementStore store(IniFileName, IniSection);
    store.Write("FormVersion", std::to_string(Version));

    WINDOWPLACEMENT placement;
    platform::GetWindowPlacement(FOwner, &placement);
    if (FOwner == platform::ApplicationMainWindow() &&
        platform::IsIconic(platform::ApplicationWindow()))
        placement.showCmd = platform::SW_SHOWMINIMIZED;

    const std::string suffix = ScreenSuffix();
    const std::string minMax = Four(placement.ptMinPosition.x, placement.ptMinPosition.y,
                                    placement.ptMaxPosition.x, placement.ptMaxPosition.y);
    const platform::RECT& normal = placement.rcNormalPosition;
    const std::string normPos = Four(normal.left, normal.top, normal.right, normal.bottom);
    store.Write("Flags", std::to_string(placement.flags));
    store.Write("ShowCmd", std::to_string(placement.showCmd));
    store.Write("PixelsPerInch", std::to_string(platform::ScreenPixelsPerInch()));
    store.Write("MinMaxPos" + suffix, minMax);
    store.Write("MinMaxPos", minMax);
    store.Write("NormPos" + suffix, normPos);
    store.Write("NormPos", normPos);
    store.Write("Visible", FDestroying ? "1" : "0");
    if (transaction.Commit() != platform::ERROR_SUCCESS)
        throw platform::ERegistryException("Failed to set data for 'FormVersion'");
    FSaved = true;
}

void TFormPlacement::LoadPlacement() {
    FSaved = false;
    {
        PlacementStore store(IniFileName, IniSection);
        if (IntOr(store.Read("FormVersion"), 0) >= Version) {
            WINDOWPLACEMENT placement;
            platform::GetWindowPlacement(FOwner, &placement);
            if (!platform::IsWindowVisible(FOwner))
                placement.showCmd = platform::SW_HIDE;

            placement.flags = static_cast<platform::UINT>(
                IntOr(store.Read("Flags"), static_cast<int>(placement.flags)));
            const std::string suffix = ScreenSuffix();
            int minMax[4] = {0, 0, 0, 0};
            const bool minMaxFound = ReadFour(store, "MinMaxPos", suffix, minMax);
            platform::RECT& normal = placement.rcNormalPosition;
            int normPos[4] = {normal.left, normal.top, normal.right, normal.bottom};
            const bool normPosFound = ReadFour(store, "NormPos", suffix, normPos);
            const int pixelsPerInch = platform::ScreenPixelsPerInch();
            if ((minMaxFound || normPosFound) &&
                IntOr(store.Read("PixelsPerInch"), pixelsPerInch) == pixelsPerInch &&
                normPos[2] > normPos[0]) {
                placement.ptMinPosition = {minMax[0], minMax[1]};
                placement.ptMaxPosition = {minMax[2], minMax[3]};
                normal = {normPos[0], normPos[1], normPos[2], normPos[3]};
                platform::SetWindowPlacement(FOwner, &placement);
            }

            const StoredState state = StateOf(IntOr(store.Read("ShowCmd"), 0));
            if (state == StoredState::minimised && FOwner == platform::ApplicationMainWindow()) {
                // The whole application starts minimised, not just its window.
                FOwner->setWindowState(Qt::WindowNoState);
                platform::PostMessageA(platform::ApplicationWindow(), platform::WM_SYSCOMMAND,
                                       platform::SC_MINIMIZE, 0);
            } else {
                FOwner->setWindowState(state == StoredState::maximised   ? Qt::WindowMaximized
                                       : state == StoredState::minimised ? Qt::WindowMinimized
                                                                         : Qt::WindowNoState);
                FOwner->update();
            }
        }
        FRestored = true;
    }
    // A maximised sizeable window's frame lies just off the screen.
    WINDOWPLACEMENT placement;
    platform::GetWindowPlacement(FOwner, &placement);
    placement.ptMaxPosition = {-platform::GetSystemMetrics(platform::SM_CXFRAME),
                               -platform::GetSystemMetrics(platform::SM_CYFRAME)};
    if (!platform::IsWindowVisible(FOwner))
        placement.showCmd = platform::SW_HIDE;
    platform::SetWindowPlacement(FOwner, &placement);
}

void TFormPlacement::FormShowing() {
    if (Active)
        platform::RunHandler([this] { LoadPlacement(); });
}

void TFormPlacement::FormCloseQueried() {
    if (Active)
        platform::RunHandler([this] { StorePlacement(); });
}

void TFormPlacement::FormDestroying() {
    if (!Active || FSaved)
        return;
    FDestroying = true;
    platform::RunHandler([this] { StorePlacement(); });
    FDestroying = false;
}
