#include "platform/host/Registry.h"

#include "platform/core/TextEscapes.h"

#include <charconv>
#include <string>

// The text form, one item a line (see docs/registry-format.md):
//
//     vtx-registry 1
//     # a comment
//     key Software\Kestrel\Spreadsheet Editor v1.0
//     text "Language" "EN"
//     int "Count" 12
//
// Quoted texts escape \\ \" \n \r \t and other control bytes as \xHH; every
// other byte is written as the UTF-8 form of its Windows-1252 character.

namespace {

constexpr std::string_view kMagic = "vtx-registry";

std::string quoted(const Vtx_String& text) {
    std::string out = "\"";
    appendEscaped(out, text.view(), kEscapeReturn | kEscapeQuote | kEscapeHex | kEscapeUtf8);
    out += '"';
    return out;
}

/// Reads a quoted text at pos of line (8-bit already); moves pos past it.
bool readQuoted(const std::string& line, std::size_t& pos, std::string& out, std::string& why) {
    if (pos >= line.size() || line[pos] != '"') {
        why = "a quoted text was expected";
        return false;
    }
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= line.size())
            break;
        const std::size_t used =
            decodeEscape(line, pos, kEscapeReturn | kEscapeQuote | kEscapeHex, out);
        if (used == 0) {
            why = line[pos] == 'x' ? "\\x needs two hexadecimal digits"
                                   : "unknown escape \\" + std::string(1, line[pos]);
            return false;
        }
        pos += used - 1;
    }
    why = "the quoted text is not closed";
    return false;
}

void skipBlanks(const std::string& line, std::size_t& pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
}

std::string_view trimmedView(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string formatRegistry(const RegistryKeys& keys) {
    std::string out =
        std::string(kMagic) + " " + std::to_string(HostRegistry::kFormatVersion) + "\n";
    for (const auto& [foldedPath, key] : keys) {
        out += "\nkey " + toUtf8(key.path.view()) + "\n";
        for (const auto& [foldedName, value] : key.values) {
            if (value.type == RegistryValueType::Text)
                out += "text " + quoted(value.name) + " " + quoted(value.text) + "\n";
            else
                out += "int " + quoted(value.name) + " " + std::to_string(value.integer) + "\n";
        }
    }
    return out;
}

ErrorStatus parseRegistry(std::string_view bytes, const Vtx_String& fileName, RegistryKeys& keys,
                          Vtx_String* reason) {
    keys.clear();
    int lineNumber = 0;
    auto fault = [&](const std::string& why) {
        keys.clear();
        if (reason)
            *reason = fileName + ":" + Vtx_String::fromInt(lineNumber) + ": " + Vtx_String(why);
        return eBadFileFormat;
    };

    RegistryKey* current = nullptr;
    bool sawHeader = false;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view raw = trimmedView(bytes.substr(start, end - start));
        start = end + 1;
        ++lineNumber;

        std::string line;
        if (!fromUtf8(raw, line))
            return fault("the line is not valid UTF-8 of Windows-1252 characters");
        if (line.empty() || line.front() == '#')
            continue;

        if (!sawHeader) {
            std::string expected = std::string(kMagic) + " ";
            if (line.rfind(expected, 0) != 0)
                return fault("the file does not begin with \"vtx-registry <version>\"");
            if (line.substr(expected.size()) != std::to_string(HostRegistry::kFormatVersion))
                return fault("unsupported version \"" + line.substr(expected.size()) + "\"");
            sawHeader = true;
            continue;
        }

        if (line.rfind("key ", 0) == 0) {
            Vtx_String path(std::string(trimmedView(std::string_view(line).substr(4))));
            if (!HostRegistry::isValidKeyPath(path))
                return fault("invalid key path \"" + path.str() + "\"");
            auto [it, added] = keys.emplace(path.upper(), RegistryKey{path, {}});
            if (!added)
                return fault("key \"" + path.str() + "\" appears twice");
            current = &it->second;
            continue;
        }

        bool isText = line.rfind("text ", 0) == 0;
        bool isInt = line.rfind("int ", 0) == 0;
        if (!isText && !isInt)
            return fault("expected \"key\", \"text\" or \"int\"");
        if (current == nullptr)
            return fault("a value before the first key");

        std::size_t pos = isText ? 5 : 4;
        skipBlanks(line, pos);
        std::string name;
        std::string why;
        if (!readQuoted(line, pos, name, why))
            return fault(why);
        if (name.size() > static_cast<std::size_t>(HostRegistry::kMaxValueNameBytes))
            return fault("the value name is too long");
        skipBlanks(line, pos);

        RegistryValue value;
        value.name = name;
        if (isText) {
            value.type = RegistryValueType::Text;
            std::string text;
            if (!readQuoted(line, pos, text, why))
                return fault(why);
            if (text.size() > static_cast<std::size_t>(HostRegistry::kMaxTextBytes))
                return fault("the text is too long");
            value.text = text;
        } else {
            value.type = RegistryValueType::Integer;
            const char* first = line.data() + pos;
            const char* last = line.data() + line.size();
            while (last > first && (last[-1] == ' ' || last[-1] == '\t'))
                --last;
            auto [ptr, ec] = std::from_chars(first, last, value.integer);
            if (ec != std::errc() || ptr != last || first == last)
                return fault("a whole number between -2147483648 and 2147483647 was expected");
            pos = line.size();
        }
        skipBlanks(line, pos);
        if (pos != line.size())
            return fault("unexpected text after the value");
        if (!current->values.emplace(value.name.upper(), value).second)
            return fault("value \"" + name + "\" appears twice in the key");
    }
    if (!sawHeader) {
        lineNumber = lineNumber == 0 ? 1 : lineNumber;
        return fault("the file does not begin with \"vtx-registry <version>\"");
    }
    return eOk;
}
