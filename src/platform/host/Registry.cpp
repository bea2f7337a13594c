#include "platform/host/Registry.h"

#include "platform/core/Files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

bool isControl(char c) {
    auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

ErrorStatus readWhole(const Vtx_String& path, std::string& bytes, bool& missing,
                      Vtx_String* reason) {
    std::error_code ec;
    std::filesystem::path native = nativePath(path);
    missing = !std::filesystem::exists(native, ec);
    if (missing)
        return eOk;
    auto size = std::filesystem::file_size(native, ec);
    if (ec) {
        if (reason)
            *reason = path + ": cannot read the file";
        return eFileAccessErr;
    }
    if (static_cast<long long>(size) > HostRegistry::kMaxFileBytes) {
        if (reason)
            *reason = path + ": the file is larger than " +
                      Vtx_String::fromInt(HostRegistry::kMaxFileBytes) + " bytes";
        return eBadFileFormat;
    }
    std::ifstream in(native, std::ios::binary);
    bytes.assign(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        if (reason)
            *reason = path + ": cannot read the file";
        return eFileAccessErr;
    }
    return eOk;
}

} // namespace

bool HostRegistry::isValidKeyPath(const Vtx_String& key) {
    const std::string& s = key.str();
    if (s.empty() || s.size() > static_cast<std::size_t>(kMaxKeyPathBytes))
        return false;
    if (s.front() == '\\' || s.back() == '\\' || isBlank(s.front()) || isBlank(s.back()))
        return false;
    if (s.find("\\\\") != std::string::npos)
        return false;
    for (char c : s)
        if (isControl(c))
            return false;
    return true;
}

ErrorStatus HostRegistry::setFile(const Vtx_String& path, Vtx_String* reason) {
    m_file = path;
    return reload(reason);
}

void HostRegistry::detachFile() {
    m_file.clear();
    m_fileBroken = false;
}

ErrorStatus HostRegistry::reload(Vtx_String* reason) {
    m_keys.clear();
    m_fileBroken = false;
    if (m_file.isEmpty())
        return eOk;
    std::string bytes;
    bool missing = false;
    ErrorStatus status = readWhole(m_file, bytes, missing, reason);
    if (status == eOk && !missing)
        status = parseRegistry(bytes, m_file, m_keys, reason);
    m_fileBroken = status != eOk;
    return status;
}

ErrorStatus HostRegistry::setText(const Vtx_String& key, const Vtx_String& name,
                                  const Vtx_String& text) {
    if (!isValidKeyPath(key) || name.length() > kMaxValueNameBytes)
        return eInvalidName;
    if (text.length() > kMaxTextBytes)
        return eLimitExceeded;
    RegistryKey& entry = m_keys[key.upper()];
    if (entry.path.isEmpty())
        entry.path = key;
    RegistryValue& value = entry.values[name.upper()];
    if (value.name.isEmpty())
        value.name = name;
    value.type = RegistryValueType::Text;
    value.text = text;
    value.integer = 0;
    return commit();
}

ErrorStatus HostRegistry::setInteger(const Vtx_String& key, const Vtx_String& name, int number) {
    if (!isValidKeyPath(key) || name.length() > kMaxValueNameBytes)
        return eInvalidName;
    RegistryKey& entry = m_keys[key.upper()];
    if (entry.path.isEmpty())
        entry.path = key;
    RegistryValue& value = entry.values[name.upper()];
    if (value.name.isEmpty())
        value.name = name;
    value.type = RegistryValueType::Integer;
    value.text.clear();
    value.integer = number;
    return commit();
}

const RegistryValue* HostRegistry::findValue(const Vtx_String& key, const Vtx_String& name) const {
    auto k = m_keys.find(key.upper());
    if (k == m_keys.end())
        return nullptr;
    auto v = k->second.values.find(name.upper());
    return v == k->second.values.end() ? nullptr : &v->second;
}

ErrorStatus HostRegistry::getText(const Vtx_String& key, const Vtx_String& name,
                                  Vtx_String& text) const {
    const RegistryValue* value = findValue(key, name);
    if (value == nullptr)
        return eKeyNotFound;
    if (value->type != RegistryValueType::Text)
        return eWrongObjectType;
    text = value->text;
    return eOk;
}

ErrorStatus HostRegistry::getInteger(const Vtx_String& key, const Vtx_String& name,
                                     int& number) const {
    const RegistryValue* value = findValue(key, name);
    if (value == nullptr)
        return eKeyNotFound;
    if (value->type != RegistryValueType::Integer)
        return eWrongObjectType;
    number = value->integer;
    return eOk;
}

ErrorStatus HostRegistry::removeValue(const Vtx_String& key, const Vtx_String& name) {
    auto k = m_keys.find(key.upper());
    if (k == m_keys.end() || k->second.values.erase(name.upper()) == 0)
        return eKeyNotFound;
    return commit();
}

ErrorStatus HostRegistry::removeKey(const Vtx_String& key) {
    Vtx_String folded = key.upper();
    Vtx_String below = folded + "\\";
    bool found = false;
    for (auto it = m_keys.begin(); it != m_keys.end();) {
        if (it->first == folded || it->first.startsWith(below)) {
            it = m_keys.erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    return found ? commit() : eKeyNotFound;
}

bool HostRegistry::hasKey(const Vtx_String& key) const {
    return m_keys.count(key.upper()) != 0;
}

Vtx_StringArray HostRegistry::keyPaths() const {
    Vtx_StringArray paths;
    for (const auto& [folded, key] : m_keys)
        paths.append(key.path);
    return paths;
}

Vtx_StringArray HostRegistry::valueNames(const Vtx_String& key) const {
    Vtx_StringArray names;
    auto k = m_keys.find(key.upper());
    if (k != m_keys.end())
        for (const auto& [folded, value] : k->second.values)
            names.append(value.name);
    return names;
}

ErrorStatus HostRegistry::clear() {
    m_keys.clear();
    return commit();
}

ErrorStatus HostRegistry::commit() {
    if (m_file.isEmpty())
        return eOk;
    if (m_fileBroken)
        return eNotOpenForWrite;
    return writeFileAtomically(m_file, formatRegistry(m_keys));
}
