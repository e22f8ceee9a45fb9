#include "tests/support/FaultMirror.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

constexpr std::chrono::seconds startBound{10}; // for the mirror to answer
constexpr std::chrono::seconds stallBound{60}; // for a read to reach a stalled sector

} // namespace

FaultMirror::FaultMirror(const std::string& source) {
    if (!QFile::exists("/dev/fuse")) {
        unavailable_ = "there is no /dev/fuse";
        return;
    }
    mountPoint_ = folder_.filePath("mirror").toStdString();
    QDir().mkpath(QString::fromStdString(mountPoint_));
    ClearFaults();
    mirror_ = std::make_unique<ChildProcess>(
        "/usr/bin/python3",
        QStringList{QStringLiteral(QUELVO_TEST_SUPPORT_DIR "/fault_mirror.py"),
                    QString::fromStdString(source), QString::fromStdString(mountPoint_),
                    folder_.filePath("faults")});
    while (const std::optional<std::string> line = mirror_->ReadLine(startBound)) {
        if (*line == "ready")
            return;
    }
    // A mirror that never said it was ready may still run: its errors are
    // all written once it has gone.
    mirror_->Kill();
    mirror_->WaitForExit(startBound);
    unavailable_ =
        "the FUSE mirror did not start (python3-fusepy installed?): " + mirror_->Errors();
    mirror_.reset();
    mountPoint_.clear();
}

FaultMirror::~FaultMirror() {
    if (!mirror_)
        return;
    // Without the mirror, reads stalled in it fail at once; the mount it
    // leaves behind is taken down without waiting for its last users.
    mirror_->Kill();
    mirror_->WaitForExit(startBound);
    RunChild("umount", {"-l", QString::fromStdString(mountPoint_)});
}

std::string FaultMirror::Path(const std::string& name) const {
    return mountPoint_ + "/" + name;
}

void FaultMirror::AddRule(const std::string& rule) {
    rules_ += rule + "\n";
    // Written whole under a new name, so the mirror never reads half of it.
    QSaveFile file(folder_.filePath("faults"));
    file.open(QIODevice::WriteOnly);
    file.write(rules_.data(), static_cast<qint64>(rules_.size()));
    file.commit();
}

void FaultMirror::FailSectors(const std::string& name, int first, int count) {
    AddRule(name + " " + std::to_string(first) + " " + std::to_string(count) + " eio");
}

void FaultMirror::StallSectors(const std::string& name, int first, int count, int seconds) {
    AddRule(name + " " + std::to_string(first) + " " + std::to_string(count) + " sleep " +
            std::to_string(seconds));
}

void FaultMirror::ClearFaults() {
    rules_.clear();
    AddRule("");
}

void FaultMirror::ReadReports(std::chrono::milliseconds bound) {
    while (const std::optional<std::string> line = mirror_->ReadLine(bound)) {
        stalls_ += *line == "stalling";
        answered_ += *line == "answered";
        if (stalls_ > 0 && bound > std::chrono::milliseconds(0))
            return;
    }
}

bool FaultMirror::WaitForStall() {
    if (stalls_ == 0)
        ReadReports(stallBound);
    return stalls_ > 0;
}

bool FaultMirror::StallAnswered() {
    ReadReports(std::chrono::milliseconds(0));
    return answered_ > 0;
}

int TrackStartSector(const std::string& cue, int track) {
    QFile file(QString::fromStdString(cue));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromUtf8(file.readAll());
    const QRegularExpression index(
        QString("TRACK 0*%1 .*?INDEX 01 (\\d+):(\\d+):(\\d+)").arg(track),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = index.match(text);
    if (!match.hasMatch())
        return -1;
    return (match.captured(1).toInt() * 60 + match.captured(2).toInt()) * 75 +
           match.captured(3).toInt();
}
