#pragma once

#include "integer.h"
#include "runtimeerror.h"

#include <initializer_list>
#include <vector>

namespace rt {

// Controls of one kind that share a name and are told apart by their index.
template<typename Control>
class ControlArray
{
public:
    ControlArray(int lowerBound, std::initializer_list<Control *> elements)
        : m_lowerBound(lowerBound), m_elements(elements)
    {
    }

    Control *operator[](Integer index) const
    {
        const int offset = int(index) - m_lowerBound;
        if (offset < 0 || offset >= int(m_elements.size()))
            raiseError(ErrorNumber::ControlArrayElementMissing);
        return m_elements[std::size_t(offset)];
    }

    int lowerBound() const { return m_lowerBound; }
    int upperBound() const { return m_lowerBound + int(m_elements.size()) - 1; }

private:
    int m_lowerBound;
    std::vector<Control *> m_elements;
};

} // namespace rt
