// Reading the regression-case files of standards spreadsheets.

#include "standards/StandardCases.h"

#include "platform/core/Files.h"
#include "platform/core/StringUtils.h"
#include "standards/DataFileText.h"

namespace {

class CaseReader {
public:
    CaseReader(const Vtx_String& name, CaseFile& cases, Vtx_String& error)
        : m_name(name), m_cases(cases), m_error(error) {}

    bool line(std::string_view bytes) {
        ++m_line;
        const Vtx_String text = Vtx_String(bytes).trimmed();
        if (text.isEmpty() || text.startsWith("#"))
            return true;
        const int blank = text.find(' ');
        const Vtx_String word = blank < 0 ? text : text.left(blank);
        const Vtx_String rest = blank < 0 ? Vtx_String() : stripSymbols(text.mid(blank + 1));
        if (word == "case")
            return startCase(rest);
        if (word == "tolerance")
            return tolerance(rest);
        if (word == "input" || word == "general" || word == "expect") {
            if (m_cases.cases.empty())
                return fail("'" + word + "' before the first 'case' line");
            StandardCase& current = m_cases.cases.back();
            std::vector<CaseEntry>& entries = word == "input"     ? current.inputs
                                              : word == "general" ? current.generals
                                                                  : current.expects;
            return entry(word, rest, entries);
        }
        return fail("unknown line '" + text +
                    "'; a line is 'case', 'input', 'general', 'expect', 'tolerance' or a "
                    "'#' comment");
    }

    bool finish() {
        if (m_cases.cases.empty())
            return fail("no case in the file", 0);
        for (const StandardCase& one : m_cases.cases)
            if (one.expects.empty())
                return fail("the case '" + one.name + "' has no expect line", one.line);
        return true;
    }

private:
    bool fail(const Vtx_String& what, int line = -1) {
        m_error = m_name + ":" + Vtx_String::fromInt(line < 0 ? m_line : line) + ": " + what;
        return false;
    }

    bool startCase(const Vtx_String& name) {
        if (name.isEmpty())
            return fail("a case needs a name: 'case NAME'");
        for (const StandardCase& other : m_cases.cases)
            if (other.name == name)
                return fail("the case '" + name + "' is given twice (first on line " +
                            Vtx_String::fromInt(other.line) + ")");
        StandardCase one;
        one.name = name;
        one.line = m_line;
        one.tolerance = m_tolerance;
        m_cases.cases.push_back(one);
        return true;
    }

    // Before the first case: for the whole file; inside a case: for it.
    bool tolerance(const Vtx_String& text) {
        double value = 0;
        if (!text.toDouble(value) || !(value >= 0))
            return fail("the tolerance '" + text + "' is no number of 0 or more");
        if (m_cases.cases.empty())
            m_tolerance = value;
        else
            m_cases.cases.back().tolerance = value;
        return true;
    }

    bool entry(const Vtx_String& word, const Vtx_String& text, std::vector<CaseEntry>& entries) {
        const int equals = text.find('=');
        if (equals < 0)
            return fail("'" + word + " " + text + "' needs '= value': '" + word + " NAME = VALUE'");
        CaseEntry entry;
        entry.name = stripSymbols(text.left(equals));
        entry.value = stripSymbols(text.mid(equals + 1));
        entry.line = m_line;
        // "..." keeps blanks at the ends; "" is the empty text.
        if (entry.value.length() >= 2 && entry.value.startsWith("\"") && entry.value.endsWith("\""))
            entry.value = entry.value.mid(1, entry.value.length() - 2);
        if (entry.name.isEmpty())
            return fail("'" + word + "' needs a variable name before '='");
        for (const CaseEntry& other : entries)
            if (other.name.equal(entry.name, false))
                return fail(entry.name + " is given twice in this case (first on line " +
                            Vtx_String::fromInt(other.line) + ")");
        entries.push_back(entry);
        return true;
    }

    Vtx_String m_name;
    CaseFile& m_cases;
    Vtx_String& m_error;
    int m_line = 0;
    double m_tolerance = kDefaultCaseTolerance;
};

} // namespace

Vtx_String caseFilePath(const Vtx_String& standardPath) {
    return changeExtension(standardPath, "cases");
}

bool parseCaseFile(std::string_view text, const Vtx_String& name, CaseFile& cases,
                   Vtx_String& error) {
    cases.cases.clear();
    cases.path = name;
    CaseReader reader(name, cases, error);
    bool ok = true;
    datafile::forEachLine(text, [&](std::string_view line) { ok = ok && reader.line(line); });
    return ok && reader.finish();
}

bool readCaseFile(const Vtx_String& path, CaseFile& cases, Vtx_String& error) {
    std::string bytes;
    Vtx_String reason;
    if (readFileBytes(path, bytes, &reason) != eOk) {
        error = reason;
        return false;
    }
    return parseCaseFile(bytes, path, cases, error);
}
