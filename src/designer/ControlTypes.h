#pragma once

/// The 31 control types of a dialog design and what each one is: the window
/// class of its live control, the texts the designer shows for it, and how
/// its combo-list property is used.
///
///     if (isValidControlType(value))
///         Vtx_String text = controlTypeText(static_cast<Vtx_ControlType>(value));

#include "platform/core/VtxString.h"

/// Stored in design files as its number; the numbers never change.
enum Vtx_ControlType : int {
    ctLabel = 0,
    ctGroupBox = 1,
    ctVarEdit = 2,
    ctVarCombo = 3,
    ctBoltCount1 = 4,
    ctBoltCount2 = 5,
    ctPatternButton = 6,
    ctBoltCombo = 7,
    ctBoltEdit1 = 8,
    ctBoltEdit2 = 9,
    ctBoltEdit3 = 10,
    ctBoltEdit4 = 11,
    ctBoltButton = 12,
    ctProfCombo = 13,
    ctProfButton = 14,
    ctProfOffsetCombo = 15,
    ctProfListCombo = 16,
    ctProfAdvButton = 17,
    ctArrayEdit1 = 18,
    ctArrayEdit2 = 19,
    ctArrayEdit3 = 20,
    ctArrayEdit4 = 21,
    ctArrayEdit5 = 22,
    ctArrayEntryEdit = 23,
    ctArrayButton = 24,
    ctCalcButton1 = 25,
    ctCalcButton2 = 26,
    ctBlockCombo = 27,
    ctCutCombo = 28,
    ctVarCheck = 29,
    ctFlexBtn = 30,
};

/// Number of control types (values 0 to kControlTypeCount - 1).
constexpr int kControlTypeCount = 31;

/// Window classes of live controls, as the platform names them.
enum class DesignWindowClass { Static, Button, Edit, ComboBox };

constexpr bool isValidControlType(int value) {
    return value >= 0 && value < kControlTypeCount;
}

/// "STATIC", "BUTTON", "EDIT" or "COMBOBOX" for a valid type; "STATIC" otherwise.
const char* windowClassName(Vtx_ControlType type);
DesignWindowClass windowClassOf(Vtx_ControlType type);

/// The type's name in the code and in reports ("ctVarEdit"); empty for a
/// value outside the types.
const char* controlTypeName(int type);

/// The text the type combo shows for the type (language texts); empty for
/// a value outside the types.
Vtx_String controlTypeText(Vtx_ControlType type);
/// The hint shown for the contents property; empty when the type has none.
Vtx_String contentsHint(Vtx_ControlType type);
/// The hint shown for the combo-list property (several texts joined with
/// ";"); empty when the type has none.
Vtx_String comboListHint(Vtx_ControlType type);
/// True for the types whose combo-list property the designer lets the user
/// edit.
bool editsComboList(Vtx_ControlType type);
/// True for the types a user moves to with the Tab key: every type but
/// labels and group boxes.
bool takesTabStop(Vtx_ControlType type);
