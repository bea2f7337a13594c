#pragma once

/// Checks of section tables, and section tables from comma-separated values:
/// what `vtxss sections check` and `import` report before a table is used or
/// written.
///
///     Vtx_StringArray problems;
///     checkProfTable(table, problems);   // "HEA: row 3 (200): ..." per fault

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "sectionlib/ProfValuesTable.h"

#include <string>

/// Appends one line per fault of table to problems: a header without
/// "SysName" and "I/O" in front or too short for the user names, an empty
/// or duplicate system name (case ignored), an in-use flag other than "0"
/// or "1", an empty user name, a row shorter or longer than the header, a
/// value that is not a number (an empty value is "no value" and allowed).
/// Each line names the table and the row (1-based, with its system name).
/// Returns the number of lines appended.
int checkProfTable(const Vtx_ProfValuesTable& table, Vtx_StringArray& problems);

/// The rows of a CSV text (RFC 4180: fields separated by commas, records by
/// CR LF or LF, fields with commas, quotes or line ends in double quotes)
/// in UTF-8, as 8-bit texts. False with a reason naming the line for an
/// unclosed quote, a stray quote or a character 8-bit text cannot hold.
bool parseCsv(std::string_view utf8, Vtx_Array<Vtx_StringArray>& records, std::string& reason);
/// The CSV text (UTF-8, CR LF) of records; parseCsv reads it back exactly
/// (a record without fields comes back as one empty field).
std::string formatCsv(const Vtx_Array<Vtx_StringArray>& records);
