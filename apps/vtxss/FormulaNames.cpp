// Names in formulas of other spreadsheet programs.

#include "FormulaNames.h"

#include "platform/sheet/functions/FunctionRegistry.h"

#include <array>
#include <cctype>
#include <utility>

namespace cli {

namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Newer names of functions the language has under their older name, with
// the same results.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kSameAs{{
    {"STDEV.S", "STDEV"},
    {"STDEV.P", "STDEVP"},
    {"VAR.S", "VAR"},
    {"VAR.P", "VARP"},
}};

// The functions the import registers on the grid besides the built-in ones.
constexpr std::array<std::string_view, 1> kRegistered{"FROMTABLE"};

} // namespace

bool engineFunction(std::string_view name, FormulaSyntax syntax, std::string& function,
                    std::string& reason) {
    std::string key = upper(name);
    // Markers of functions newer than the file format, and of the
    // functions another program took over from this syntax.
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (std::string_view prefix : {"_XLFN.", "_XLWS.", "COM.MICROSOFT."})
            if (startsWith(key, prefix)) {
                key.erase(0, prefix.size());
                stripped = true;
            }
    }
    if (startsWith(key, "_XLUDF.")) {
        reason = "the function " + key.substr(7) + " is a macro function of the workbook";
        return false;
    }
    if (syntax == FormulaSyntax::A1 && key == "SINGLE") {
        function.clear();
        return true;
    }
    if (vtx::sheet::findFunction(key) < 0) {
        for (const auto& [newer, older] : kSameAs)
            if (key == newer && vtx::sheet::findFunction(older) >= 0)
                key = older;
        for (std::string_view registered : kRegistered)
            if (key == registered) {
                function = key;
                return true;
            }
    }
    if (vtx::sheet::findFunction(key) < 0) {
        reason = "the function " + key + " is not in the formula language";
        return false;
    }
    function = key;
    return true;
}

bool isBooleanName(std::string_view name) {
    const std::string key = upper(name);
    return key == "TRUE" || key == "FALSE";
}

bool isErrorLiteral(std::string_view literal) {
    for (std::string_view known :
         {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"})
        if (literal == known)
            return true;
    return false;
}

} // namespace cli
