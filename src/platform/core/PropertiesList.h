#pragma once

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

/// An ordered list of key/value properties, stored in a properties file
/// (layout in docs/properties-format.md). Keys are compared with case
/// ignored; the list keeps the order in which keys were first set, and a
/// file is written in that order. Values are texts; integers and doubles are
/// stored as their decimal texts and read back strictly.
///
///     Vtx_PropertiesList list;
///     list.setProperty("nrOfControls", 2);
///     list.setProperty("topLeftX0", 0.25);
///     list.setProperty("contents0", "Width");
///     list.writeToFile(path);
///     ...
///     int count = 0;
///     if (list.readFromFile(path, &reason) == eOk && list.getProperty("NROFCONTROLS", count) ==
///     eOk)
class VTX_CORE_API Vtx_PropertiesList {
public:
    /// The first line of every properties file this version writes.
    static constexpr const char* kHeader = "VtxProperties version 1";

    Vtx_PropertiesList() = default;
    virtual ~Vtx_PropertiesList() = default;
    Vtx_PropertiesList(const Vtx_PropertiesList&) = default;
    Vtx_PropertiesList(Vtx_PropertiesList&&) noexcept = default;
    Vtx_PropertiesList& operator=(const Vtx_PropertiesList&) = default;
    Vtx_PropertiesList& operator=(Vtx_PropertiesList&&) noexcept = default;

    /// Replaces the list with the file's properties. On failure the list is
    /// unchanged and reason (when given) names the file and, for bad content,
    /// the line: eFileNotFound, eFileAccessErr, eLimitExceeded as the line
    /// reader gives them; eBadFileFormat for a wrong header, a line without
    /// "=", an empty or repeated key, a bad escape or text that is not UTF-8.
    ErrorStatus readFromFile(const Vtx_String& path, Vtx_String* reason = nullptr);
    /// Writes the list, in order, whole to a temporary file beside path and
    /// renames it over path.
    ErrorStatus writeToFile(const Vtx_String& path) const;

    /// eOk and the value, or eKeyNotFound (value untouched).
    ErrorStatus getProperty(const Vtx_String& key, Vtx_String& value) const;
    /// eKeyNotFound, or eInvalidInput when the text is not a whole number in
    /// int range; value is untouched on failure.
    ErrorStatus getProperty(const Vtx_String& key, int& value) const;
    /// eKeyNotFound, or eInvalidInput when the text is not a decimal number
    /// (Vtx_String::toDouble); value is untouched on failure.
    ErrorStatus getProperty(const Vtx_String& key, double& value) const;

    /// Sets the value of key; a new key goes to the end of the list, an
    /// existing one (case ignored) keeps its place and its spelling.
    /// eInvalidName for an empty key.
    ErrorStatus setProperty(const Vtx_String& key, const Vtx_String& value);
    ErrorStatus setProperty(const Vtx_String& key, const char* value) {
        return setProperty(key, Vtx_String(value));
    }
    ErrorStatus setProperty(const Vtx_String& key, int value);
    /// Stored as the shortest text that reads back to exactly value;
    /// eInvalidInput for NaN and infinities.
    ErrorStatus setProperty(const Vtx_String& key, double value);

    bool hasProperty(const Vtx_String& key) const { return indexOf(key) >= 0; }
    /// eKeyNotFound when there is no such key.
    ErrorStatus removeProperty(const Vtx_String& key);
    void clear();

    int length() const { return static_cast<int>(m_items.size()); }
    /// Key and value at index; precondition 0 <= index < length().
    const Vtx_String& keyAt(int index) const {
        return m_items[static_cast<std::size_t>(index)].first;
    }
    const Vtx_String& valueAt(int index) const {
        return m_items[static_cast<std::size_t>(index)].second;
    }

    /// Same keys (case ignored) in the same order with the same values.
    bool operator==(const Vtx_PropertiesList& other) const;

private:
    int indexOf(const Vtx_String& key) const;
    void rebuildIndex();

    std::vector<std::pair<Vtx_String, Vtx_String>> m_items;
    std::unordered_map<std::string, int> m_index; // lower-case key -> position
};
