#pragma once

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <map>

/// The kinds of value the registry holds.
enum class RegistryValueType { Text, Integer };

/// One value of a registry key.
struct VTX_HOST_API RegistryValue {
    Vtx_String name; ///< as first written; may be empty (the key's default value)
    RegistryValueType type = RegistryValueType::Text;
    Vtx_String text; ///< for Text
    int integer = 0; ///< for Integer
};

/// A registry key with its values, keyed by the upper-cased value name.
struct VTX_HOST_API RegistryKey {
    Vtx_String path; ///< as first written
    std::map<Vtx_String, RegistryValue> values;
};

/// All keys, keyed by the upper-cased key path.
using RegistryKeys = std::map<Vtx_String, RegistryKey>;

/// The host's stand-in for the machine-wide part of the system registry:
/// values under key paths such as "Software\\Kestrel\\Spreadsheet Editor v1.0",
/// each a text or a 32-bit integer. Key paths and value names compare without
/// regard to letter case.
///
/// Without a file the registry lives in memory only (the default, so tests and
/// batch runs never touch the machine). With a file (setFile) it is read from
/// it, and every change is written back at once, whole, to a temporary file
/// that is then renamed over it (format: docs/registry-format.md). After a
/// file failed to read, changes stay in memory and the file is left as it is.
///
///     HostRegistry& registry = Host::current().registry();
///     Vtx_String language = "EN";
///     registry.getText("Software\\Kestrel\\Spreadsheet Editor v1.0", "Language", language);
class VTX_HOST_API HostRegistry {
public:
    static constexpr int kFormatVersion = 1;
    static constexpr int kMaxKeyPathBytes = 512;
    static constexpr int kMaxValueNameBytes = 255;
    static constexpr int kMaxTextBytes = 16384;
    static constexpr long long kMaxFileBytes = 16LL << 20;

    /// Reads the registry from path (a missing file is an empty registry) and
    /// writes every later change there. eBadFileFormat or eFileAccessErr with
    /// a reason naming the file and line; the registry is then empty.
    ErrorStatus setFile(const Vtx_String& path, Vtx_String* reason = nullptr);
    /// Back to a registry in memory only; the values stay.
    void detachFile();
    const Vtx_String& file() const { return m_file; }
    /// Reads the file again, dropping what is in memory.
    ErrorStatus reload(Vtx_String* reason = nullptr);

    /// Sets a value, making the key when needed. eInvalidName for a bad key
    /// path (empty, a leading, trailing or doubled "\\", a control character,
    /// blanks at either end, too long) or a value name that is too long;
    /// eLimitExceeded for a text over kMaxTextBytes. The value is set in
    /// memory all the same when the file is at fault: eFileAccessErr when it
    /// could not be written, eNotOpenForWrite when it failed to read and is
    /// left alone.
    ErrorStatus setText(const Vtx_String& key, const Vtx_String& name, const Vtx_String& text);
    ErrorStatus setInteger(const Vtx_String& key, const Vtx_String& name, int value);

    /// eOk with the value; eKeyNotFound when the key or value is missing;
    /// eWrongObjectType when the value is of the other type. value is changed
    /// only on eOk.
    ErrorStatus getText(const Vtx_String& key, const Vtx_String& name, Vtx_String& value) const;
    ErrorStatus getInteger(const Vtx_String& key, const Vtx_String& name, int& value) const;
    /// The value record, or null.
    const RegistryValue* findValue(const Vtx_String& key, const Vtx_String& name) const;

    /// eKeyNotFound when missing.
    ErrorStatus removeValue(const Vtx_String& key, const Vtx_String& name);
    /// Removes the key with its values and every key below it.
    ErrorStatus removeKey(const Vtx_String& key);

    bool hasKey(const Vtx_String& key) const;
    Vtx_StringArray keyPaths() const;
    Vtx_StringArray valueNames(const Vtx_String& key) const;
    /// Removes every key; the status is that of writing the file, as for setText.
    ErrorStatus clear();

    /// True when key is a valid key path (see setText).
    static bool isValidKeyPath(const Vtx_String& key);

private:
    ErrorStatus commit();

    RegistryKeys m_keys;
    Vtx_String m_file;
    bool m_fileBroken = false;
};

/// The text form of keys (docs/registry-format.md).
VTX_HOST_API std::string formatRegistry(const RegistryKeys& keys);
/// Reads the text form; eBadFileFormat with a reason "<fileName>:<line>: ..."
/// on the first fault (keys is then empty). fileName only names the source.
VTX_HOST_API ErrorStatus parseRegistry(std::string_view bytes, const Vtx_String& fileName,
                                       RegistryKeys& keys, Vtx_String* reason = nullptr);
