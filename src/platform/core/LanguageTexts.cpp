#include "platform/core/Files.h"
#include "platform/core/SectionLibrary.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/core/TextEscapes.h"
#include "platform/core/VtxStringArray.h"

#include <optional>
#include <string>

namespace {

constexpr const char* kHeader = "VtxLanguageTexts version 1";
constexpr int kMaxTextNumber = 999999999;

// Tables by file path; an empty optional marks a file that is missing or bad,
// so it is not read again on every call.
std::map<std::string, std::optional<Vtx_LanguageTexts>>& tableCache() {
    static std::map<std::string, std::optional<Vtx_LanguageTexts>> cache;
    return cache;
}

Vtx_String& lastProblem() {
    static Vtx_String problem;
    return problem;
}

bool parseNumber(const std::string& digits, int& number) {
    if (digits.empty() || digits.size() > 9)
        return false;
    number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    return number <= kMaxTextNumber;
}

const Vtx_LanguageTexts* tableOf(const Vtx_String& language) {
    Vtx_String path = languageTextsPath(language);
    if (path.isEmpty())
        return nullptr;
    auto& cache = tableCache();
    auto it = cache.find(path.str());
    if (it == cache.end()) {
        Vtx_LanguageTexts texts;
        Vtx_String reason;
        ErrorStatus status = readLanguageTexts(path, texts, &reason);
        if (status == eOk) {
            it = cache.emplace(path.str(), std::move(texts)).first;
        } else {
            bool quietlyMissing =
                status == eFileNotFound && !language.equal(kFallbackLanguage, false);
            if (!quietlyMissing)
                lastProblem() = reason;
            it = cache.emplace(path.str(), std::nullopt).first;
        }
    }
    return it->second ? &*it->second : nullptr;
}

Vtx_String lookUp(int n, std::map<int, Vtx_String> Vtx_LanguageTexts::*table,
                  const Vtx_String& wanted) {
    for (const Vtx_String& language : {wanted, Vtx_String(kFallbackLanguage)}) {
        if (const Vtx_LanguageTexts* texts = tableOf(language)) {
            auto hit = (texts->*table).find(n);
            if (hit != (texts->*table).end())
                return hit->second;
        }
    }
    return Vtx_String("#" + std::to_string(n));
}

} // namespace

Vtx_String languageTextsPath(const Vtx_String& language) {
    if (language.isEmpty() || hasInvalidFileNameChars(language) || language == "." ||
        language == "..")
        return {};
    return gSettings.vtxDir + "Texts\\" + language + ".txt";
}

ErrorStatus readLanguageTexts(const Vtx_String& path, Vtx_LanguageTexts& texts,
                              Vtx_String* reason) {
    Vtx_StringArray lines;
    if (ErrorStatus status = ObjectExportReadFile(path, lines, reason); status != eOk)
        return status;
    auto fail = [&](int line, const std::string& what) {
        if (reason)
            *reason = Vtx_String(path.str() + ": line " + std::to_string(line) + ": " + what);
        return eBadFileFormat;
    };
    std::string header = lines.isEmpty() ? std::string() : lines[0].str();
    if (header.rfind("\xEF\xBB\xBF", 0) == 0)
        header.erase(0, 3);
    if (header != kHeader)
        return fail(1, "expected header \"" + std::string(kHeader) + "\"");

    Vtx_LanguageTexts result;
    std::map<int, Vtx_String>* section = nullptr;
    for (int i = 1; i < lines.length(); ++i) {
        int lineNumber = i + 1;
        std::string line;
        if (!fromUtf8(lines[i].str(), line))
            return fail(lineNumber, "text is not valid UTF-8 of Windows-1252 characters");
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (Vtx_String(line).equal("[General]", false))
                section = &result.general;
            else if (Vtx_String(line).equal("[Dialog]", false))
                section = &result.dialog;
            else
                return fail(lineNumber, "unknown section " + line);
            continue;
        }
        if (!section)
            return fail(lineNumber, "text before the first section");
        std::size_t tab = line.find('\t');
        int number = 0;
        if (tab == std::string::npos || !parseNumber(line.substr(0, tab), number))
            return fail(lineNumber, "expected a number (0 to 999999999), a tab and the text");
        std::string text;
        if (!unescapeText(line.substr(tab + 1), kEscapeBasic, text))
            return fail(lineNumber, "bad escape sequence (only \\\\, \\n and \\t)");
        if (!section->emplace(number, Vtx_String(std::move(text))).second)
            return fail(lineNumber, "text number " + std::to_string(number) + " appears twice");
    }
    texts = std::move(result);
    return eOk;
}

Vtx_String string(int n) {
    return lookUp(n, &Vtx_LanguageTexts::general, gSettings.workLanguage);
}

Vtx_String dialString(int n) {
    return lookUp(n, &Vtx_LanguageTexts::dialog, gSettings.workLanguage);
}

Vtx_StringArray dialStringAllLangs(int n, const Vtx_StringArray& languages) {
    Vtx_StringArray texts;
    for (const Vtx_String& language : languages)
        texts.append(lookUp(n, &Vtx_LanguageTexts::dialog, language));
    return texts;
}

void resetLanguageTexts() {
    tableCache().clear();
    lastProblem().clear();
}

Vtx_String languageTextsProblem() {
    return lastProblem();
}
