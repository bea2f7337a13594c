// A new section made by example: the name pattern, composed names and the
// place of the new row.

#include "sectionlib/NewSectionByExample.h"

#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"

#include <cctype>

namespace {

/// Pattern search limits: rows tried after the example, and tries per part.
constexpr int kMaxPatternRows = 9999;
constexpr int kMaxPartTries = 99999;
/// Standard section type whose fourth value must be 0 or above its third.
constexpr int kCheckedSectionType = 10;

int firstValueColumn(const Vtx_ProfValuesTable& table) {
    return kProfFirstLanguageColumn + table.getNrLanguages();
}

/// The text up to the first digit; empty when there is no digit.
Vtx_String prefixOf(const Vtx_String& userName) {
    const int digit = findFirstNumbers(userName);
    return digit < 0 ? Vtx_String() : userName.left(digit);
}

/// The first value from start that part names: by numeric value when part is
/// a number, else by text with case ignored; -1 when none.
int findPart(const Vtx_String& part, const Vtx_StringArray& values, int start) {
    double number = 0;
    const bool numeric = isNumber(part) && part.trimmed().toDouble(number);
    for (int k = start; k < values.length(); ++k) {
        double value = 0;
        if (numeric
                ? (isNumber(values[k]) && values[k].trimmed().toDouble(value) && value == number)
                : values[k].equal(part, false))
            return k;
    }
    return -1;
}

bool hasControlCharacter(const Vtx_String& text) {
    for (const char c : text.view())
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
    return false;
}

bool isSymmetric(const Vtx_String& name) {
    Vtx_StringArray parts;
    splitStringAtSymbol(name, 'x', parts);
    return parts.length() >= 2 && parts[0].equal(parts[1], false);
}

int templateType(const Vtx_ProfValuesTable& table) {
    int type = 0;
    return table.templateName.trimmed().toInt(type) ? type : 0;
}

/// The rule of a section type for its values (only type 10 has one: the
/// fourth value 0 or greater than the third).
bool passesTypeCheck(const Vtx_ProfValuesTable& table, const Vtx_StringArray& row) {
    if (templateType(table) != kCheckedSectionType)
        return true;
    const int first = firstValueColumn(table);
    const double third = first + 2 < row.length() ? row[first + 2].asDouble() : 0;
    const double fourth = first + 3 < row.length() ? row[first + 3].asDouble() : 0;
    return fourth == 0 || fourth > third;
}

/// The row a new section named name goes to.
int placeFor(const Vtx_ProfValuesTable& table, const Vtx_String& name) {
    const Vtx_Array<Vtx_StringArray>& rows = table.rows;
    if (isSymmetric(name)) {
        // Directly after the symmetric name that sorts last before it; before
        // the first symmetric row when it sorts first.
        int after = -1;
        int firstSymmetric = -1;
        for (int r = 0; r < rows.length(); ++r) {
            if (rows[r].isEmpty() || !isSymmetric(rows[r][0]))
                continue;
            if (firstSymmetric < 0)
                firstSymmetric = r;
            if (compareSectionNames(rows[r][0], name) <= 0 &&
                (after < 0 || compareSectionNames(rows[r][0], rows[after][0]) >= 0))
                after = r;
        }
        if (after >= 0)
            return after + 1;
        if (firstSymmetric >= 0)
            return firstSymmetric;
    }
    // Among all names: after every name that sorts before it.
    int place = 0;
    for (int r = 0; r < rows.length(); ++r)
        if (!rows[r].isEmpty() && compareSectionNames(rows[r][0], name) <= 0)
            place = r + 1;
    return place;
}

} // namespace

NewSectionByExample::NewSectionByExample(const Vtx_ProfValuesTable& table,
                                         const Vtx_String& exampleName)
    : m_table(table) {
    if (!table.findSysName(exampleName, m_exampleRow))
        m_exampleRow = 0;
    const int column = table.columns.find(GetCurLanguage(), false);
    const int languages = table.getNrLanguages();
    if (column >= kProfFirstLanguageColumn && column < kProfFirstLanguageColumn + languages)
        m_currentLanguage = column - kProfFirstLanguageColumn;
    // The example, or the first row after it whose name all comes from values.
    for (int r = m_exampleRow; r < m_exampleRow + kMaxPatternRows && table.rows.isValid(r); ++r) {
        if (derivePatternFrom(r))
            return;
    }
    m_prefixes.removeAll();
}

bool NewSectionByExample::derivePatternFrom(int r) {
    const Vtx_StringArray& row = m_table.rows[r];
    const int first = firstValueColumn(m_table);
    m_prefixes.removeAll();
    for (int c = kProfFirstLanguageColumn; c < first; ++c)
        m_prefixes.append(c < row.length() ? prefixOf(row[c]) : Vtx_String());
    Vtx_StringArray values;
    for (int c = first; c < row.length(); ++c)
        values.append(row[c]);
    Vtx_StringArray parts;
    splitStringAtSymbol(row.isEmpty() ? Vtx_String() : row[0], 'x', parts);
    m_pattern.removeAll();
    bool complete = true;
    for (const Vtx_String& part : parts) {
        int found = findPart(part, values, 0);
        for (int tries = 0; found >= 0 && m_pattern.contains(found) && tries < kMaxPartTries;
             ++tries)
            found = findPart(part, values, found + 1);
        if (found >= 0 && m_pattern.contains(found))
            found = -1;
        m_pattern.append(found);
        complete = complete && found >= 0;
    }
    return complete;
}

Vtx_String NewSectionByExample::currentPrefix() const {
    return m_prefixes.isValid(m_currentLanguage) ? m_prefixes[m_currentLanguage] : Vtx_String();
}

Vtx_StringArray NewSectionByExample::exampleValues() const {
    Vtx_StringArray values;
    if (!m_table.rows.isValid(m_exampleRow))
        return values;
    const Vtx_StringArray& row = m_table.rows[m_exampleRow];
    for (int c = firstValueColumn(m_table);
         c < row.length() && values.length() < kNewSectionValueCount; ++c)
        values.append(row[c]);
    return values;
}

Vtx_String NewSectionByExample::exampleUserName() const {
    const int c = kProfFirstLanguageColumn + m_currentLanguage;
    if (m_currentLanguage < 0 || !m_table.rows.isValid(m_exampleRow) ||
        c >= m_table.rows[m_exampleRow].length())
        return {};
    return m_table.rows[m_exampleRow][c];
}

Vtx_StringArray NewSectionByExample::dimensionNames() const {
    // A standard type names its dimensions; values beyond them (the area and
    // weight of the sample tables, say) and every value of a template
    // drawing's table are named by their columns.
    const int type = templateType(m_table);
    Vtx_StringArray names = type > 0 ? standardDimensionNames(type) : Vtx_StringArray();
    for (int c = firstValueColumn(m_table) + names.length(); c < m_table.columns.length(); ++c)
        names.append(m_table.columns[c]);
    return names;
}

Vtx_String NewSectionByExample::composeName(const Vtx_StringArray& values) const {
    Vtx_String name;
    bool first = true;
    for (const int position : m_pattern) {
        if (!values.isValid(position))
            continue;
        if (!first)
            name += 'x';
        name += values[position];
        first = false;
    }
    return name;
}

NewSectionResult NewSectionByExample::addSection(Vtx_ProfValuesTable& table, const Vtx_String& name,
                                                 bool automatic, const Vtx_StringArray& values,
                                                 int& row) const {
    if (!table.rows.isValid(m_exampleRow) || table.rows[m_exampleRow].length() < 2)
        return NewSectionResult::NoExample;
    const int first = firstValueColumn(table);
    Vtx_StringArray cells = table.rows[m_exampleRow];
    if (cells.length() < first)
        return NewSectionResult::NoExample;
    if (name.trimmed().isEmpty())
        return NewSectionResult::EmptyName;
    if (hasControlCharacter(name))
        return NewSectionResult::BadName;
    for (const Vtx_String& value : values)
        if (hasControlCharacter(value))
            return NewSectionResult::BadName;
    int existing = -1;
    if (table.findSysName(name, existing))
        return NewSectionResult::NameExists;

    cells[0] = name;
    cells[kProfInUseColumn] = "1";
    for (int c = kProfFirstLanguageColumn; c < first; ++c) {
        const int language = c - kProfFirstLanguageColumn;
        cells[c] = automatic && m_prefixes.isValid(language) ? m_prefixes[language] + name : name;
    }
    for (int c = first; c < cells.length(); ++c) {
        const int k = c - first;
        cells[c] = k < kNewSectionValueCount && values.isValid(k) ? values[k] : Vtx_String();
    }
    if (!passesTypeCheck(table, cells))
        return NewSectionResult::FailedCheck;
    const int place = placeFor(table, name);
    if (!table.rows.insertAt(place, cells))
        return NewSectionResult::NoExample;
    row = place;
    return NewSectionResult::Added;
}

int compareSectionNames(const Vtx_String& a, const Vtx_String& b) {
    const std::string_view x = a.view();
    const std::string_view y = b.view();
    size_t i = 0;
    size_t j = 0;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (i < x.size() && j < y.size()) {
        if (digit(x[i]) && digit(y[j])) {
            size_t ei = i;
            size_t ej = j;
            while (ei < x.size() && (digit(x[ei]) || x[ei] == '.'))
                ++ei;
            while (ej < y.size() && (digit(y[ej]) || y[ej] == '.'))
                ++ej;
            const double u = Vtx_String(x.substr(i, ei - i)).asDouble();
            const double v = Vtx_String(y.substr(j, ej - j)).asDouble();
            if (u != v)
                return u < v ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        const int u = std::tolower(static_cast<unsigned char>(x[i]));
        const int v = std::tolower(static_cast<unsigned char>(y[j]));
        if (u != v)
            return u < v ? -1 : 1;
        ++i;
        ++j;
    }
    if (x.size() - i != y.size() - j)
        return x.size() - i < y.size() - j ? -1 : 1;
    return 0;
}
