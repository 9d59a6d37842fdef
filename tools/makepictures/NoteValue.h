#pragma once

// The note values, longest first.
enum class NoteValue { Whole, Half, Quarter, Eighth, Sixteenth, ThirtySecond, SixtyFourth };
