#include "standards/KsStandardsSheet.h"

#include "platform/core/StringUtils.h"
#include "platform/sheet/SheetModel.h"
#include "standards/NameReplacement.h"
#include "standards/StandardsMessages.h"

#include <algorithm>

namespace {

const char* const kLabels[] = {"Input", "Output", "Local", "Calc"};

} // namespace

void KsStandardsSheet::setGenVars(const Vtx_StringArray& names, const Vtx_StringArray& values) {
    m_genVarNames = names;
    m_genVarValues = values;
}

std::vector<vtx::sheet::CellPos> KsStandardsSheet::usedCells(int firstRow, int lastRow) const {
    const vtx::sheet::SheetModel* sheet = model();
    if (!sheet || firstRow > lastRow)
        return {};
    return sheet->usedCells({1, firstRow, getMaxCols(), lastRow});
}

void KsStandardsSheet::scanLabels() {
    // One pass, row by row and left to right: the first cell whose whole text
    // is a label gives that label's row.
    for (int& row : m_labelRows)
        row = -1;
    for (const vtx::sheet::CellPos& p : usedCells(1, getMaxRows())) {
        Vtx_String text;
        getCellText(p.col, p.row, text, kTextValue);
        if (text.isEmpty() || text.length() > 6)
            continue;
        for (int i = 0; i < 4; ++i)
            if (m_labelRows[i] < 0 && text.equal(kLabels[i], false))
                m_labelRows[i] = p.row;
    }
    m_labelsScanned = true;
}

bool KsStandardsSheet::findSection(int section, int& firstRow, int& lastRow) const {
    int labelRows[4];
    for (int i = 0; i < 4; ++i) {
        labelRows[i] = m_labelRows[i];
        int column = 0;
        if (!m_labelsScanned)
            findNext(kLabels[i], false, 1, 1, column, labelRows[i]);
    }
    if (labelRows[section] < 0)
        return false;
    firstRow = labelRows[section];
    lastRow = getMaxRows();
    for (int i = 0; i < 4; ++i)
        if (labelRows[i] > firstRow && labelRows[i] < lastRow)
            lastRow = labelRows[i];
    return true;
}

ErrorStatus KsStandardsSheet::readVariables(bool requireSections) {
    m_varCells.resetVarCells();
    const int types[] = {kCellInput, kCellOutput, kCellLocal};
    for (int section = kInput; section <= kLocal; ++section) {
        int labelRow = 0;
        int lastRow = 0;
        if (!findSection(section, labelRow, lastRow)) {
            if (section == kLocal)
                continue;
            return requireSections ? eKeyNotFound : eOk;
        }
        for (const vtx::sheet::CellPos& p : usedCells(labelRow + 1, lastRow)) {
            KsVarCell cell;
            if (cell.initialize(*this, p.col, p.row, types[section]) == eOk)
                m_varCells.append(cell);
        }
    }
    return eOk;
}

void KsStandardsSheet::replaceGenVars() {
    const int count = std::min(m_genVarNames.length(), m_genVarValues.length());
    if (count == 0)
        return;
    Vtx_StringArray values;
    for (int i = 0; i < count; ++i) {
        Vtx_String value = m_genVarValues[i];
        if (!isNumber(value))
            value = Vtx_String("\"") + value + "\"";
        values.append(value);
    }
    const NameReplacer replacer(m_genVarNames, values);
    const vtx::sheet::SheetModel* sheet = model();
    for (const vtx::sheet::CellPos& p : usedCells(1, getMaxRows())) {
        // Names stand in texts only: equations and declarations.
        if (sheet && sheet->valueType(p.col, p.row) != vtx::sheet::ValueType::Text)
            continue;
        Vtx_String text;
        getCellText(p.col, p.row, text, kTextValue);
        if (text.isEmpty())
            continue;
        if (replacer.apply(text) > 0)
            setCellText(p.col, p.row, text);
    }
}

void KsStandardsSheet::removeDuplicates() {
    Vtx_StringArray duplicates;
    for (int i = 0; i < m_varCells.length(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (m_varCells[j].name.equal(m_varCells[i].name, false)) {
                if (!duplicates.contains(m_varCells[i].name, false))
                    duplicates.append(m_varCells[i].name);
                break;
            }
        }
    }
    if (duplicates.isEmpty())
        return;
    Vtx_String text =
        Vtx_String("There were duplicate variable names found in the standards file ") + m_path +
        ".\nThe duplicates will be ignored. Please correct this file.\n" +
        "Duplicate variable names:\n\n";
    for (const Vtx_String& name : duplicates)
        text.append(name).append('\n');
    showStandardsWarning(text, "Variable names must be unique", true);
    for (int i = m_varCells.length() - 1; i >= 0; --i) {
        int first = -1;
        if (m_varCells.findVarCell(m_varCells[i].name, first) == eOk && first < i)
            m_varCells.removeAt(i);
    }
}
