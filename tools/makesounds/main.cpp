// Writes Velmora's sounds into the folder given on the command line:
//   suoni/1A.wav ... suoni/7A.wav  the questions: a bar of clicks, then a bar of the note value
//   suoni/no.wav                  the cue for a wrong answer
//   1.wav ... 7.wav               the replays: two clicks, then the same bar of the note value
// The output depends on nothing but this program, so every run writes the same bytes.

#include "rhythm.h"
#include "synth.h"

#include "runtime/wavefile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr double notePitch = 440.0;   // A4, the same for every note value
constexpr double clickPitch = 1250.0;
constexpr double accentPitch = 1660.0;
constexpr double notePeakDb = -3.0;   // of full scale
constexpr double clickDb = -7.0;      // peak, against the note's peak
constexpr double accentDb = -6.0;
constexpr double cuePeakDb = -6.0;

double fromDb(double db)
{
    return std::pow(10.0, db / 20.0);
}

void scale(synth::Buffer &buffer, double factor)
{
    for (double &s : buffer)
        s *= factor;
}

void mixInto(synth::Buffer &out, const synth::Buffer &in)
{
    if (out.size() < in.size())
        out.resize(in.size(), 0.0);
    for (std::size_t i = 0; i < in.size(); ++i)
        out[i] += in[i];
}

void padTo(synth::Buffer &buffer, double seconds)
{
    buffer.resize(static_cast<std::size_t>(std::lround(seconds * rhythm::sampleRate)), 0.0);
}

// The clicks of the last `clicks` beats of a count-in bar, the first accented, followed by
// one bar of the note value.
synth::Buffer noteValue(int value, int clicks)
{
    const double noteStart = clicks * rhythm::beatSeconds;

    synth::Buffer notes;
    for (int n = 0; n < rhythm::notesInBar(value); ++n)
        synth::addNote(notes, noteStart + n * rhythm::slotSeconds(value),
                       rhythm::soundingSeconds(value), notePitch, 1.0);
    const double notePeak = synth::peak(notes, noteStart, noteStart + rhythm::barSeconds);
    scale(notes, fromDb(notePeakDb) / notePeak);

    synth::Buffer metronome;
    for (int c = 0; c < clicks; ++c) {
        synth::Buffer click;
        const bool accent = c == 0;
        synth::addClick(click, c * rhythm::beatSeconds, accent ? accentPitch : clickPitch, 1.0);
        scale(click, fromDb(notePeakDb + (accent ? accentDb : clickDb)) / synth::peak(click, 0, 1e9));
        mixInto(metronome, click);
    }

    mixInto(notes, metronome);
    padTo(notes, noteStart + rhythm::barSeconds + rhythm::tailSeconds);
    return notes;
}

// Two soft falling tones, lower and rounder than the notes.
synth::Buffer wrongCue()
{
    synth::Buffer cue;
    synth::addCueTone(cue, 0.0, 0.20, 392.0, 1.0);  // G4
    synth::addCueTone(cue, 0.24, 0.28, 311.1, 1.0); // E flat 4
    scale(cue, fromDb(cuePeakDb) / synth::peak(cue, 0, 1e9));
    padTo(cue, 0.52 + rhythm::tailSeconds);
    return cue;
}

// Writes samples in [-1, 1] as a PCM 16-bit mono wave file.
bool write(const std::filesystem::path &path, const synth::Buffer &buffer)
{
    std::vector<std::int16_t> samples(buffer.size());
    std::transform(buffer.begin(), buffer.end(), samples.begin(), [](double s) {
        return std::int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
    });
    if (rt::writeWave16(path.string(), {1, 1, rhythm::sampleRate, 16}, samples))
        return true;
    std::fprintf(stderr, "makesounds: cannot write %s\n", path.string().c_str());
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesounds OUTPUT-FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder / "suoni", error);
    if (error) {
        std::fprintf(stderr, "makesounds: cannot create %s: %s\n",
                     (folder / "suoni").string().c_str(), error.message().c_str());
        return 1;
    }

    bool ok = true;
    for (int value = rhythm::firstValue; value <= rhythm::lastValue; ++value) {
        const std::string n = std::to_string(value);
        ok = write(folder / "suoni" / (n + "A.wav"), noteValue(value, rhythm::questionClicks)) && ok;
        ok = write(folder / (n + ".wav"), noteValue(value, rhythm::replayClicks)) && ok;
    }
    ok = write(folder / "suoni" / "no.wav", wrongCue()) && ok;
    return ok ? 0 : 1;
}
