// Measures the time from rt::SoundPlayer::play() to the first sample of the sound at the
// sink, by recording the sink's monitor. Start it through run.sh (in this folder), which
// provides a private PulseAudio server with a null sink.
//
// The monitor's samples come in a steady stream; the arrival times of its chunks give
// the wall-clock time of every sample (the earliest arrival bounds the delay). The
// sound's first sample is found by matching the file's samples in the recording, since
// the server drops the first few milliseconds of a new stream from the monitor (it mixes
// the stream into audio it had already rendered and passed on). That figure is good to
// about the sink's block, a few milliseconds, and may come out slightly negative; the
// time when the first sound actually arrives from the monitor is an upper bound.

#include "rhythm.h"
#include "runtime/soundplayer.h"
#include "wavesamples.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

QElapsedTimer clock_;
QProcess parec;
QByteArray recorded;
std::vector<std::pair<qint64, qint64>> arrivals; // (ns, samples received by then)

qint64 samplesReceived()
{
    return recorded.size() / 2;
}

qint16 sampleAt(qint64 i)
{
    return qint16(quint8(recorded[2 * i]) | (quint8(recorded[2 * i + 1]) << 8));
}

void pump(int ms)
{
    const qint64 until = clock_.nsecsElapsed() + qint64(ms) * 1000000;
    for (qint64 left; (left = until - clock_.nsecsElapsed()) > 0;) {
        if (parec.waitForReadyRead(int(std::max<qint64>(1, left / 1000000)))) {
            recorded += parec.readAllStandardOutput();
            arrivals.emplace_back(clock_.nsecsElapsed(), samplesReceived());
        }
    }
}

struct Measurement
{
    double latencyMs = 0;  // play() called to the sound's first sample at the sink
    double seenMs = 0;     // play() called to the first sound arriving from the monitor
    double callMs = 0;     // play() called to play() returned
    bool matched = false;  // the file's samples were found in the recording
};

Measurement measure(rt::SoundPlayer &player, const QString &file, const std::vector<qint16> &ref)
{
    pump(300);
    const qint64 from = samplesReceived();
    const qint64 called = clock_.nsecsElapsed();
    player.play(file);
    const qint64 returned = clock_.nsecsElapsed();
    pump(500);
    player.stop();

    // Wall-clock time of sample 0 of the recording, from the least delayed chunks
    // around the play.
    qint64 origin = std::numeric_limits<qint64>::max();
    for (const auto &[ns, count] : arrivals) {
        if (ns > called - 1000000000LL)
            origin = std::min(origin, ns - count * 1000000000LL / rhythm::sampleRate);
    }

    Measurement m;
    m.callMs = (returned - called) / 1e6;
    const qint64 probe = 1000, length = 200; // well inside the first click
    qint64 first = -1;
    for (qint64 j = from; j + length < samplesReceived() && first < 0; ++j) {
        qint64 k = 0;
        while (k < length && std::abs(sampleAt(j + k) - ref[std::size_t(probe + k)]) <= 2)
            ++k;
        if (k == length) {
            first = j - probe;
            m.matched = true;
        }
    }
    for (qint64 j = from; j < samplesReceived() && first < 0; ++j) {
        if (std::abs(int(sampleAt(j))) > 200)
            first = j;
    }
    if (first < 0) {
        m.latencyMs = m.seenMs = -1;
        return m;
    }
    m.latencyMs = (origin + first * 1000000000LL / rhythm::sampleRate - called) / 1e6;
    qint64 audible = from;
    while (audible < samplesReceived() && std::abs(int(sampleAt(audible))) <= 200)
        ++audible;
    for (const auto &[ns, count] : arrivals) {
        if (count > audible) {
            m.seenMs = (ns - called) / 1e6;
            break;
        }
    }
    return m;
}

void report(const char *what, std::vector<Measurement> runs)
{
    std::vector<double> latency, seen, call;
    int matched = 0;
    for (const Measurement &m : runs) {
        latency.push_back(m.latencyMs);
        seen.push_back(m.seenMs);
        call.push_back(m.callMs);
        matched += m.matched;
    }
    for (auto *v : {&latency, &seen, &call})
        std::sort(v->begin(), v->end());
    std::printf("%s (%zu runs, %d matched by samples)\n"
                "  first sample at the sink:      median %6.1f ms (min %6.1f, max %6.1f)\n"
                "  first sound seen on monitor:   median %6.1f ms (min %6.1f, max %6.1f)\n"
                "  play() returned after:         median %6.2f ms (max %6.2f)\n",
                what, runs.size(), matched, latency[latency.size() / 2], latency.front(),
                latency.back(), seen[seen.size() / 2], seen.front(), seen.back(),
                call[call.size() / 2], call.back());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: soundlatency PROGRAM-FOLDER [RUNS]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString file = folder + QStringLiteral("/suoni/1A.wav");
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    const std::vector<qint16> ref = readWaveSamples(file);
    const QString sink = qEnvironmentVariable("VELMORA_TEST_NULL_SINK");
    if (ref.size() < 2000 || sink.isEmpty()) {
        std::fprintf(stderr, "soundlatency: needs %s and VELMORA_TEST_NULL_SINK (use run.sh)\n",
                     qPrintable(file));
        return 2;
    }

    clock_.start();
    parec.start(QStringLiteral("parec"),
                {QStringLiteral("--device=") + sink + QStringLiteral(".monitor"),
                 QStringLiteral("--latency-msec=5"), QStringLiteral("--raw"),
                 QStringLiteral("--format=s16le"),
                 QStringLiteral("--rate=%1").arg(rhythm::sampleRate),
                 QStringLiteral("--channels=1")});
    pump(100);
    for (int i = 0; i < 100 && recorded.isEmpty(); ++i)
        pump(100);
    if (recorded.isEmpty()) {
        std::fprintf(stderr, "soundlatency: no data from the monitor\n");
        return 1;
    }

    std::vector<Measurement> fresh, first, replay;
    for (int r = 0; r < runs; ++r) {
        rt::SoundPlayer player; // connects to the server on this play
        fresh.push_back(measure(player, file, ref));
    }
    rt::SoundPlayer player;
    measure(player, file, ref);
    // Every sound starts with the same accented click, so 1A.wav's samples find any.
    QStringList others;
    for (int v = rhythm::firstValue; v <= rhythm::lastValue; ++v) {
        if (v != 1)
            others << folder + QStringLiteral("/suoni/%1A.wav").arg(v);
        others << folder + QStringLiteral("/%1.wav").arg(v);
    }
    for (int r = 0; r < std::min<int>(runs, others.size()); ++r)
        first.push_back(measure(player, others[r], ref));
    for (int r = 0; r < runs; ++r)
        replay.push_back(measure(player, file, ref));

    std::printf("Sounds from %s\n", qPrintable(folder));
    std::printf("Very first play in this process (loads the audio driver): %.1f ms at the sink,"
                " %.1f ms seen\n", fresh.front().latencyMs, fresh.front().seenMs);
    report("First play of a new player (connects to the server)", fresh);
    report("First play of a file on a connected player", first);
    report("Replay of the same file", replay);
    parec.kill();
    parec.waitForFinished();
    return 0;
}
