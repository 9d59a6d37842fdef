// Plays the program's sounds through rt::SoundPlayer into the null sink of a private
// PulseAudio server and checks what came out of the sink's monitor. Run through
// run-with-null-sink.sh, which starts that server and stops it afterwards.

#include "monitorrecorder.h"
#include "rhythm.h"
#include "soundevents.h"
#include "stderrcapture.h"
#include "wavesamples.h"

#include "runtime/soundplayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <atomic>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Onsets and offsets must come out within this of where the file has them.
constexpr qint64 tolerance = rhythm::sampleRate * 20 / 1000;

// The longest a call may keep its caller: a few ms, with room for a loaded machine.
constexpr qint64 handOverMs = 20;

enum BadFile { Missing, Written, NamedPipe, Padding };

int milliseconds(qint64 samples)
{
    return int(samples * 1000 / rhythm::sampleRate);
}

} // namespace

class SoundPlaybackTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void playsNoteValueWhole_data();
    void playsNoteValueWhole();
    void replaysInFull();
    void cutsPlayingSoundShort_data();
    void cutsPlayingSoundShort();
    void staysSilentOnBadFile_data();
    void staysSilentOnBadFile();
    void staysSilentWithoutServer();

private:
    QString soundPath(const QString &name) const;
    // The sounds in a wave file as the player should reproduce them, and its length.
    QList<SoundEvent> fileEvents(const QString &path);
    qint64 fileLength(const QString &path);
    // What the monitor held from position on, after waiting for waitMs.
    QList<SoundEvent> recordedEvents(qint64 position, int waitMs);

    std::unique_ptr<MonitorRecorder> m_recorder;
    rt::SoundPlayer m_player;
    QTemporaryDir m_temp;
    QHash<QString, std::vector<qint16>> m_files;
};

void SoundPlaybackTest::initTestCase()
{
    const QString sink = qEnvironmentVariable("VELMORA_TEST_NULL_SINK");
    if (sink.isEmpty())
        QSKIP("needs a private PulseAudio server: run this test through run-with-null-sink.sh");
    QVERIFY(m_temp.isValid());
    QVERIFY2(!readWaveSamples(soundPath(QStringLiteral("suoni/no.wav"))).empty(),
             "the sounds are not built: build the target 'sounds' first");
    m_recorder = std::make_unique<MonitorRecorder>(sink + QStringLiteral(".monitor"));
    QVERIFY2(m_recorder->start(10000), qPrintable(m_recorder->errorText()));
}

// Each test starts from silence, so that a sound left over by a failed one is not
// taken for its own.
void SoundPlaybackTest::init()
{
    if (!m_recorder)
        return;
    m_player.stop();
    const qint64 window = rhythm::sampleRate / 20;
    QElapsedTimer timer;
    timer.start();
    do {
        QTest::qWait(window * 1000 / rhythm::sampleRate);
    } while (!findSoundEvents(m_recorder->samplesFrom(m_recorder->position() - window)).isEmpty()
             && timer.elapsed() < 10000);
}

QString SoundPlaybackTest::soundPath(const QString &name) const
{
    return QStringLiteral(VELMORA_SOUND_DIR "/") + name;
}

QList<SoundEvent> SoundPlaybackTest::fileEvents(const QString &path)
{
    if (!m_files.contains(path))
        m_files.insert(path, readWaveSamples(path));
    return findSoundEvents(m_files.value(path));
}

qint64 SoundPlaybackTest::fileLength(const QString &path)
{
    if (!m_files.contains(path))
        m_files.insert(path, readWaveSamples(path));
    return qint64(m_files.value(path).size());
}

QList<SoundEvent> SoundPlaybackTest::recordedEvents(qint64 position, int waitMs)
{
    QTest::qWait(waitMs);
    return findSoundEvents(m_recorder->samplesFrom(position));
}

void SoundPlaybackTest::playsNoteValueWhole_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("whole note, question") << QStringLiteral("suoni/1A.wav");
    QTest::newRow("sixty-fourth notes, question") << QStringLiteral("suoni/7A.wav");
    QTest::newRow("sixty-fourth notes, replay") << QStringLiteral("7.wav");
}

// Every click and every note comes out, in time and at full length, to the last note.
void SoundPlaybackTest::playsNoteValueWhole()
{
    QFETCH(QString, file);
    const QString path = soundPath(file);
    const QList<SoundEvent> expected = fileEvents(path);
    QVERIFY(expected.size() > 2);

    const qint64 from = m_recorder->position();
    m_player.play(path);
    const QList<SoundEvent> actual = recordedEvents(from, milliseconds(fileLength(path)) + 300);

    const QString mismatch = compareSoundEvents(actual, expected, tolerance);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    const qint64 length = actual.last().end - actual.first().start;
    const qint64 expectedLength = expected.last().end - expected.first().start;
    qInfo("%d sounds over %.1f ms, the file's over %.1f ms", int(actual.size()),
          length * 1000.0 / rhythm::sampleRate, expectedLength * 1000.0 / rhythm::sampleRate);
    QVERIFY2(qAbs(length - expectedLength) <= tolerance,
             qPrintable(QStringLiteral("lasted %1 ms instead of %2 ms")
                            .arg(milliseconds(length))
                            .arg(milliseconds(expectedLength))));
}

// Replaying the same file keeps sounding, every time from start to end.
void SoundPlaybackTest::replaysInFull()
{
    const QString path = soundPath(QStringLiteral("suoni/no.wav"));
    const QList<SoundEvent> expected = fileEvents(path);
    QCOMPARE(expected.size(), 2);
    for (int play = 1; play <= 10; ++play) {
        const qint64 from = m_recorder->position();
        m_player.play(path);
        const QList<SoundEvent> actual =
            recordedEvents(from, milliseconds(fileLength(path)) + 150);
        const QString mismatch = compareSoundEvents(actual, expected, tolerance);
        QVERIFY2(mismatch.isEmpty(),
                 qPrintable(QStringLiteral("play %1 of 10: %2").arg(play).arg(mismatch)));
    }
}

void SoundPlaybackTest::cutsPlayingSoundShort_data()
{
    // The moment of the second call falls between two sounds of the first file, and
    // the first file has more sounds after it, which must not come out.
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("afterMs");
    QTest::addColumn<QString>("second"); // empty: stop()
    QTest::newRow("another file") << QStringLiteral("suoni/1A.wav") << 900
                                  << QStringLiteral("suoni/no.wav");
    QTest::newRow("the same file") << QStringLiteral("7.wav") << 400 << QStringLiteral("7.wav");
    QTest::newRow("stop") << QStringLiteral("suoni/1A.wav") << 900 << QString();
}

void SoundPlaybackTest::cutsPlayingSoundShort()
{
    QFETCH(QString, first);
    QFETCH(int, afterMs);
    QFETCH(QString, second);
    const qint64 cut = qint64(afterMs) * rhythm::sampleRate / 1000;

    QList<SoundEvent> expected;
    const QList<SoundEvent> firstEvents = fileEvents(soundPath(first));
    for (const SoundEvent &e : firstEvents) {
        if (e.start - firstEvents.first().start < cut)
            expected.append(e);
    }
    QVERIFY(expected.size() < firstEvents.size());
    QList<SoundEvent> secondEvents;
    int waitMs = 1500;
    if (!second.isEmpty()) {
        secondEvents = fileEvents(soundPath(second));
        waitMs = qMax(waitMs, milliseconds(fileLength(soundPath(second))));
    }

    const qint64 from = m_recorder->position();
    m_player.play(soundPath(first));
    QTest::qWait(afterMs);
    if (second.isEmpty())
        m_player.stop();
    else
        m_player.play(soundPath(second));
    const QList<SoundEvent> actual = recordedEvents(from, waitMs + 300);

    // Before the cut: the first file as far as it got. After it: the second file alone,
    // whole, and then silence.
    const QString before = compareSoundEvents(actual.mid(0, expected.size()), expected, tolerance);
    QVERIFY2(before.isEmpty(), qPrintable(QStringLiteral("before the cut: ") + before));
    const QString after = compareSoundEvents(actual.mid(expected.size()), secondEvents, tolerance);
    QVERIFY2(after.isEmpty(), qPrintable(QStringLiteral("after the cut: ") + after));
}

void SoundPlaybackTest::staysSilentOnBadFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("content"); // of a Written file
    const QByteArray wave = [this] {
        QFile f(soundPath(QStringLiteral("suoni/no.wav")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QTest::newRow("missing file") << QStringLiteral("8A.wav") << int(Missing) << QByteArray();
    QTest::newRow("missing folder") << QStringLiteral("suoni/1A.wav") << int(Missing) << QByteArray();
    QTest::newRow("text named .wav") << QStringLiteral("1A.wav") << int(Written)
                                     << QByteArray("Questo non e' un suono.\n").repeated(40);
    QTest::newRow("empty file") << QStringLiteral("1A.wav") << int(Written) << QByteArray("");
    QTest::newRow("cut in the header") << QStringLiteral("1A.wav") << int(Written) << wave.left(30);
    QTest::newRow("header only") << QStringLiteral("1A.wav") << int(Written) << wave.left(44);
    QTest::newRow("cut in the samples") << QStringLiteral("1A.wav") << int(Written)
                                        << wave.left(wave.size() / 2);
    QTest::newRow("no.wav a named pipe") << QStringLiteral("no.wav") << int(NamedPipe) << QByteArray();
    QTest::newRow("100 MB of padding chunks") << QStringLiteral("1A.wav") << int(Padding)
                                              << QByteArray();
}

// Silence and not a word, the call back at once, and the next good file plays in time.
void SoundPlaybackTest::staysSilentOnBadFile()
{
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(QByteArray, content);
    QTemporaryDir folder(m_temp.filePath(QStringLiteral("bad-XXXXXX")));
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(file);
    const QByteArray native = QFile::encodeName(path);
    if (kind == Written) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(content), content.size());
    } else if (kind == Padding) {
        // RIFF, WAVE, then nothing but empty padding chunks: millions of chunks to walk.
        const qint64 total = 100 * 1024 * 1024;
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        const quint32 riffLength = qToLittleEndian(quint32(total - 8));
        f.write("RIFF");
        f.write(reinterpret_cast<const char *>(&riffLength), 4);
        f.write("WAVE");
        const QByteArray padding = QByteArray("JUNK\0\0\0\0", 8).repeated(128 * 1024);
        for (qint64 left = total - 12; left > 0; left -= padding.size())
            QCOMPARE(f.write(padding.left(qMin<qint64>(left, padding.size()))),
                     qMin<qint64>(left, padding.size()));
    } else if (kind == NamedPipe) {
        QCOMPARE(mkfifo(native.constData(), 0600), 0);
    }
    // A player that opened the pipe would wait for a writer for ever: one comes after a
    // second, so that such a player fails this test rather than hang it.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        if (kind != NamedPipe)
            return;
        QThread::msleep(1000);
        for (int tries = 0; tries < 300 && !done; ++tries) {
            const int fd = open(native.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                close(fd);
                return;
            }
            QThread::msleep(10);
        }
    });
    const auto joinWriter = qScopeGuard([&] {
        done = true;
        writer.join();
    });
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));

    StderrCapture capture;
    const qint64 from = m_recorder->position();
    QElapsedTimer timer;
    timer.start();
    m_player.play(path);
    const qint64 callMs = timer.elapsed();
    const QList<SoundEvent> heard = recordedEvents(from, 400);
    const QByteArray printed = capture.finish();

    QVERIFY2(callMs <= handOverMs, qPrintable(QStringLiteral("play() took %1 ms").arg(callMs)));
    QVERIFY2(heard.isEmpty(), qPrintable(QStringLiteral("%1 sounds").arg(heard.size())));
    QVERIFY2(printed.isEmpty(), printed.constData());

    const QString good = soundPath(QStringLiteral("suoni/no.wav"));
    const qint64 next = m_recorder->position();
    m_player.play(good);
    const QString mismatch = compareSoundEvents(
        recordedEvents(next, milliseconds(fileLength(good)) + 150), fileEvents(good), tolerance);
    QVERIFY2(mismatch.isEmpty(), qPrintable(QStringLiteral("the next file: ") + mismatch));
}

// A player whose server cannot be reached returns at once and says nothing.
void SoundPlaybackTest::staysSilentWithoutServer()
{
    const QString good = soundPath(QStringLiteral("suoni/no.wav"));
    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(m_temp.filePath(QStringLiteral("none"))));
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));

    StderrCapture capture;
    const qint64 from = m_recorder->position();
    QElapsedTimer timer;
    timer.start();
    {
        rt::SoundPlayer player;
        player.play(good);
        player.play(good);
        player.stop();
    }
    const qint64 elapsedMs = timer.elapsed();
    const QList<SoundEvent> heard = recordedEvents(from, 300);
    const QByteArray printed = capture.finish();
    if (server.isNull())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", server);

    QVERIFY2(elapsedMs < 200, qPrintable(QStringLiteral("took %1 ms").arg(elapsedMs)));
    QVERIFY2(heard.isEmpty(), qPrintable(QStringLiteral("%1 sounds").arg(heard.size())));
    QVERIFY2(printed.isEmpty(), printed.constData());
}

QTEST_GUILESS_MAIN(SoundPlaybackTest)
#include "tst_soundplayback.moc"
