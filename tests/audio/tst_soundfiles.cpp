// Checks the wave files that makesounds writes: the rhythm of every note value against
// the tempo, the levels, soft note edges, and that every run writes the same bytes.

#include "rhythm.h"
#include "soundevents.h"
#include "wavesamples.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 samplesOf(double seconds)
{
    return qint64(seconds * rhythm::sampleRate + 0.5);
}

// The envelope finder places onsets and offsets a little inside the fades.
constexpr qint64 tolerance = samplesOf(0.005);

double peakDb(const std::vector<qint16> &s, qint64 from, qint64 to)
{
    int peak = 0;
    for (qint64 i = std::max<qint64>(0, from); i < std::min<qint64>(qint64(s.size()), to); ++i)
        peak = std::max(peak, std::abs(int(s[std::size_t(i)])));
    return 20.0 * std::log10(peak / 32768.0);
}

QStringList allFiles()
{
    QStringList files{QStringLiteral("suoni/no.wav")};
    for (int v = rhythm::firstValue; v <= rhythm::lastValue; ++v)
        files << QStringLiteral("suoni/%1A.wav").arg(v) << QStringLiteral("%1.wav").arg(v);
    return files;
}

} // namespace

class SoundFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void rhythm_data() { addNoteValueRows(); }
    void rhythm();
    void levels_data() { addNoteValueRows(); }
    void levels();
    void wrongAnswerCue();
    void sameBytesOnEveryRun();

private:
    static void addNoteValueRows();
};

void SoundFilesTest::addNoteValueRows()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("clicks");
    for (int v = rhythm::firstValue; v <= rhythm::lastValue; ++v) {
        const QByteArray n = QByteArray::number(v);
        QTest::newRow("question " + n) << QStringLiteral("suoni/%1A.wav").arg(v) << v
                                       << rhythm::questionClicks;
        QTest::newRow("replay " + n) << QStringLiteral("%1.wav").arg(v) << v
                                     << rhythm::replayClicks;
    }
}

// The clicks fall on the beats, then the note value fills one bar, each note at its
// place and of its length, with soft edges, and silence after the last one.
void SoundFilesTest::rhythm()
{
    QFETCH(QString, file);
    QFETCH(int, value);
    QFETCH(int, clicks);
    const std::vector<qint16> s = readWaveSamples(QStringLiteral(VELMORA_SOUND_DIR "/") + file);
    QVERIFY2(!s.empty(), "not a PCM 16-bit mono 44.1 kHz wave file");

    const QList<SoundEvent> events = findSoundEvents(s);
    const int notes = rhythm::notesInBar(value);
    QCOMPARE(events.size(), clicks + notes);
    const qint64 origin = events.first().start;
    for (int c = 0; c < clicks; ++c)
        QVERIFY2(std::abs(events[c].start - origin - samplesOf(c * rhythm::beatSeconds)) <= tolerance,
                 qPrintable(QStringLiteral("click %1 off the beat").arg(c + 1)));

    // A soft attack and release: the first and last half millisecond of a note stay far
    // below its peak.
    const double edgeLimit = peakDb(s, 0, qint64(s.size())) - 12.0;
    const qint64 edge = samplesOf(0.0005);
    for (int n = 0; n < notes; ++n) {
        const SoundEvent &e = events[clicks + n];
        const qint64 start = samplesOf(clicks * rhythm::beatSeconds + n * rhythm::slotSeconds(value));
        QVERIFY2(std::abs(e.start - origin - start) <= tolerance,
                 qPrintable(QStringLiteral("note %1 starts off its place").arg(n + 1)));
        QVERIFY2(std::abs(e.end - e.start - samplesOf(rhythm::soundingSeconds(value))) <= tolerance,
                 qPrintable(QStringLiteral("note %1 has the wrong length").arg(n + 1)));
        QVERIFY2(peakDb(s, e.start, e.start + edge) < edgeLimit,
                 qPrintable(QStringLiteral("note %1 starts with a click").arg(n + 1)));
        QVERIFY2(peakDb(s, e.end - edge, e.end) < edgeLimit,
                 qPrintable(QStringLiteral("note %1 ends with a click").arg(n + 1)));
    }
    QVERIFY(s.front() == 0 && s.back() == 0);
    QVERIFY(qint64(s.size()) - events.last().end >= samplesOf(rhythm::tailSeconds));
}

// The notes peak near -3 dBFS without clipping; the clicks are clearly softer.
void SoundFilesTest::levels()
{
    QFETCH(QString, file);
    QFETCH(int, value);
    QFETCH(int, clicks);
    const std::vector<qint16> s = readWaveSamples(QStringLiteral(VELMORA_SOUND_DIR "/") + file);
    const QList<SoundEvent> events = findSoundEvents(s);
    QCOMPARE(events.size(), clicks + rhythm::notesInBar(value));

    const double notes = peakDb(s, events[clicks].start, qint64(s.size()));
    QVERIFY2(std::abs(notes + 3.0) < 0.2, qPrintable(QStringLiteral("notes peak at %1 dBFS").arg(notes)));
    for (int c = 0; c < clicks; ++c) {
        const double below = notes - peakDb(s, events[c].start, events[c].end);
        QVERIFY2(below >= 5.5 && below <= 10.0,
                 qPrintable(QStringLiteral("click %1 is %2 dB below the notes").arg(c + 1).arg(below)));
    }
}

void SoundFilesTest::wrongAnswerCue()
{
    const std::vector<qint16> s = readWaveSamples(QStringLiteral(VELMORA_SOUND_DIR "/suoni/no.wav"));
    QVERIFY2(!s.empty(), "not a PCM 16-bit mono 44.1 kHz wave file");
    QVERIFY(qint64(s.size()) < samplesOf(1.0));
    const QList<SoundEvent> events = findSoundEvents(s);
    QCOMPARE(events.size(), 2);
    QVERIFY(peakDb(s, 0, qint64(s.size())) <= -3.0);
    QVERIFY(s.front() == 0 && s.back() == 0);
    QVERIFY(qint64(s.size()) - events.last().end >= samplesOf(rhythm::tailSeconds));
}

// The build may rerun the generator at any time: the files must not change.
void SoundFilesTest::sameBytesOnEveryRun()
{
    QTemporaryDir first, second;
    QVERIFY(first.isValid() && second.isValid());
    for (const QTemporaryDir *dir : {&first, &second}) {
        QProcess run;
        run.start(QStringLiteral(VELMORA_MAKESOUNDS), {dir->path()});
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(run.exitCode(), 0);
    }
    const auto bytes = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    for (const QString &file : allFiles()) {
        const QByteArray built = bytes(QStringLiteral(VELMORA_SOUND_DIR "/") + file);
        QVERIFY2(!built.isEmpty(), qPrintable(file));
        QVERIFY2(bytes(first.filePath(file)) == built, qPrintable(file));
        QVERIFY2(bytes(second.filePath(file)) == built, qPrintable(file));
    }
    QCOMPARE(QDir(first.path()).entryList(QDir::Files).size(), rhythm::lastValue);
    QCOMPARE(QDir(first.filePath(QStringLiteral("suoni"))).entryList(QDir::Files).size(),
             rhythm::lastValue + 1);
}

QTEST_GUILESS_MAIN(SoundFilesTest)
#include "tst_soundfiles.moc"
