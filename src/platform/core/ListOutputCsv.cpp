// The part-list file: a CSV file (UTF-8) whose first field names the kind of
// each record. Grammar (docs/bill-output.md):
//
//   file     := [BOM] { record }
//   record   := field { "," field } ( "\r\n" | "\n" | end )
//   field    := plain | '"' { char | '""' | line end } '"'
//   kinds    := columns | codes | settings | variable | row | subtotal
//               | separation | page | "#..." (comment) | empty record
#include "platform/core/Files.h"
#include "platform/core/ListOutput.h"

#include <string>
#include <vector>

namespace {

struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

class CsvReader {
public:
    CsvReader(std::string_view bytes, const Vtx_String& name) : m_bytes(bytes), m_name(name) {
        if (m_bytes.substr(0, 3) == "\xEF\xBB\xBF")
            m_pos = 3;
    }

    // The next record; false at the end or on an error (m_error set).
    bool next(Record& record) {
        record.fields.clear();
        if (m_pos >= m_bytes.size())
            return false;
        record.line = m_line;
        std::string field;
        bool quoted = false;
        bool wasQuoted = false;
        while (m_pos < m_bytes.size()) {
            const char c = m_bytes[m_pos++];
            if (quoted) {
                if (c == '"' && m_pos < m_bytes.size() && m_bytes[m_pos] == '"') {
                    field += '"';
                    ++m_pos;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    if (c == '\n')
                        ++m_line;
                    field += c;
                }
                continue;
            }
            if (c == '"' && field.empty() && !wasQuoted) {
                quoted = wasQuoted = true;
            } else if (c == ',') {
                if (!push(record, field))
                    return false;
                field.clear();
                wasQuoted = false;
            } else if (c == '\n' || (c == '\r' && peek() == '\n')) {
                if (c == '\r')
                    ++m_pos;
                ++m_line;
                return push(record, field);
            } else if (wasQuoted) {
                return fail(record.line, "text after a closing quote");
            } else {
                field += c;
            }
        }
        if (quoted)
            return fail(record.line, "a quoted field is not closed");
        return push(record, field);
    }

    bool fail(int line, const std::string& what) {
        m_error = m_name + ": line " + Vtx_String::fromInt(line) + ": " + what;
        return false;
    }
    const Vtx_String& error() const { return m_error; }

private:
    char peek() const { return m_pos < m_bytes.size() ? m_bytes[m_pos] : '\0'; }
    bool push(Record& record, const std::string& field) {
        if (record.fields.size() > static_cast<std::size_t>(kMaxPartListColumns))
            return fail(record.line,
                        "more than " + std::to_string(kMaxPartListColumns) + " columns");
        record.fields.push_back(field);
        return true;
    }

    std::string_view m_bytes;
    Vtx_String m_name;
    std::size_t m_pos = 0;
    int m_line = 1;
    Vtx_String m_error;
};

bool isBlankRecord(const Record& record) {
    return record.fields.size() == 1 &&
           record.fields[0].find_first_not_of(" \t\r") == std::string::npos;
}

} // namespace

ErrorStatus readPartListText(std::string_view bytes, const Vtx_String& name, Vtx_Bill& bill,
                             Vtx_String* reason) {
    CsvReader reader(bytes, name);
    Vtx_Bill read;
    bool haveColumns = false;
    Record record;
    auto fail = [&](const std::string& what) {
        reader.fail(record.line, what);
        if (reason)
            *reason = reader.error();
        return eBadFileFormat;
    };
    // The fields after the kind as 8-bit texts.
    auto texts = [&](Vtx_StringArray& out) {
        out.removeAll();
        for (std::size_t i = 1; i < record.fields.size(); ++i) {
            std::string text;
            if (!fromUtf8(record.fields[i], text)) {
                reader.fail(record.line, "field " + std::to_string(i + 1) +
                                             " is not UTF-8 text of the Windows-1252 characters");
                return false;
            }
            out.append(Vtx_String(std::move(text)));
        }
        return true;
    };
    while (reader.next(record)) {
        if (isBlankRecord(record) || record.fields[0].starts_with("#"))
            continue;
        const std::string kind = record.fields[0];
        Vtx_StringArray values;
        if (!texts(values)) {
            if (reason)
                *reason = reader.error();
            return eBadFileFormat;
        }
        if (kind == "columns") {
            if (haveColumns)
                return fail("the columns are given twice");
            if (values.isEmpty())
                return fail("no column names");
            read.columnNames = values;
            haveColumns = true;
        } else if (kind == "codes") {
            read.rowProperties.removeAll();
            for (int i = 0; i < values.length(); ++i) {
                int code = 0;
                if (!values[i].trimmed().isEmpty() && !values[i].toInt(code))
                    return fail("code " + std::to_string(i + 1) + " \"" + toUtf8(values[i].str()) +
                                "\" is not a whole number");
                read.rowProperties.append(code);
            }
        } else if (kind == "settings") {
            if (values.length() != 1)
                return fail("settings takes one set name");
            read.settingsName = values[0];
        } else if (kind == "variable") {
            if (values.length() != 2)
                return fail("variable takes a name and a value");
            read.variableNames.append(values[0]);
            read.variableValues.append(values[1]);
        } else if (kind == "row" || kind == "subtotal") {
            if (!haveColumns)
                return fail("a " + kind + " before the columns");
            read.entries.append(
                {kind == "row" ? Vtx_BillEntry::Part : Vtx_BillEntry::SubTotal, values});
        } else if (kind == "separation" || kind == "page") {
            read.entries.append(
                {kind == "page" ? Vtx_BillEntry::NewPage : Vtx_BillEntry::Separation, {}});
        } else {
            return fail("unknown record \"" + kind +
                        "\" (columns, codes, settings, variable, row, subtotal, separation, "
                        "page)");
        }
    }
    if (!reader.error().isEmpty()) {
        if (reason)
            *reason = reader.error();
        return eBadFileFormat;
    }
    if (!haveColumns) {
        if (reason)
            *reason = name + ": no columns record";
        return eBadFileFormat;
    }
    bill = std::move(read);
    return eOk;
}

ErrorStatus readPartList(const Vtx_String& path, Vtx_Bill& bill, Vtx_String* reason) {
    std::string bytes;
    const ErrorStatus status = readFileBytes(path, bytes, reason);
    if (status != eOk)
        return status;
    return readPartListText(bytes, path, bill, reason);
}
