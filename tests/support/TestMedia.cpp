#include "tests/support/TestMedia.h"

#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QString keyOf(const QStringList& arguments) {
    return QCryptographicHash::hash(arguments.join('\n').toUtf8(), QCryptographicHash::Sha1)
        .toHex()
        .left(12);
}

// Runs `program` in `folder`; a failure fails the test that asked.
bool run(const QString& program, const QStringList& arguments, const QString& folder) {
    const ChildResult result = RunChild(program, arguments, {folder, {}});
    const bool done = result.ended && result.exitCode == 0;
    EXPECT_TRUE(done) << program.toStdString() << ": " << result.errors;
    return done;
}

// Makes the files `names` (in the cache folder) by running `program` on them
// in a private folder, unless an earlier test process did. They are moved in
// one by one with the last name last, and only that one is looked for, so
// parallel tests never see half of them.
void makeCached(const QStringList& names, const QString& program, const QStringList& arguments) {
    const QString folder = cacheFolder();
    if (QFile::exists(folder + "/" + names.last()))
        return;
    const QString work = folder + "/partial-" + QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(work);
    if (run(program, arguments, work)) {
        for (const QString& name : names)
            QFile::rename(work + "/" + name, folder + "/" + name);
    }
    QDir(work).removeRecursively();
}

// An MPEG file that ffmpeg makes from `arguments` (inputs and encoding),
// named after them.
std::string encode(const QString& kind, const QStringList& arguments) {
    const QStringList all = QStringList{"-nostdin", "-loglevel", "error", "-y"} + arguments;
    const QString name = kind + "-" + keyOf(all) + ".mpg";
    makeCached({name}, "ffmpeg", QStringList(all) << name);
    return (cacheFolder() + "/" + name).toStdString();
}

const QString tone = "sine=frequency=440:sample_rate=44100";

std::string makeClip(const QString& source, const QString& size, const QString& rate,
                     const QString& seconds, const QString& target) {
    return encode(target,
                  {"-f", "lavfi", "-i", source + "=size=" + size + ":rate=" + rate, "-f", "lavfi",
                   "-i", tone, "-t", seconds, "-ac", "2", "-aspect", "4:3", "-target", target});
}

TestMedia::CueBin makeVideoCd(const QString& type, const QString& label, const QStringList& clips) {
    const QString name = type + "-" + keyOf(QStringList{type, label} + clips);
    const QStringList arguments =
        QStringList{"-t", type, "-l", label, "-c", name + ".cue", "-b", name + ".bin"} + clips;
    makeCached({name + ".bin", name + ".cue"}, "vcdimager", arguments);
    const QString path = cacheFolder() + "/" + name;
    return {(path + ".cue").toStdString(), (path + ".bin").toStdString()};
}

QString chapterDiscXml(bool svcd, const QString& clip) {
    QString entries;
    for (const double seconds : kChapterSeconds)
        entries += QString("<entry>%1</entry>").arg(seconds, 0, 'f', 1);
    return QString(R"(<?xml version="1.0"?>
<!DOCTYPE videocd PUBLIC "-//GNU//DTD VideoCD//EN" "http://www.gnu.org/software/vcdimager/videocd.dtd">
<videocd xmlns="http://www.gnu.org/software/vcdimager/1.0/" class="%1" version="%2">
<info><album-id>CHAPTERS</album-id><volume-count>1</volume-count><volume-number>1</volume-number>
<restriction>0</restriction></info>
<pvd><volume-id>CHAPTERS</volume-id><system-id>CD-RTOS CD-BRIDGE</system-id></pvd>
<sequence-items><sequence-item src="%3" id="sequence-00">%4</sequence-item></sequence-items>
</videocd>
)")
        .arg(svcd ? "svcd" : "vcd", svcd ? "1.0" : "2.0", clip, entries);
}

} // namespace

std::string KaraokeClip(bool svcd) {
    return encode(svcd ? "karaoke-svcd" : "karaoke-vcd",
                  {"-f",
                   "lavfi",
                   "-i",
                   svcd ? "testsrc2=size=480x480:rate=30000/1001" : "testsrc2=size=352x288:rate=25",
                   "-f",
                   "lavfi",
                   "-i",
                   "sine=frequency=440:sample_rate=44100",
                   "-f",
                   "lavfi",
                   "-i",
                   "sine=frequency=1000:sample_rate=44100",
                   "-filter_complex",
                   "[1:a][2:a]join=inputs=2:channel_layout=stereo[a]",
                   "-map",
                   "0:v",
                   "-map",
                   "[a]",
                   "-t",
                   "180",
                   "-aspect",
                   "4:3",
                   "-target",
                   svcd ? "ntsc-svcd" : "pal-vcd"});
}

std::string TwoStreamClip() {
    return encode("two-streams",
                  {"-f",      "lavfi",    "-i",      "testsrc2=size=480x480:rate=30000/1001",
                   "-f",      "lavfi",    "-i",      tone,
                   "-f",      "lavfi",    "-i",      "sine=frequency=1000:sample_rate=44100",
                   "-map",    "0:v",      "-map",    "1:a",
                   "-map",    "2:a",      "-t",      "180",
                   "-ac",     "2",        "-aspect", "4:3",
                   "-target", "ntsc-svcd"});
}

CueBin TwoStreamDisc() {
    return makeVideoCd("svcd", "TWOSTREAM", {QString::fromStdString(TwoStreamClip())});
}

CueBin ChapterDisc(bool svcd) {
    const QString clip = QString::fromStdString(KaraokeClip(svcd));
    const QString xml = chapterDiscXml(svcd, clip);
    const QString name = QString(svcd ? "chapters-svcd-" : "chapters-vcd-") + keyOf({xml});
    QFile description(processFolder() + "/" + name + ".xml");
    EXPECT_TRUE(description.open(QIODevice::WriteOnly | QIODevice::Truncate));
    description.write(xml.toUtf8());
    description.close();
    makeCached({name + ".bin", name + ".cue"}, "vcdxbuild",
               {"-c", name + ".cue", "-b", name + ".bin", description.fileName()});
    const QString path = cacheFolder() + "/" + name;
    return {(path + ".cue").toStdString(), (path + ".bin").toStdString()};
}

std::string ChapterDiscWithTable(std::size_t at, const std::string& bytes) {
    const CueBin disc = ChapterDisc(false);
    const QString folder = processFolder() + "/" + keyOf({QString::number(at), bytes.c_str()});
    QDir().mkpath(folder);
    const QString bin = folder + "/" + QFileInfo(QString::fromStdString(disc.bin)).fileName();
    const QString cue = folder + "/disc.cue";
    QFile::remove(bin);
    QFile::remove(cue);
    EXPECT_TRUE(QFile::copy(QString::fromStdString(disc.bin), bin));
    EXPECT_TRUE(QFile::copy(QString::fromStdString(disc.cue), cue));
    QFile image(bin);
    EXPECT_TRUE(image.open(QIODevice::ReadWrite));
    // Sector 151, past the raw sector's sync, header and subheader.
    image.seek(151 * 2352 + 24 + static_cast<qint64>(at));
    image.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return cue.toStdString();
}

std::string PalVcdClip() {
    static const std::string clip = makeClip("testsrc2", "352x288", "25", "10", "pal-vcd");
    return clip;
}

std::string NtscSvcdClip() {
    static const std::string clip =
        makeClip("testsrc2", "480x480", "30000/1001", "10", "ntsc-svcd");
    return clip;
}

std::string LongPalVcdClip() {
    static const std::string clip = makeClip("testsrc2", "352x288", "25", "200", "pal-vcd");
    return clip;
}

std::string ToneOnlyClip() {
    static const std::string clip =
        encode("tone", {"-f", "lavfi", "-i", tone, "-t", "3", "-c:a", "mp2", "-f", "mpeg"});
    return clip;
}

std::string ShortPalVcdClip() {
    static const std::string clip = makeClip("testsrc", "352x288", "25", "2", "pal-vcd");
    return clip;
}

std::string ShortNtscSvcdClip() {
    static const std::string clip = makeClip("testsrc", "480x480", "30000/1001", "2", "ntsc-svcd");
    return clip;
}

CueBin VcdImage() {
    static const CueBin image = makeVideoCd(
        "vcd2", "TESTVCD",
        {QString::fromStdString(PalVcdClip()), QString::fromStdString(ShortPalVcdClip())});
    return image;
}

CueBin LongVcdImage() {
    static const CueBin image = makeVideoCd(
        "vcd2", "LONGVCD",
        {QString::fromStdString(LongPalVcdClip()), QString::fromStdString(ShortPalVcdClip())});
    return image;
}

CueBin SvcdImage() {
    static const CueBin image = makeVideoCd(
        "svcd", "TESTSVCD",
        {QString::fromStdString(NtscSvcdClip()), QString::fromStdString(ShortNtscSvcdClip())});
    return image;
}

std::string AuthoredVcdImage(const std::string& kind) {
    const QString clips =
        QString::fromStdString(LongPalVcdClip()) + " " + QString::fromStdString(ShortPalVcdClip());
    const QString name = "authored-" + QString::fromStdString(kind) + "-" + keyOf({clips});
    const QString xml =
        "vcdxgen -t vcd2 -l LONGVCD -o " + name + ".xml " + clips + " && vcdxbuild -q ";
    QStringList files;
    QString build;
    if (kind == "nrg") {
        files = {name + ".nrg"};
        build = "-i nrg -o nrg=" + name + ".nrg";
    } else if (kind == "toc") {
        files = {name + "_01.img",        name + "_02_pregap.img", name + "_02.img",
                 name + "_03_pregap.img", name + "_03.img",        name + ".toc"};
        build = "--cdrdao-file=" + name;
    } else {
        files = {name + ".bin", name + ".cue"};
        build = (kind == "2336" ? "--sector-2336 " : "") + QString("-c ") + name + ".cue -b " +
                name + ".bin";
    }
    // vcdxbuild warns about writing track at once on stderr even when it succeeds.
    makeCached(files, "sh", {"-c", xml + build + " " + name + ".xml 2>/dev/null"});
    return (cacheFolder() + "/" + files.last()).toStdString();
}

std::string DataDiscImage(const DiscFiles& files, bool plainIso9660) {
    const QStringList naming = plainIso9660 ? QStringList{} : QStringList{"-r", "-J"};
    // Named after what goes on the disc, not after where it came from.
    QStringList contents = naming;
    QStringList grafts;
    for (const auto& [onDisc, source] : files) {
        grafts << QString::fromStdString(onDisc + "=" + source);
        QFile file(QString::fromStdString(source));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << source;
        contents << QString::fromStdString(onDisc)
                 << QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex();
    }
    const QString name = "data-" + keyOf(contents) + ".iso";
    makeCached({name}, "genisoimage",
               QStringList{"-quiet", "-V", "DATADISC", "-o", name} + naming +
                   QStringList{"-graft-points"} + grafts);
    return (cacheFolder() + "/" + name).toStdString();
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
