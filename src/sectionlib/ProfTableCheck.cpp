// Checks of section tables, and the CSV form of their rows.

#include "sectionlib/ProfTableCheck.h"

#include "platform/core/StringUtils.h"

#include <set>

namespace {

std::string rowName(const Vtx_ProfValuesTable& table, int r) {
    const Vtx_StringArray& row = table.rows[r];
    return table.tableName.str() + ": row " + std::to_string(r + 1) +
           (row.isEmpty() || row[0].isEmpty() ? "" : " (" + row[0].str() + ")");
}

bool checkHeader(const Vtx_ProfValuesTable& table, Vtx_StringArray& problems) {
    const Vtx_StringArray& columns = table.columns;
    if (columns.length() < 2 || !columns[0].equal("SysName", false) ||
        !columns[1].equal("I/O", false)) {
        problems.append(table.tableName + ": the header must begin with SysName and I/O");
        return false;
    }
    const int needed = kProfFirstLanguageColumn + table.getNrLanguages();
    if (columns.length() < needed) {
        problems.append(table.tableName + ": the header has " +
                        Vtx_String::fromInt(columns.length()) + " columns; the names need " +
                        Vtx_String::fromInt(needed));
        return false;
    }
    return true;
}

} // namespace

int checkProfTable(const Vtx_ProfValuesTable& table, Vtx_StringArray& problems) {
    const int before = problems.length();
    if (!checkHeader(table, problems))
        return problems.length() - before;
    const int width = table.columns.length();
    const int firstValue = kProfFirstLanguageColumn + table.getNrLanguages();
    std::set<std::string> seen;
    for (int r = 0; r < table.rows.length(); ++r) {
        const Vtx_StringArray& row = table.rows[r];
        const std::string where = rowName(table, r) + ": ";
        if (row.length() != width)
            problems.append(where + "has " + std::to_string(row.length()) + " cells; the header " +
                            std::to_string(width));
        if (row.isEmpty() || row[0].isEmpty())
            problems.append(where + "no system name");
        else if (!seen.insert(row[0].lower().str()).second)
            problems.append(where + "the system name is used by an earlier row");
        if (row.length() > kProfInUseColumn && row[kProfInUseColumn] != Vtx_String("0") &&
            row[kProfInUseColumn] != Vtx_String("1"))
            problems.append(where + "the I/O flag is \"" + row[kProfInUseColumn].str() +
                            "\", not 0 or 1");
        for (int c = kProfFirstLanguageColumn; c < firstValue && c < row.length(); ++c)
            if (stripSymbols(row[c]).isEmpty())
                problems.append(where + "no user name in " + table.columns[c].str());
        for (int c = firstValue; c < row.length() && c < width; ++c)
            if (!row[c].isEmpty() && !isNumber(row[c]))
                problems.append(where + table.columns[c].str() + " \"" + row[c].str() +
                                "\" is not a number");
    }
    return problems.length() - before;
}

bool parseCsv(std::string_view utf8, Vtx_Array<Vtx_StringArray>& records, std::string& reason) {
    records.removeAll();
    Vtx_StringArray record;
    std::string field;
    int line = 1;
    int recordLine = 1;
    bool quoted = false;
    bool wasQuoted = false;
    auto endField = [&]() -> bool {
        std::string bytes;
        if (!fromUtf8(field, bytes)) {
            reason =
                "line " + std::to_string(recordLine) + ": a character that 8-bit text cannot hold";
            return false;
        }
        record.append(Vtx_String(std::move(bytes)));
        field.clear();
        wasQuoted = false;
        return true;
    };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (quoted) {
            if (c == '"' && i + 1 < utf8.size() && utf8[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n' ? 1 : 0;
                field += c;
            }
            continue;
        }
        if (c == '"') {
            if (!field.empty() || wasQuoted) {
                reason = "line " + std::to_string(line) + ": a quote inside an unquoted field";
                return false;
            }
            quoted = wasQuoted = true;
        } else if (c == ',') {
            if (!endField())
                return false;
        } else if (c == '\n' || (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')) {
            i += c == '\r' ? 1 : 0;
            if (!endField())
                return false;
            records.append(std::move(record));
            record = Vtx_StringArray();
            recordLine = ++line;
        } else if (wasQuoted) {
            reason = "line " + std::to_string(line) + ": text after a closing quote";
            return false;
        } else {
            field += c;
        }
    }
    if (quoted) {
        reason = "line " + std::to_string(recordLine) + ": a quote is not closed";
        return false;
    }
    if (!field.empty() || wasQuoted || !record.isEmpty()) {
        if (!endField())
            return false;
        records.append(std::move(record));
    }
    return true;
}

std::string formatCsv(const Vtx_Array<Vtx_StringArray>& records) {
    std::string out;
    for (const Vtx_StringArray& record : records) {
        for (int i = 0; i < record.length(); ++i) {
            if (i > 0)
                out += ',';
            const std::string text = toUtf8(record[i].view());
            if (text.find_first_of(",\"\r\n") == std::string::npos) {
                out += text;
                continue;
            }
            out += '"';
            for (char c : text)
                out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}
