#include "designer/VtxDesignerControl.h"

#include "platform/core/Files.h"
#include "platform/core/PropertiesList.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"

#include <cmath>

namespace {

Vtx_String keyOf(const char* name, int i) {
    return Vtx_String(name) + Vtx_String::fromInt(i);
}

bool usableFactor(double value) {
    return std::isfinite(value) && std::fabs(value) <= kMaxDesignFactor;
}

void setProblem(Vtx_String* problem, const Vtx_String& key, const Vtx_String& value,
                const char* what) {
    if (problem)
        *problem = key + " = \"" + value + "\" " + what;
}

// Reads a factor key into field; a missing key leaves the field.
bool readFactor(const Vtx_PropertiesList& list, const Vtx_String& key, double& field,
                Vtx_String* problem) {
    Vtx_String text;
    if (list.getProperty(key, text) != eOk)
        return true;
    double value = 0;
    if (!text.toDouble(value) || !usableFactor(value)) {
        setProblem(problem, key, text, "is not a usable position");
        return false;
    }
    field = value;
    return true;
}

} // namespace

bool Vtx_DesignerControl::getFromPropList(const Vtx_PropertiesList& list, const int& i,
                                          Vtx_String* problem) {
    Vtx_String text;
    const Vtx_String typeKey = keyOf("type", i);
    if (list.getProperty(typeKey, text) == eOk) {
        int value = 0;
        if (!text.toInt(value) || !isValidControlType(value)) {
            setProblem(problem, typeKey, text, "is not a control type (0 to 30)");
            return false;
        }
        type = static_cast<Vtx_ControlType>(value);
    } else {
        type = ctLabel;
    }
    if (!readFactor(list, keyOf("topLeftX", i), topLeftX, problem) ||
        !readFactor(list, keyOf("topLeftY", i), topLeftY, problem) ||
        !readFactor(list, keyOf("bottomRightX", i), bottomRightX, problem) ||
        !readFactor(list, keyOf("bottomRightY", i), bottomRightY, problem))
        return false;
    list.getProperty(keyOf("contents", i), contents);
    Vtx_String merged;
    list.getProperty(keyOf("comboList", i), merged);
    setSplitExtComboList(merged);
    return true;
}

bool Vtx_DesignerControl::setToPropList(Vtx_PropertiesList& list, const int& i) const {
    if (!std::isfinite(topLeftX) || !std::isfinite(topLeftY) || !std::isfinite(bottomRightX) ||
        !std::isfinite(bottomRightY))
        return false;
    list.setProperty(keyOf("type", i), static_cast<int>(type));
    list.setProperty(keyOf("topLeftX", i), topLeftX);
    list.setProperty(keyOf("topLeftY", i), topLeftY);
    list.setProperty(keyOf("bottomRightX", i), bottomRightX);
    list.setProperty(keyOf("bottomRightY", i), bottomRightY);
    list.setProperty(keyOf("contents", i), contents);
    list.setProperty(keyOf("comboList", i), getMergedExtComboList());
    return true;
}

Vtx_String Vtx_DesignerControl::getMergedExtComboList() const {
    if (type == ctFlexBtn)
        return arrToStr({flexGroup, flexPart2, flexPart3, flexPart4}, ';');
    if (type == ctCalcButton1 || type == ctCalcButton2)
        return arrToStr({calcPart1, calcPart2, calcPart3, calcPart4, comboList}, ';');
    return comboList;
}

bool Vtx_DesignerControl::setSplitExtComboList(const Vtx_String& text) {
    Vtx_StringArray parts;
    strToArr(text, ';', parts);
    const auto part = [&parts](int n) { return n < parts.length() ? parts[n] : Vtx_String(); };
    if (type == ctFlexBtn) {
        flexGroup = part(0);
        flexPart2 = part(1);
        flexPart3 = part(2);
        flexPart4 = part(3);
    } else if (type == ctCalcButton1 || type == ctCalcButton2) {
        calcPart1 = part(0);
        calcPart2 = part(1);
        calcPart3 = part(2);
        calcPart4 = part(3);
        comboList = part(4);
    } else {
        comboList = text;
    }
    return true;
}

Vtx_String Vtx_DesignerControl::comboListFile() const {
    if (comboList.isEmpty())
        return comboList;
    const bool absolute =
        comboList.at(0) == '\\' || comboList.at(0) == '/' || comboList.at(1) == ':';
    return absolute ? comboList : gSettings.libDir + comboList;
}

void Vtx_DesignerControl::getComboItemsFromFile(Vtx_StringArray& items) const {
    const Vtx_String file = comboListFile();
    if (file.isEmpty() || !fileExists(file))
        return;
    Vtx_StringArray lines;
    if (ObjectExportReadFile(file, lines) == eOk)
        items = lines;
}

bool Vtx_DesignerControl::operator==(const Vtx_DesignerControl& other) const {
    return type == other.type && readOnly == other.readOnly && resourceId == other.resourceId &&
           tabOrder == other.tabOrder && topLeftX == other.topLeftX && topLeftY == other.topLeftY &&
           bottomRightX == other.bottomRightX && bottomRightY == other.bottomRightY &&
           contents == other.contents && comboList == other.comboList &&
           flexGroup == other.flexGroup && flexPart2 == other.flexPart2 &&
           flexPart3 == other.flexPart3 && flexPart4 == other.flexPart4 &&
           calcPart1 == other.calcPart1 && calcPart2 == other.calcPart2 &&
           calcPart3 == other.calcPart3 && calcPart4 == other.calcPart4 &&
           comboItems == other.comboItems;
}
