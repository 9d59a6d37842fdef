#pragma once

// The timing of Velmora's sounds. The audio test includes this header too, so that it
// checks the files against the same figures the generator used.

namespace rhythm {

constexpr int sampleRate = 44100;

// One tempo for every note value: a quarter note lasts 0.75 s, a bar of 4/4 lasts 3 s.
constexpr int beatsPerMinute = 80;
constexpr int beatsPerBar = 4;
constexpr double beatSeconds = 60.0 / beatsPerMinute;
constexpr double barSeconds = beatSeconds * beatsPerBar;

// A question plays a full bar of clicks before the note; the replay only the last two
// beats of it, enough to give the pulse again.
constexpr int questionClicks = 4;
constexpr int replayClicks = 2;

// Silence at the end of every file, so that no player cuts off the last note.
constexpr double tailSeconds = 0.15;

// Note values are numbered 1 (whole note) to 7 (sixty-fourth note). Each value is
// repeated to fill one bar: 1 whole note, 2 half notes ... 64 sixty-fourth notes.
constexpr int firstValue = 1;
constexpr int lastValue = 7;
constexpr int notesInBar(int value) { return 1 << (value - 1); }
constexpr double slotSeconds(int value) { return barSeconds / notesInBar(value); }

// Each note is released a little before the next one starts, so repeated notes are
// heard (and measured) one by one.
constexpr double gapSeconds(int value)
{
    return slotSeconds(value) * 0.2 < 0.06 ? slotSeconds(value) * 0.2 : 0.06;
}
constexpr double soundingSeconds(int value) { return slotSeconds(value) - gapSeconds(value); }

} // namespace rhythm
