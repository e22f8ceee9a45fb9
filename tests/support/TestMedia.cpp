#include "tests/support/TestMedia.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace TestMedia {
namespace {

QString cacheFolder() {
    const QString build = qEnvironmentVariable("QUELVO_BUILD_DIR");
    const QString folder = (build.isEmpty() ? QDir::tempPath() : build) + "/test-media";
    QDir().mkpath(folder);
    return folder;
}

QString processFolder() {
    static QTemporaryDir folder;
    return folder.path();
}

// Makes the clip unless an earlier test process did; the file appears whole
// or not at all, so parallel tests never see half a clip.
std::string makeClip(const QString& size, const QString& rate, const QString& target) {
    const QStringList arguments = {
        "-nostdin", "-loglevel", "error",   "-y",
        "-f",       "lavfi",     "-i",      "testsrc2=size=" + size + ":rate=" + rate,
        "-f",       "lavfi",     "-i",      "sine=frequency=440:sample_rate=44100",
        "-t",       "10",        "-ac",     "2",
        "-aspect",  "4:3",       "-target", target};
    const QString key =
        QCryptographicHash::hash(arguments.join(' ').toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    const QString path = cacheFolder() + "/" + target + "-" + key + ".mpg";
    if (QFile::exists(path))
        return path.toStdString();
    const QString partial = path + "." + QString::number(QCoreApplication::applicationPid());
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", QStringList(arguments) << partial);
    const bool made = ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0;
    EXPECT_TRUE(made) << "ffmpeg: " << ffmpeg.readAllStandardError().toStdString();
    QFile::rename(partial, path);
    return path.toStdString();
}

} // namespace

std::string PalVcdClip() {
    static const std::string clip = makeClip("352x288", "25", "pal-vcd");
    return clip;
}

std::string NtscSvcdClip() {
    static const std::string clip = makeClip("480x480", "30000/1001", "ntsc-svcd");
    return clip;
}

std::string CopyAs(const std::string& clip, const std::string& name) {
    const QString path = processFolder() + "/" + QString::fromStdString(name);
    QFile::remove(path);
    EXPECT_TRUE(QFile::copy(QString::fromStdString(clip), path));
    return path.toStdString();
}

std::string TextFile(const std::string& name, const std::string& text) {
    const QString path = processFolder() + "/" + QString::fromStdString(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.data(), static_cast<qint64>(text.size()));
    return path.toStdString();
}

} // namespace TestMedia
