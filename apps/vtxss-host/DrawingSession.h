#pragma once

// The drawing a host session works on: read from a file, changed by the
// module's Start functions, written back whole through a temporary file.

#include "platform/core/ErrorStatus.h"
#include "platform/core/MacroModel.h"
#include "platform/core/VtxString.h"

#include <memory>
#include <string>
#include <vector>

namespace host {

/// What applying one standard to one macro did.
struct AppliedStandard {
    Vtx_String macro;
    Vtx_String standard;
    bool ok = false;
};

class DrawingSession {
public:
    /// Reads the drawing; false with reason when it cannot be read.
    bool open(const Vtx_String& path, Vtx_String& reason);
    bool isOpen() const { return !m_path.isEmpty(); }
    /// The file the drawing was read from.
    const Vtx_String& path() const { return m_path; }
    /// Where Save writes: empty until the user chose a place (the drawing
    /// read is never overwritten unasked).
    const Vtx_String& savePath() const { return m_savePath; }
    bool isModified() const { return m_modified; }

    /// The names of the drawing's macros that have standards assigned.
    Vtx_StringArray macrosWithStandards() const;
    /// Applies every standard assigned to the macro through the module's
    /// StartDlgStandardsSS, each in a transaction of its own (a failed one
    /// changes nothing). What the engine says goes to the command line.
    std::vector<AppliedStandard> applyStandards(const Vtx_String& macroName);

    /// The names of the drawing's macros, in order.
    Vtx_StringArray macroNames() const;
    /// The general variables of a macro as name and value texts (empty
    /// lists for an unknown macro).
    void macroGeneralVariables(const Vtx_String& macro, Vtx_StringArray& names,
                               Vtx_StringArray& values) const;
    /// Sets general variables of a macro from name and value texts; a value
    /// that is not a number, or a name the macro does not have, changes
    /// nothing of that row and is said in reason (one line each). True when
    /// every row was taken; the drawing is modified when any value changed.
    bool setMacroGeneralVariables(const Vtx_String& macro, const Vtx_StringArray& names,
                                  const Vtx_StringArray& values, Vtx_String& reason);

    /// Edits the drawing's general variables in the module's dialog
    /// (StartDlgGenVars); true, and the drawing modified, when the user
    /// took a change with OK.
    bool editGeneralVariables();

    /// Writes the drawing to path whole (through a temporary file); on
    /// success path becomes the save path and the drawing is unmodified.
    bool saveAs(const Vtx_String& path, Vtx_String& reason);

private:
    std::unique_ptr<Vtx_Database> m_db;
    Vtx_String m_path;
    Vtx_String m_savePath;
    bool m_modified = false;
};

} // namespace host
