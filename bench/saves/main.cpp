// Kills a process at random moments while it saves the settings, and starts
// two processes that save at the same moment; after each round every hive and
// profile file must hold a whole generation of values, none older than the
// last one the saver finished. Prints the rounds, the failures and the bytes
// of settings lost (goal 0); exits 1 on any loss.
//   quelvo-bench-settings-saves [KILLS] [PAIRS]   (default 500, 200)
#include "settings_generation.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

namespace {

struct Tally {
    int rounds = 0;
    int failed = 0;
    std::size_t bytesLost = 0;
};

QString SaverPath() {
    return QCoreApplication::applicationDirPath() + "/quelvo-settings-saver";
}

// The last generation the saver reported as wholly saved.
long LastSaved(QProcess& saver, long before) {
    long last = before;
    for (const QByteArray& line : saver.readAllStandardOutput().split('\n'))
        if (bool ok = false; !line.isEmpty()) {
            const long generation = line.toLong(&ok);
            if (ok)
                last = generation;
        }
    return last;
}

// Bytes lost under `name`: every value that is missing, torn, or older than
// `oldest`, or newer than `newest`.
std::size_t BytesLost(const std::string& name, long oldest, long newest) {
    std::size_t lost = 0;
    for (const SettingsValue& value : SettingsValues()) {
        const std::optional<std::string> text = value.read(name);
        const std::optional<long> generation = text ? GenerationOf(*text) : std::nullopt;
        if (!generation || *generation < oldest || *generation > newest) {
            std::fprintf(stderr, "%s %s: %s (expected %ld..%ld)\n", value.where.c_str(),
                         name.c_str(), text ? text->substr(0, 40).c_str() : "missing", oldest,
                         newest);
            lost += GenerationText(oldest).size();
        }
    }
    return lost;
}

// How long a saver takes to start and save a few generations: the span in
// which the kills fall.
int SaveSpanMs() {
    QElapsedTimer timer;
    timer.start();
    QProcess saver;
    saver.start(SaverPath(), {"Calibration", "1", "5"});
    saver.waitForFinished(-1);
    return std::max<int>(1, static_cast<int>(timer.elapsed()));
}

Tally KillDuringSaves(int kills) {
    Tally tally;
    const int span = SaveSpanMs();
    long saved = 0;   // the last generation wholly saved
    long started = 0; // the last one a saver may have begun
    SaveGeneration("Killed", saved);
    for (int round = 0; round < kills; ++round) {
        QProcess saver;
        saver.start(SaverPath(), {"Killed", QString::number(started + 1)});
        saver.waitForStarted(-1);
        QThread::msleep(QRandomGenerator::global()->bounded(span));
        saver.kill(); // SIGKILL
        saver.waitForFinished(-1);
        saved = LastSaved(saver, saved);
        started = std::max(started + 1, saved + 1);
        const std::size_t lost = BytesLost("Killed", saved, started);
        ++tally.rounds;
        tally.failed += lost > 0;
        tally.bytesLost += lost;
    }
    return tally;
}

Tally CloseAtOnce(int pairs) {
    Tally tally;
    for (int round = 1; round <= pairs; ++round) {
        QProcess first, second;
        first.start(SaverPath(), {"PlayerA", QString::number(round), "1"});
        second.start(SaverPath(), {"PlayerB", QString::number(round), "1"});
        first.waitForFinished(-1);
        second.waitForFinished(-1);
        const bool exited = first.exitCode() == 0 && second.exitCode() == 0;
        const std::size_t lost =
            BytesLost("PlayerA", round, round) + BytesLost("PlayerB", round, round);
        ++tally.rounds;
        tally.failed += lost > 0 || !exited;
        tally.bytesLost += lost;
    }
    return tally;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int kills = argc > 1 ? std::atoi(argv[1]) : 500;
    const int pairs = argc > 2 ? std::atoi(argv[2]) : 200;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());

    const Tally killed = KillDuringSaves(kills);
    const Tally closed = CloseAtOnce(pairs);
    QStringList left = QDir(config.path() + "/quelvo").entryList(QDir::Files);
    left += QDir(config.path() + "/quelvo/windows").entryList(QDir::Files);

    std::printf("%-34s %7s %7s %11s\n", "settings saves", "rounds", "failed", "bytes lost");
    std::printf("%-34s %7d %7d %11zu\n", "killed (SIGKILL) while saving", killed.rounds,
                killed.failed, killed.bytesLost);
    std::printf("%-34s %7d %7d %11zu\n", "two processes saving at once", closed.rounds,
                closed.failed, closed.bytesLost);
    const qsizetype copies =
        left.size() - left.filter(QRegularExpression(R"(\.(reg|ini|lock)$)")).size();
    std::printf("temporary copies left in the settings folders: %lld\n",
                static_cast<long long>(copies));
    return killed.failed + closed.failed == 0 ? 0 : 1;
}
