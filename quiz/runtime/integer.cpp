#include "integer.h"

#include "runtimeerror.h"

#include <limits>

namespace rt {

namespace {
std::int16_t checked(long value)
{
    if (value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max())
        raiseError(ErrorNumber::Overflow);
    return static_cast<std::int16_t>(value);
}
} // namespace

Integer::Integer(int value) : m_value(checked(value)) {}

Integer &Integer::operator+=(Integer other)
{
    m_value = checked(long(m_value) + long(other.m_value));
    return *this;
}

Integer &Integer::operator-=(Integer other)
{
    m_value = checked(long(m_value) - long(other.m_value));
    return *this;
}

} // namespace rt
