#include "platform/core/PropertiesList.h"

#include "platform/core/TextEscapes.h"

#include "platform/core/Files.h"
#include "platform/core/VtxStringArray.h"

#include <cmath>

namespace {

// Escapes backslashes and control bytes; for keys also "=", and a "#" or a
// blank at the start, so that a key never starts a comment and the first raw
// "=" of a line always ends the key.
std::string escape(const std::string& text, bool isKey) {
    std::string out;
    out.reserve(text.size());
    const unsigned set = kEscapeReturn | kEscapeHex;
    std::string_view rest = text;
    if (isKey && !rest.empty()) {
        appendEscaped(out, rest.substr(0, 1), set, "=# ");
        rest.remove_prefix(1);
    }
    appendEscaped(out, rest, set, isKey ? "=" : "");
    return out;
}

bool unescape(const std::string& text, std::string& out) {
    return unescapeText(text, kEscapeReturn | kEscapeHex, out);
}

std::string foldKey(const Vtx_String& key) {
    return key.lower().str();
}

} // namespace

ErrorStatus Vtx_PropertiesList::readFromFile(const Vtx_String& path, Vtx_String* reason) {
    Vtx_StringArray lines;
    if (ErrorStatus status = ObjectExportReadFile(path, lines, reason); status != eOk)
        return status;
    auto fail = [&](int line, const std::string& what) {
        if (reason)
            *reason = Vtx_String(path.str() + ": line " + std::to_string(line) + ": " + what);
        return eBadFileFormat;
    };
    if (lines.isEmpty())
        return fail(1, "missing header \"" + std::string(kHeader) + "\"");
    std::string header = lines[0].str();
    if (header.rfind("\xEF\xBB\xBF", 0) == 0)
        header.erase(0, 3);
    if (header != kHeader)
        return fail(1, "expected header \"" + std::string(kHeader) + "\"");

    Vtx_PropertiesList result;
    for (int i = 1; i < lines.length(); ++i) {
        int lineNumber = i + 1;
        const std::string& line = lines[i].str();
        if (line.empty() || line[0] == '#')
            continue;
        std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            return fail(lineNumber, "expected key=value");
        std::string rawKey;
        std::string rawValue;
        if (!fromUtf8(line.substr(0, equals), rawKey) ||
            !fromUtf8(line.substr(equals + 1), rawValue))
            return fail(lineNumber, "text is not valid UTF-8 of Windows-1252 characters");
        std::string key;
        std::string value;
        if (!unescape(rawKey, key) || !unescape(rawValue, value))
            return fail(lineNumber, "bad escape sequence");
        if (key.empty())
            return fail(lineNumber, "empty key");
        if (result.hasProperty(Vtx_String(key)))
            return fail(lineNumber, "key \"" + key + "\" appears twice");
        result.setProperty(Vtx_String(std::move(key)), Vtx_String(std::move(value)));
    }
    *this = std::move(result);
    return eOk;
}

ErrorStatus Vtx_PropertiesList::writeToFile(const Vtx_String& path) const {
    std::string bytes = std::string(kHeader) + "\r\n";
    for (const auto& [key, value] : m_items) {
        bytes += toUtf8(escape(key.str(), true));
        bytes += '=';
        bytes += toUtf8(escape(value.str(), false));
        bytes += "\r\n";
    }
    return writeFileAtomically(path, bytes);
}

ErrorStatus Vtx_PropertiesList::getProperty(const Vtx_String& key, Vtx_String& value) const {
    int index = indexOf(key);
    if (index < 0)
        return eKeyNotFound;
    value = valueAt(index);
    return eOk;
}

ErrorStatus Vtx_PropertiesList::getProperty(const Vtx_String& key, int& value) const {
    int index = indexOf(key);
    if (index < 0)
        return eKeyNotFound;
    return valueAt(index).toInt(value) ? eOk : eInvalidInput;
}

ErrorStatus Vtx_PropertiesList::getProperty(const Vtx_String& key, double& value) const {
    int index = indexOf(key);
    if (index < 0)
        return eKeyNotFound;
    return valueAt(index).toDouble(value) ? eOk : eInvalidInput;
}

ErrorStatus Vtx_PropertiesList::setProperty(const Vtx_String& key, const Vtx_String& value) {
    if (key.isEmpty())
        return eInvalidName;
    int index = indexOf(key);
    if (index >= 0) {
        m_items[static_cast<std::size_t>(index)].second = value;
        return eOk;
    }
    m_index.emplace(foldKey(key), length());
    m_items.emplace_back(key, value);
    return eOk;
}

ErrorStatus Vtx_PropertiesList::setProperty(const Vtx_String& key, int value) {
    return setProperty(key, Vtx_String::fromInt(value));
}

ErrorStatus Vtx_PropertiesList::setProperty(const Vtx_String& key, double value) {
    if (!std::isfinite(value))
        return eInvalidInput;
    return setProperty(key, Vtx_String(value, 0, true));
}

ErrorStatus Vtx_PropertiesList::removeProperty(const Vtx_String& key) {
    int index = indexOf(key);
    if (index < 0)
        return eKeyNotFound;
    m_items.erase(m_items.begin() + index);
    rebuildIndex();
    return eOk;
}

void Vtx_PropertiesList::clear() {
    m_items.clear();
    m_index.clear();
}

bool Vtx_PropertiesList::operator==(const Vtx_PropertiesList& other) const {
    if (m_items.size() != other.m_items.size())
        return false;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (!m_items[i].first.equal(other.m_items[i].first, false) ||
            m_items[i].second != other.m_items[i].second)
            return false;
    }
    return true;
}

int Vtx_PropertiesList::indexOf(const Vtx_String& key) const {
    auto it = m_index.find(foldKey(key));
    return it == m_index.end() ? -1 : it->second;
}

void Vtx_PropertiesList::rebuildIndex() {
    m_index.clear();
    for (int i = 0; i < length(); ++i)
        m_index.emplace(foldKey(keyAt(i)), i);
}
