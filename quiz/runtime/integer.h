#pragma once

#include <cstdint>

namespace rt {

// A 16-bit signed whole number. Arithmetic that leaves -32768..32767 raises the
// overflow run-time error instead of wrapping. Plain expressions such as `minuti - 1`
// are worked out as int and checked when they are stored back.
class Integer
{
public:
    constexpr Integer() = default;
    constexpr Integer(std::int16_t value) : m_value(value) {}
    // Literals and loop bounds arrive as int; a value outside the range is an overflow.
    Integer(int value);

    constexpr operator int() const { return m_value; }

    Integer &operator+=(Integer other);
    Integer &operator-=(Integer other);

private:
    std::int16_t m_value = 0;
};

} // namespace rt
