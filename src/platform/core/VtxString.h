#pragma once

#include "platform/Exports.h"
#include <compare>
#include <cstddef>
#include <string>
#include <string_view>

/// 8-bit text of the core library (Windows-1252). Bytes are kept exactly as
/// given; nothing is decoded. Comparisons take a case flag: true compares
/// bytes as they are, false folds the letters of Windows-1252 (ASCII and the
/// accented Latin letters) before comparing.
///
/// Numbers become text through the (value, precision) constructor: the value
/// is rounded half away from zero to `precision` decimals (as written in
/// decimal, so 2.675 with precision 2 gives "2.68"), then needless trailing
/// zeros and a trailing point are dropped: 20 gives "20", 12.5 gives "12.5",
/// -0.00001 with precision 4 gives "0". Such a text reads back (toDouble) to
/// the rounded number.
///
///     Vtx_String width(12.5, 8);          // "12.5"
///     if (width.equal("12.5", true)) ...
class VTX_CORE_API Vtx_String {
public:
    Vtx_String() = default;
    Vtx_String(const char* text) : m_text(text ? text : "") {}
    Vtx_String(std::string_view text) : m_text(text) {}
    Vtx_String(const std::string& text) : m_text(text) {}
    Vtx_String(std::string&& text) : m_text(std::move(text)) {}
    /// Text of a number with `precision` decimals (0 to 15); the flag asks for
    /// the shortest text that reads back to exactly `value` instead.
    Vtx_String(double value, int precision, bool shortest = false);
    virtual ~Vtx_String() = default;
    Vtx_String(const Vtx_String&) = default;
    Vtx_String(Vtx_String&&) noexcept = default;
    Vtx_String& operator=(const Vtx_String&) = default;
    Vtx_String& operator=(Vtx_String&&) noexcept = default;

    static Vtx_String fromInt(long long value);

    const char* c_str() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }
    std::string_view view() const { return m_text; }
    int length() const { return static_cast<int>(m_text.size()); }
    bool isEmpty() const { return m_text.empty(); }
    /// Byte at index; 0 when the index is outside the text.
    char at(int index) const;

    Vtx_String& append(const Vtx_String& text);
    Vtx_String& append(char c);
    /// Inserts text before index (0..length()); false when outside.
    bool insertAt(int index, const Vtx_String& text);
    /// Removes count bytes from index (clipped to the end); false when the
    /// index is outside the text.
    bool removeAt(int index, int count = 1);
    void clear() { m_text.clear(); }

    bool equal(const Vtx_String& other, bool caseSensitive) const;
    /// <0, 0, >0 like strcmp, folding case when caseSensitive is false.
    int compare(const Vtx_String& other, bool caseSensitive) const;
    bool startsWith(const Vtx_String& prefix, bool caseSensitive = true) const;
    bool endsWith(const Vtx_String& suffix, bool caseSensitive = true) const;
    bool hasSubString(const Vtx_String& part, bool caseSensitive = true) const;
    /// Index of the first occurrence of part at or after from, or -1.
    int find(const Vtx_String& part, int from = 0, bool caseSensitive = true) const;
    int find(char c, int from = 0) const;
    /// Index of the last occurrence of c, or -1.
    int findLast(char c) const;
    /// Replaces every occurrence of what by with, left to right without
    /// rescanning replaced text; returns the number of replacements.
    int replaceSubString(const Vtx_String& what, const Vtx_String& with, bool caseSensitive = true);

    /// Up to count bytes from start (count < 0: to the end); clipped.
    Vtx_String mid(int start, int count = -1) const;
    Vtx_String left(int count) const { return mid(0, count); }
    Vtx_String right(int count) const;
    Vtx_String upper() const;
    Vtx_String lower() const;
    /// Without leading and trailing blanks, tabs and line ends.
    Vtx_String trimmed() const;

    /// Reads the whole text (blanks around it allowed) as a decimal number in
    /// the C locale: "12.5", "-3", "+4e2", ".5". False for anything else
    /// (empty text, "12mm", "inf", "nan", hex), leaving value untouched.
    bool toDouble(double& value) const;
    /// As toDouble, and the number must be a whole number in int range.
    bool toInt(int& value) const;
    /// The leading number of the text as C's atof reads it; 0 when none.
    double asDouble() const;

    bool operator==(const Vtx_String& other) const { return m_text == other.m_text; }
    bool operator==(const char* other) const { return m_text == (other ? other : ""); }
    std::strong_ordering operator<=>(const Vtx_String& other) const {
        return m_text <=> other.m_text;
    }
    Vtx_String& operator+=(const Vtx_String& text) { return append(text); }
    Vtx_String& operator+=(char c) { return append(c); }
    friend Vtx_String operator+(Vtx_String left, const Vtx_String& right) {
        left.append(right);
        return left;
    }

private:
    std::string m_text;
};

/// Windows-1252 letter case: maps only letters, leaves every other byte.
VTX_CORE_API char vtxToUpper(char c);
VTX_CORE_API char vtxToLower(char c);

/// Windows-1252 to UTF-8 and back, one character per byte. The five bytes that
/// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
/// control characters of the same number, so all 256 bytes round-trip.
VTX_CORE_API std::string toUtf8(std::string_view text);
/// False when the input is not valid UTF-8 or holds a character outside the
/// 256 that toUtf8 produces; out is then unspecified.
VTX_CORE_API bool fromUtf8(std::string_view utf8, std::string& out);
