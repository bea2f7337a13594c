#pragma once

/// The author's checks of a dialog design, made on the file without showing
/// it: what would make the design look wrong or bind wrongly at run time.
///
///     for (const DesignProblem& problem : checkDesign(designFilePath("EndPlate\\EndPlate",
///     "txt")))
///         hostPrintf("%s\n", problem.text().c_str());
///
/// What counts (docs/vtxss-design.md has the exact rules):
/// - the file is no design file, or its count or a position is damaged;
/// - the picture beside the file is missing or no readable bitmap;
/// - a control's type is not one of the 31 types;
/// - a control has no area, or lies partly or wholly outside the picture;
/// - two controls overlap by at least one pixel as drawn, unless one is a
///   group frame that holds the other whole;
/// - a combo's list file (a block combo's folder) does not exist;
/// - two variable controls bind the same variable (case ignored);
/// - a control that shows a variable names none;
/// - the design has more controls than a dialog gives window ids to (100).

#include "platform/core/VtxString.h"

#include <vector>

enum class DesignCheck {
    Unreadable,        ///< no design file, or its count of controls is damaged
    Picture,           ///< the picture is missing or unreadable
    UnknownType,       ///< the type is not a control type
    BadPosition,       ///< a position is not a usable number
    NoArea,            ///< the control is drawn without width or height
    Outside,           ///< the control reaches outside the picture
    Overlap,           ///< two controls overlap
    ComboList,         ///< the combo list names no existing file or folder
    DuplicateVariable, ///< a variable is bound by a second control
    MissingName,       ///< a control that shows a variable names none
    TooManyControls,   ///< more controls than a dialog has window ids for
};

/// The short name of a check, as reports and JSON give it ("overlap").
const char* designCheckName(DesignCheck check);

struct DesignProblem {
    Vtx_String file;     ///< the design file as given
    int control = -1;    ///< list position in the file; -1: the design as a whole
    int type = -1;       ///< the control's type as stored; -1 when it is no number
    Vtx_String contents; ///< the control's contents
    DesignCheck check = DesignCheck::Unreadable;
    Vtx_String message; ///< what is wrong, one line

    /// "FILE: control 3 (ctVarEdit \"Width\"): message", or "FILE: message"
    /// for the design as a whole.
    Vtx_String text() const;
    /// "control 3 (ctVarEdit \"Width\")"; a type outside the types shows as
    /// "type 42".
    Vtx_String controlText() const;
};

/// "control 3 (ctVarEdit \"Width\")" (see DesignProblem::controlText).
Vtx_String designControlText(int control, int type, const Vtx_String& contents);

/// Every problem of the design file at path, in the order of the controls
/// (problems of the design as a whole first). Relative combo-list paths are
/// taken below the library folder.
std::vector<DesignProblem> checkDesign(const Vtx_String& path);
