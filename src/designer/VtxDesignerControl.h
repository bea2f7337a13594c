#pragma once

/// One control of a dialog design: its type, its rectangle as factors of the
/// design's background picture, its text and its combo list.
///
/// Factors: an x factor is pixels divided by the picture's width, a y factor
/// pixels divided by its height, so (0, 0) is the picture's top-left corner
/// and (1, 1) its bottom-right corner.
///
/// The combo-list property carries several parts for three types (the "ext
/// combo list"): a toggle button keeps group;part2;part3;part4, the two
/// calculation buttons part1;part2;part3;part4;comboList. Set `type` before
/// splitting such a text.
///
///     Vtx_DesignerControl edit;
///     edit.type = ctVarEdit;
///     edit.contents = "Thickness";
///     edit.topLeftX = 0.1; edit.topLeftY = 0.2; edit.bottomRightX = 0.3; edit.bottomRightY = 0.25;

#include "designer/ControlTypes.h"
#include "platform/Exports.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

class Vtx_PropertiesList;

class VTX_MODULE_API Vtx_DesignerControl {
public:
    Vtx_DesignerControl() = default;
    virtual ~Vtx_DesignerControl() = default;
    Vtx_DesignerControl(const Vtx_DesignerControl&) = default;
    Vtx_DesignerControl& operator=(const Vtx_DesignerControl&) = default;

    /// Reads the keys of control i ("type"+i, "topLeftX"+i, ...). A missing
    /// key leaves its field as it is (a new control so keeps 0 and empty
    /// texts); "comboList"+i is split with setSplitExtComboList. False when a
    /// present value is unusable: a type that is not a whole number from 0
    /// to 30, or a factor that is not a finite number within
    /// +-kMaxDesignFactor; problem (when given) then names the key.
    bool getFromPropList(const Vtx_PropertiesList& list, const int& i,
                         Vtx_String* problem = nullptr);
    /// Sets the seven keys of control i in file order; the combo list is
    /// the merged ext combo list. False when a factor is not finite (nothing
    /// sensible can be stored for it).
    bool setToPropList(Vtx_PropertiesList& list, const int& i) const;

    /// The combo-list property as stored and edited (see the class comment).
    Vtx_String getMergedExtComboList() const;
    /// Splits text into the fields the type uses; always true.
    bool setSplitExtComboList(const Vtx_String& text);

    /// The file comboList names: a relative path is taken below the library
    /// folder, as the family's named folders are. Empty when comboList is.
    Vtx_String comboListFile() const;
    /// When comboListFile() is an existing file, items gets its lines;
    /// otherwise items is left as it was.
    void getComboItemsFromFile(Vtx_StringArray& items) const;

    /// Same stored and run-time fields.
    bool operator==(const Vtx_DesignerControl& other) const;

    Vtx_ControlType type = ctLabel;
    /// The live control is disabled (set by the binding at run time; not stored).
    bool readOnly = false;
    /// Window id of the live control, given when the control is appended to
    /// a design; not stored.
    int resourceId = 0;
    /// Position in the Tab sequence from 1; 0 for none; not stored.
    int tabOrder = 0;
    double topLeftX = 0;
    double topLeftY = 0;
    double bottomRightX = 0;
    double bottomRightY = 0;
    /// Caption, variable name or initial value, depending on the type.
    Vtx_String contents;
    /// For combos the path of a file whose lines are the items; see the table
    /// in docs/designer.md for the other types.
    Vtx_String comboList;
    Vtx_String flexGroup, flexPart2, flexPart3, flexPart4;
    Vtx_String calcPart1, calcPart2, calcPart3, calcPart4;
    /// Items filled in at run time by the binding; not stored.
    Vtx_StringArray comboItems;
};

/// Largest factor a design file may hold (a control 1000 pictures away is
/// certainly a damaged file, and pixel arithmetic stays far from overflow).
constexpr double kMaxDesignFactor = 1000.0;
