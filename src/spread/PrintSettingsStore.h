#pragma once

/// KsSettingsStore: the ordered key/value store behind the print settings,
/// and its text form shared by a sheet's tag and the ".ksd" settings files.
///
///     KsSettingsStore store;
///     store.setInt("marginLeft", 9);
///     store.setText("defaultFont", "Tahoma");
///     Vtx_String text;
///     store.toText(text);   // "marginLeft\xA4" "2\xA4" "9\xA4" "defaultFont\xA4" "4\xA4" ...
///
/// Text form: for every entry in order the key, the separator, the type
/// number in decimal, the separator, the value (an integer in decimal, a text
/// unchanged), the separator. The separator is the single byte 0xA4. There is
/// no header, no line structure and no terminator:
///
///     form  := entry* [incomplete]
///     entry := key SEP type SEP value SEP
///
/// A trailing incomplete entry (fewer than three separators left) is
/// ignored. Keys are unique with letter case ignored: a later entry of the
/// same key replaces the earlier one in place.

#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <string>
#include <string_view>
#include <unordered_map>

/// The separator byte of the text form (the character "¤" of Windows-1252).
constexpr char kSettingsSeparator = '\xA4';

/// Type numbers of store entries.
enum KsSettingsType : int {
    kSettingsInt = 2,  ///< an integer; booleans are 0 or 1
    kSettingsText = 4, ///< a text
};

/// One entry: a key, a type number and a value. Only a text entry (type 4)
/// keeps a text; every other type keeps an integer.
struct KsSettingsEntry {
    Vtx_String key;
    int type = kSettingsInt;
    int integer = 0;
    Vtx_String text;
};

class KsSettingsStore {
public:
    int count() const { return m_entries.length(); }
    bool isEmpty() const { return m_entries.length() == 0; }
    const KsSettingsEntry& entry(int index) const { return m_entries[index]; }
    void clear() {
        m_entries.removeAll();
        m_index.clear();
    }

    /// The entry of key (letter case ignored), or null.
    const KsSettingsEntry* find(const Vtx_String& key) const;
    /// Sets key to an integer (type 2), replacing an entry of the same key in
    /// place or appending a new one.
    void setInt(const Vtx_String& key, int value);
    void setBool(const Vtx_String& key, bool value) { setInt(key, value ? 1 : 0); }
    /// Sets key to a text (type 4), as setInt.
    void setText(const Vtx_String& key, const Vtx_String& value);
    /// Sets an entry of any type number; a type other than 4 keeps integer,
    /// type 4 keeps text.
    void set(const KsSettingsEntry& entry);

    /// True with value for an entry of type 2; false when missing or of
    /// another type (value unchanged).
    bool getInt(const Vtx_String& key, int& value) const;
    /// True with value for an entry of type 4; false otherwise.
    bool getText(const Vtx_String& key, Vtx_String& value) const;

    /// The text form of every entry. False, with reason naming the key, when
    /// a key or a text holds the separator byte: such an entry cannot be
    /// written without cutting the form apart, so nothing is written.
    bool toText(Vtx_String& text, Vtx_String* reason = nullptr) const;
    /// Replaces the entries by those of a text form. An entry whose type is
    /// not a decimal number, or an integer entry whose value is not a whole
    /// decimal number in int range, is left out; every other entry is kept.
    /// True when no entry was left out; otherwise false, with one line per
    /// entry left out in skipped: "<source>: entry n (byte b): ...". source
    /// only names the text in those lines.
    bool fromText(std::string_view text, const Vtx_String& source,
                  Vtx_StringArray* skipped = nullptr);

private:
    int indexOf(const Vtx_String& key) const;

    Vtx_Array<KsSettingsEntry> m_entries;
    /// Entry index by lower-cased key, so that large texts read in linear time.
    std::unordered_map<std::string, int> m_index;
};
