// KsSettingsStore: entries and the 0xA4 text form.
#include "spread/PrintSettingsStore.h"

namespace {

Vtx_String entryPlace(const Vtx_String& source, int entry, std::size_t offset) {
    return source + ": entry " + Vtx_String::fromInt(entry) + " (byte " +
           Vtx_String::fromInt(static_cast<long long>(offset)) + "): ";
}

} // namespace

int KsSettingsStore::indexOf(const Vtx_String& key) const {
    const auto found = m_index.find(key.lower().str());
    return found == m_index.end() ? -1 : found->second;
}

const KsSettingsEntry* KsSettingsStore::find(const Vtx_String& key) const {
    const int index = indexOf(key);
    return index < 0 ? nullptr : &m_entries[index];
}

void KsSettingsStore::set(const KsSettingsEntry& entry) {
    KsSettingsEntry stored = entry;
    if (stored.type == kSettingsText)
        stored.integer = 0;
    else
        stored.text.clear();
    const int index = indexOf(stored.key);
    if (index < 0) {
        m_index.emplace(stored.key.lower().str(), m_entries.length());
        m_entries.append(std::move(stored));
        return;
    }
    // The key keeps the spelling it was first given.
    stored.key = m_entries[index].key;
    m_entries[index] = std::move(stored);
}

void KsSettingsStore::setInt(const Vtx_String& key, int value) {
    KsSettingsEntry entry;
    entry.key = key;
    entry.type = kSettingsInt;
    entry.integer = value;
    set(entry);
}

void KsSettingsStore::setText(const Vtx_String& key, const Vtx_String& value) {
    KsSettingsEntry entry;
    entry.key = key;
    entry.type = kSettingsText;
    entry.text = value;
    set(entry);
}

bool KsSettingsStore::getInt(const Vtx_String& key, int& value) const {
    const KsSettingsEntry* entry = find(key);
    if (!entry || entry->type != kSettingsInt)
        return false;
    value = entry->integer;
    return true;
}

bool KsSettingsStore::getText(const Vtx_String& key, Vtx_String& value) const {
    const KsSettingsEntry* entry = find(key);
    if (!entry || entry->type != kSettingsText)
        return false;
    value = entry->text;
    return true;
}

bool KsSettingsStore::toText(Vtx_String& text, Vtx_String* reason) const {
    std::string out;
    for (const KsSettingsEntry& entry : m_entries) {
        const bool textValue = entry.type == kSettingsText;
        if (entry.key.find(kSettingsSeparator) >= 0 ||
            (textValue && entry.text.find(kSettingsSeparator) >= 0)) {
            if (reason)
                *reason = "settings entry \"" + entry.key +
                          "\" holds the separator byte 0xA4 and cannot be written";
            return false;
        }
        out += entry.key.str();
        out += kSettingsSeparator;
        out += std::to_string(entry.type);
        out += kSettingsSeparator;
        out += textValue ? entry.text.str() : std::to_string(entry.integer);
        out += kSettingsSeparator;
    }
    text = Vtx_String(std::move(out));
    return true;
}

bool KsSettingsStore::fromText(std::string_view text, const Vtx_String& source,
                               Vtx_StringArray* skipped) {
    clear();
    if (skipped)
        skipped->removeAll();
    bool whole = true;
    std::size_t pos = 0;
    int number = 0;
    for (;;) {
        // An entry needs three separators; what is left without them is an
        // incomplete trailing entry and is ignored.
        const std::size_t start = pos;
        std::size_t ends[3] = {};
        std::size_t from = pos;
        for (std::size_t& end : ends) {
            end = text.find(kSettingsSeparator, from);
            if (end == std::string_view::npos)
                return whole;
            from = end + 1;
        }
        ++number;
        const std::string_view key = text.substr(start, ends[0] - start);
        const Vtx_String typeText(text.substr(ends[0] + 1, ends[1] - ends[0] - 1));
        const Vtx_String valueText(text.substr(ends[1] + 1, ends[2] - ends[1] - 1));
        pos = ends[2] + 1;

        KsSettingsEntry entry;
        entry.key = Vtx_String(key);
        // One bad entry costs only itself: the entries around it are still
        // delimited by their separators and are read as usual.
        auto skip = [&](const Vtx_String& what) {
            whole = false;
            if (skipped)
                skipped->append(entryPlace(source, number, start) + what + " of key \"" +
                                entry.key + "\" is not a whole number; the entry is left out");
        };
        if (!typeText.toInt(entry.type)) {
            skip("type \"" + typeText + "\"");
            continue;
        }
        if (entry.type == kSettingsText) {
            entry.text = valueText;
        } else if (!valueText.toInt(entry.integer)) {
            // Entries of types this module does not know keep no value it can
            // use; an integer entry must hold one.
            if (entry.type == kSettingsInt) {
                skip("value \"" + valueText + "\"");
                continue;
            }
            entry.integer = 0;
        }
        set(entry);
    }
}
