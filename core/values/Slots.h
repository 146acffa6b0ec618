#pragma once

#include <QList>

// An array indexed by int whose every index is checked: an index out of range
// asserts in the debug and sanitizer builds. The gala's arrays are 1-based
// (slot 0 unused), so index arithmetic reads like the rules it implements;
// the sheet's control arrays are 0-based. Either way no cast at the index.
template <typename T> class Slots
{
public:
    Slots() = default;
    explicit Slots(int count, const T &value = T{}) { assign(count, value); }

    void assign(int count, const T &value = T{})
    {
        Q_ASSERT(count >= 0);
        m_items.fill(value, count);
    }
    int size() const { return int(m_items.size()); }

    T &operator[](int i)
    {
        Q_ASSERT_X(i >= 0 && i < size(), "Slots", "index out of range");
        return m_items[i];
    }
    const T &operator[](int i) const
    {
        Q_ASSERT_X(i >= 0 && i < size(), "Slots", "index out of range");
        return m_items[i];
    }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    QList<T> m_items; // QList, not std::vector: Slots<bool> holds real bools
};
