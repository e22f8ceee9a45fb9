// The main window's chapters, audio channel and audio stream: on the keyboard and in the
// panel's menu, the toolbar staying as it is.
#include "app/uMain.h"

#include "display/MMDisplay2.h"
#include "display/PositionText.h"

#include "platform/ui/Application.h"

#include <QActionGroup>
#include <QMenu>

namespace {

struct AudioChoice {
    TAudioChannel channel;
    const char* text;
};

constexpr AudioChoice audioChoices[] = {
    {acStereo, QT_TRANSLATE_NOOP("TdlgMain", "Stereo")},
    {acLeftChannel, QT_TRANSLATE_NOOP("TdlgMain", "Left channel")},
    {acRightChannel, QT_TRANSLATE_NOOP("TdlgMain", "Right channel")},
};

// A chapter's start as the toolbar shows a position: 1:05, or 1:05:07.
QString ChapterTime(int milliseconds) {
    const auto seconds = static_cast<platform::DWORD>(milliseconds / 1000);
    return FormatTime(platform::MCI_MAKE_HMS(seconds / 3600, seconds / 60 % 60, seconds % 60),
                      false);
}

} // namespace

void TdlgMain::bindPanelMenu() {
    MMpanel->OnChaptersKnown = [this](QObject*, int Count) { MMpanelChaptersKnown(Count); };
    MMpanel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MMpanel, &QWidget::customContextMenuRequested, this, [this](const QPoint& where) {
        platform::RunHandler([this, where] { MMpanelContextPopup(where); });
    });
}

void TdlgMain::MMpanelChaptersKnown(int Count) {
    AddLog(tr("Entry points: ") + QString::number(Count));
}

void TdlgMain::MMpanelNextChapter() {
    if (!novalidfile())
        MMpanel->NextChapter();
}

void TdlgMain::MMpanelPreviousChapter() {
    if (!novalidfile())
        MMpanel->PreviousChapter();
}

void TdlgMain::MMpanelNextAudioChannel() {
    if (!novalidfile())
        MMpanel->SetAudioChannel(static_cast<TAudioChannel>((MMpanel->AudioChannel() + 1) % 3));
}

// Only where there is a choice: an SVCD may carry a second audio stream.
void TdlgMain::addAudioStreams(QMenu& menu) {
    const int streams = MMpanel->AudioStreams();
    if (streams < 2)
        return;
    menu.addSeparator();
    auto* group = new QActionGroup(&menu);
    for (int stream = 1; stream <= streams; ++stream) {
        QAction* item = menu.addAction(tr("Audio stream %1").arg(stream));
        item->setCheckable(true);
        item->setChecked(MMpanel->AudioStream() == stream);
        group->addAction(item);
        connect(item, &QAction::triggered, this,
                platform::Guarded([this, stream] { MMpanel->SetAudioStream(stream); }));
    }
}

void TdlgMain::MMpanelContextPopup(const QPoint& where) {
    const std::vector<int> chapters = MMpanel->ChapterMilliseconds();
    const bool audio = MMpanel->HasAudio();
    if (chapters.empty() && !audio)
        return;
    QMenu menu(this);
    const int current = MMpanel->CurrentChapter();
    for (int index = 0; index < static_cast<int>(chapters.size()); ++index) {
        QAction* item = menu.addAction(tr("Chapter %1").arg(index + 1) + "\t" +
                                       ChapterTime(chapters[static_cast<std::size_t>(index)]));
        item->setCheckable(true);
        item->setChecked(index == current);
        connect(item, &QAction::triggered, this,
                platform::Guarded([this, index] { MMpanel->PlayChapter(index); }));
    }
    if (audio) {
        if (!chapters.empty())
            menu.addSeparator();
        auto* group = new QActionGroup(&menu);
        for (const auto& [channel, text] : audioChoices) {
            QAction* item = menu.addAction(tr(text));
            item->setCheckable(true);
            item->setChecked(MMpanel->AudioChannel() == channel);
            group->addAction(item);
            connect(item, &QAction::triggered, this,
                    platform::Guarded([this, channel] { MMpanel->SetAudioChannel(channel); }));
        }
        addAudioStreams(menu);
    }
    menu.exec(MMpanel->mapToGlobal(where));
}
