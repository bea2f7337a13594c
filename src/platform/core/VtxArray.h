#pragma once

#include "platform/Exports.h"
#include <algorithm>
#include <cstddef>
#include <deque>
#include <type_traits>
#include <utility>
#include <vector>

/// The core library's growable array: a thin, bounds-checked layer over
/// std::vector with the core's method names. Indices are int; an index out of
/// range is rejected (insertAt/removeAt return false), never undefined.
///
///     Vtx_Array<int> numbers;
///     numbers.append(3);
///     numbers.insertAt(0, 1);   // {1, 3}
template <typename T> class VTX_CORE_API Vtx_Array {
    // std::vector<bool> hands out proxies, not bool&; a deque keeps real bools.
    using Storage = std::conditional_t<std::is_same_v<T, bool>, std::deque<bool>, std::vector<T>>;

public:
    Vtx_Array() = default;
    Vtx_Array(std::initializer_list<T> items) : m_items(items) {}
    virtual ~Vtx_Array() = default;
    Vtx_Array(const Vtx_Array&) = default;
    Vtx_Array(Vtx_Array&&) noexcept = default;
    Vtx_Array& operator=(const Vtx_Array&) = default;
    Vtx_Array& operator=(Vtx_Array&&) noexcept = default;

    int length() const { return static_cast<int>(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    bool isValid(int index) const { return index >= 0 && index < length(); }

    /// Appends an item; returns its index.
    int append(const T& item) {
        m_items.push_back(item);
        return length() - 1;
    }
    int append(T&& item) {
        m_items.push_back(std::move(item));
        return length() - 1;
    }
    /// Inserts before index (0..length()); false when the index is outside.
    bool insertAt(int index, const T& item) {
        if (index < 0 || index > length())
            return false;
        m_items.insert(m_items.begin() + index, item);
        return true;
    }
    /// Removes the item at index; false when the index is outside.
    bool removeAt(int index) {
        if (!isValid(index))
            return false;
        m_items.erase(m_items.begin() + index);
        return true;
    }
    void removeAll() { m_items.clear(); }
    void setLogicalLength(int n) { m_items.resize(n < 0 ? 0 : static_cast<std::size_t>(n)); }

    /// Index of the first item equal to value, or -1.
    int find(const T& value) const {
        auto it = std::find(m_items.begin(), m_items.end(), value);
        return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
    }
    bool contains(const T& value) const { return find(value) >= 0; }

    /// Precondition: isValid(index).
    T& operator[](int index) { return m_items[static_cast<std::size_t>(index)]; }
    const T& operator[](int index) const { return m_items[static_cast<std::size_t>(index)]; }
    T& at(int index) { return m_items.at(static_cast<std::size_t>(index)); }
    const T& at(int index) const { return m_items.at(static_cast<std::size_t>(index)); }
    T& last() { return m_items.back(); }
    const T& last() const { return m_items.back(); }

    bool operator==(const Vtx_Array& other) const { return m_items == other.m_items; }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    Storage& items() { return m_items; }
    const Storage& items() const { return m_items; }

private:
    Storage m_items;
};
