#pragma once

// The pieces of the author's checks (StandardsCheck.h): what one standards
// spreadsheet is found to declare, assign and use, and the checks of the
// files it uses. Private to the standards engine.

#include "standards/StandardsCheck.h"

#include "platform/core/VtxStringArray.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace check {

/// Where problems of one file go: adds the file's name to each.
class FileReport {
public:
    FileReport(std::vector<CheckProblem>& out, const Vtx_String& file) : m_out(out), m_file(file) {}
    void add(int line, const Vtx_String& message, const Vtx_String& cell = {}) {
        m_out.push_back({m_file, line, cell, message});
    }
    const Vtx_String& file() const { return m_file; }

private:
    std::vector<CheckProblem>& m_out;
    Vtx_String m_file;
};

/// A declared variable.
struct Declaration {
    Vtx_String name;
    int valueType = 2; ///< KsValueType
    int section = 0;   ///< KsCellType: input, output, local
    int column = 0;
    int row = 0;
};

/// A CallChild equation.
struct ChildCall {
    Vtx_String file; ///< as written, quotes removed
    Vtx_StringArray variables;
    int column = 0;
    int row = 0;
};

/// A data or size file named by a standards function.
struct DataUse {
    Vtx_String function; ///< "GETCELL", ...
    Vtx_String file;     ///< as written
    bool sizeFile = false;
    bool numeric = false; ///< the looked-up value is read by TONUMBER
    int column = 0;
    int row = 0;
};

/// What a standards spreadsheet was found to hold.
struct SheetFacts {
    Vtx_String path;
    bool loaded = false;
    std::vector<Declaration> variables; ///< inputs, outputs, locals, as evaluation reads them
    std::vector<ChildCall> calls;
    std::vector<DataUse> dataUses;
    std::set<std::string> assigned;           ///< lower-case names an equation assigns
    std::map<std::pair<int, int>, int> lines; ///< (column, row) -> line of the file

    /// The line of the file that holds a cell; 0 when not known.
    int line(int column, int row) const;
    /// The declared variable of that name (case ignored), or null.
    const Declaration* find(const Vtx_String& name) const;
};

/// The line of the file at path that holds each cell ("cell C R ..."
/// lines), by (column, row); empty when the file cannot be read.
std::map<std::pair<int, int>, int> sheetCellLines(const Vtx_String& path);

/// "A14" for column 1, row 14.
Vtx_String cellName(int column, int row);

/// Loads the spreadsheet at path and checks its sections, declarations and
/// equations; fills facts for the checks that need other files.
void checkSheet(const Vtx_String& path, SheetFacts& facts, std::vector<CheckProblem>& problems);

/// Checks a table file that GETCELL or GETPROFCELL reads; numeric when its
/// values are read by TONUMBER.
void checkTableFile(const Vtx_String& path, bool numeric, std::vector<CheckProblem>& problems);
/// Checks a size file of the tolerance functions.
void checkSizeFile(const Vtx_String& path, std::vector<CheckProblem>& problems);

/// Checks the mapping file beside a standards spreadsheet (none is fine).
void checkMappingFile(const SheetFacts& facts, const StandardsCheckOptions& options,
                      std::vector<CheckProblem>& problems);

} // namespace check
