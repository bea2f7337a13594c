#include "designer/ControlTypes.h"

#include "platform/core/Settings.h"

#include <array>

namespace {

struct TypeInfo {
    DesignWindowClass windowClass;
    int typeText;                 // dialog text of the type combo entry
    int contentsHint;             // dialog text, 0 for none
    std::array<int, 4> comboHint; // dialog texts joined with ";", 0 ends the list
    bool editsComboList;
};

using WC = DesignWindowClass;

// One row per type, in value order.
constexpr std::array<TypeInfo, kControlTypeCount> kTypes{{
    {WC::Static, 799, 827, {1403}, true},                    // ctLabel
    {WC::Button, 800, 827, {1403}, true},                    // ctGroupBox
    {WC::Edit, 801, 828, {}, false},                         // ctVarEdit
    {WC::ComboBox, 802, 828, {833}, true},                   // ctVarCombo
    {WC::Edit, 803, 829, {}, false},                         // ctBoltCount1
    {WC::Edit, 803, 829, {}, false},                         // ctBoltCount2
    {WC::Button, 804, 829, {}, false},                       // ctPatternButton
    {WC::ComboBox, 805, 0, {}, false},                       // ctBoltCombo
    {WC::Edit, 806, 0, {}, false},                           // ctBoltEdit1
    {WC::Edit, 807, 0, {}, false},                           // ctBoltEdit2
    {WC::Edit, 808, 0, {}, false},                           // ctBoltEdit3
    {WC::Edit, 809, 0, {}, false},                           // ctBoltEdit4
    {WC::Button, 810, 0, {}, false},                         // ctBoltButton
    {WC::ComboBox, 811, 830, {}, false},                     // ctProfCombo
    {WC::Button, 812, 830, {}, false},                       // ctProfButton
    {WC::ComboBox, 813, 830, {}, false},                     // ctProfOffsetCombo
    {WC::ComboBox, 814, 830, {}, false},                     // ctProfListCombo
    {WC::Button, 815, 830, {}, false},                       // ctProfAdvButton
    {WC::Edit, 816, 831, {}, false},                         // ctArrayEdit1
    {WC::Edit, 817, 831, {}, false},                         // ctArrayEdit2
    {WC::Edit, 818, 831, {}, false},                         // ctArrayEdit3
    {WC::Edit, 819, 831, {}, false},                         // ctArrayEdit4
    {WC::Edit, 820, 831, {}, false},                         // ctArrayEdit5
    {WC::Edit, 821, 831, {834}, true},                       // ctArrayEntryEdit
    {WC::Button, 822, 831, {}, false},                       // ctArrayButton
    {WC::Button, 823, 827, {1316, 1317, 1318, 1319}, true},  // ctCalcButton1
    {WC::Button, 1315, 827, {1316, 1317, 1320, 1319}, true}, // ctCalcButton2
    {WC::ComboBox, 1341, 0, {1342}, true},                   // ctBlockCombo
    {WC::ComboBox, 1404, 1406, {}, false},                   // ctCutCombo
    {WC::Button, 1405, 827, {828}, true},                    // ctVarCheck
    {WC::Button, 1428, 1429, {705, 1430, 1431}, true},       // ctFlexBtn
}};

const TypeInfo* infoOf(Vtx_ControlType type) {
    return isValidControlType(type) ? &kTypes[static_cast<std::size_t>(type)] : nullptr;
}

constexpr std::array<const char*, kControlTypeCount> kTypeNames{
    "ctLabel",           "ctGroupBox",      "ctVarEdit",       "ctVarCombo",       "ctBoltCount1",
    "ctBoltCount2",      "ctPatternButton", "ctBoltCombo",     "ctBoltEdit1",      "ctBoltEdit2",
    "ctBoltEdit3",       "ctBoltEdit4",     "ctBoltButton",    "ctProfCombo",      "ctProfButton",
    "ctProfOffsetCombo", "ctProfListCombo", "ctProfAdvButton", "ctArrayEdit1",     "ctArrayEdit2",
    "ctArrayEdit3",      "ctArrayEdit4",    "ctArrayEdit5",    "ctArrayEntryEdit", "ctArrayButton",
    "ctCalcButton1",     "ctCalcButton2",   "ctBlockCombo",    "ctCutCombo",       "ctVarCheck",
    "ctFlexBtn"};

} // namespace

const char* controlTypeName(int type) {
    return isValidControlType(type) ? kTypeNames[static_cast<std::size_t>(type)] : "";
}

DesignWindowClass windowClassOf(Vtx_ControlType type) {
    const TypeInfo* info = infoOf(type);
    return info ? info->windowClass : DesignWindowClass::Static;
}

const char* windowClassName(Vtx_ControlType type) {
    switch (windowClassOf(type)) {
    case DesignWindowClass::Button:
        return "BUTTON";
    case DesignWindowClass::Edit:
        return "EDIT";
    case DesignWindowClass::ComboBox:
        return "COMBOBOX";
    case DesignWindowClass::Static:
        break;
    }
    return "STATIC";
}

Vtx_String controlTypeText(Vtx_ControlType type) {
    const TypeInfo* info = infoOf(type);
    if (!info)
        return {};
    Vtx_String text = dialString(info->typeText);
    // The two bolt-count types share a text and tell themselves apart by
    // the pattern number.
    if (type == ctBoltCount1 || type == ctBoltCount2)
        text += Vtx_String(" ") + Vtx_String::fromInt(type == ctBoltCount1 ? 1 : 2) + ": " +
                string(2220);
    return text;
}

Vtx_String contentsHint(Vtx_ControlType type) {
    const TypeInfo* info = infoOf(type);
    return info && info->contentsHint ? dialString(info->contentsHint) : Vtx_String();
}

Vtx_String comboListHint(Vtx_ControlType type) {
    const TypeInfo* info = infoOf(type);
    Vtx_String hint;
    if (!info)
        return hint;
    for (std::size_t i = 0; i < info->comboHint.size() && info->comboHint[i] != 0; ++i) {
        if (i > 0)
            hint += ';';
        hint += dialString(info->comboHint[i]);
    }
    return hint;
}

bool editsComboList(Vtx_ControlType type) {
    const TypeInfo* info = infoOf(type);
    return info && info->editsComboList;
}

bool takesTabStop(Vtx_ControlType type) {
    return type != ctLabel && type != ctGroupBox;
}
