#pragma once

/// The formula cells that refer to one cell by a single reference, as cell
/// position keys. Most cells have one or two (the previous cell of a chain
/// of formulas, a constant that two formulas read): those are kept inside
/// the list, so that linking a formula costs no allocation; more move to the
/// heap. The list takes no more room than a std::vector.

#include <cstdint>
#include <cstring>
#include <utility>

namespace vtx::sheet {

class DependentList {
public:
    DependentList() = default;
    ~DependentList() { freeHeap(); }
    DependentList(DependentList&& other) noexcept { take(other); }
    DependentList& operator=(DependentList&& other) noexcept {
        if (this != &other) {
            freeHeap();
            take(other);
        }
        return *this;
    }
    DependentList(const DependentList&) = delete;
    DependentList& operator=(const DependentList&) = delete;

    const std::uint64_t* begin() const { return data(); }
    const std::uint64_t* end() const { return data() + m_size; }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    /// Empties the list, keeping its memory.
    void clear() { m_size = 0; }

    void push_back(std::uint64_t key) {
        if (m_size == m_capacity) [[unlikely]]
            grow();
        data()[m_size++] = key;
    }
    /// Removes one occurrence of key (the last one), moving the last entry
    /// into its place.
    void eraseOne(std::uint64_t key) {
        // Formulas are usually unlinked in the order they were linked, or the
        // last one first; look from the back.
        std::uint64_t* keys = data();
        for (std::uint32_t i = m_size; i-- > 0;) {
            if (keys[i] == key) {
                keys[i] = keys[m_size - 1];
                --m_size;
                return;
            }
        }
    }

private:
    static constexpr std::uint32_t kInline = 2;

    bool onHeap() const { return m_capacity > kInline; }
    std::uint64_t* data() { return onHeap() ? m_heap : m_inline; }
    const std::uint64_t* data() const { return onHeap() ? m_heap : m_inline; }
    void freeHeap() {
        if (onHeap())
            delete[] m_heap;
    }
    // Steals other's entries and leaves it empty and inline.
    void take(DependentList& other) {
        m_size = other.m_size;
        m_capacity = other.m_capacity;
        if (other.onHeap())
            m_heap = other.m_heap;
        else
            std::memcpy(m_inline, other.m_inline, sizeof m_inline);
        other.m_size = 0;
        other.m_capacity = kInline;
    }
    void grow() {
        std::uint32_t capacity = m_capacity * 2;
        auto* keys = new std::uint64_t[capacity];
        std::memcpy(keys, data(), m_size * sizeof(std::uint64_t));
        freeHeap();
        m_heap = keys;
        m_capacity = capacity;
    }

    std::uint32_t m_size = 0;
    std::uint32_t m_capacity = kInline;
    union {
        std::uint64_t m_inline[kInline] = {};
        std::uint64_t* m_heap;
    };
};

static_assert(sizeof(DependentList) == 24, "a dependent list takes a vector's room");

} // namespace vtx::sheet
