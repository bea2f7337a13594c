#include "standards/KsVarCells.h"

#include "platform/core/StringUtils.h"
#include "platform/host/Host.h"
#include "platform/sheet/Value.h"
#include "spread/VtxSpread.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/StandardsMessages.h"
#include "standards/StandardsTimers.h"

namespace {

struct TypeWord {
    const char* word;
    KsValueType type;
};

// Tried in this order; the first that begins the text wins.
constexpr TypeWord kTypeWords[] = {
    {"Int", KsValueType::Int},
    {"Double", KsValueType::Double},
    {"String", KsValueType::String},
};

} // namespace

ErrorStatus KsVarCell::initialize(Vtx_Spread& sheet, int col, int r, int type) {
    Vtx_String text;
    if (!sheet.getCellText(col, r, text, kTextValue))
        return eOutOfRange;
    text = stripSymbols(text);
    for (const TypeWord& word : kTypeWords) {
        if (!text.startsWith(word.word))
            continue;
        int blank = text.find(' ');
        name = blank < 0 ? Vtx_String() : text.mid(blank + 1);
        valueType = static_cast<int>(word.type);
        column = col;
        row = r;
        cellType = type;
        return eOk;
    }
    return eInvalidInput;
}

ErrorStatus KsVarCell::setValueFromMacro(const KsSSMapping& mapping,
                                         const KsDlgStandardsData& data) {
    return mapping.getMacroVarValue(name, type(), value, data);
}

ErrorStatus KsVarCell::setValueToMacro(const KsSSMapping& mapping,
                                       const KsDlgStandardsData& data) const {
    return mapping.setMacroVarValue(name, type(), value, data);
}

ErrorStatus KsVarCell::setValueFromOther(Vtx_Spread& sheet, const KsVarCell& other) {
    return setNewValue(sheet, other.value);
}

ErrorStatus KsVarCell::setNewValue(const Vtx_String& text) {
    value = text;
    return eOk;
}

ErrorStatus KsVarCell::setNewValue(Vtx_Spread& sheet, const Vtx_String& text) {
    const Vtx_String previous = value;
    value = text;
    ErrorStatus es = setValueToSS(sheet);
    // A value the cell refuses is not taken: the variable keeps the value its
    // cell holds.
    if (es != eOk)
        value = previous;
    return es;
}

ErrorStatus KsVarCell::setValueToSS(Vtx_Spread& sheet) {
    bool typed = false;
    switch (type()) {
    case KsValueType::Int:
        typed = sheet.setNumberCells(column, row, column, row, 0, -kVarCellMaxNumber,
                                     kVarCellMaxNumber);
        break;
    case KsValueType::Double:
        typed = sheet.setNumberCells(column, row, column, row, kDoubleCellDecimals,
                                     -kVarCellMaxNumber, kVarCellMaxNumber);
        break;
    case KsValueType::String:
        typed =
            sheet.setEditCells(column, row, column, row, kEditStyleDefault, kStringCellMaxLength);
        break;
    }
    if (!typed)
        return eOutOfRange;
    if (!sheet.setCellValue(column, row, value)) {
        reportRefusedValue();
        return eInvalidInput;
    }
    // An Int variable is what its cell shows, the number rounded to a whole
    // one: later equations and the macro then see the same value.
    Vtx_String shown;
    if (type() == KsValueType::Int && getCurrentValue(sheet, shown) == eOk && shown != value) {
        value = shown;
        if (!sheet.setCellValue(column, row, value))
            return eInvalidInput;
    }
    return eOk;
}

void KsVarCell::reportRefusedValue() const {
    double number = 0;
    const char* reason = vtx::sheet::parseNumber(value.view(), number)
                             ? "a number cell holds numbers from -99999999999999 to 99999999999999"
                             : "it is not a number";
    hostPrintf("*Error* The %s variable %s (cell %s%d) cannot take the value %s: %s.\n",
               kTypeWords[static_cast<int>(type())].word, name.c_str(),
               getAlfabet(column - 1).c_str(), row, value.c_str(), reason);
}

ErrorStatus KsVarCell::getCurrentValue(Vtx_Spread& sheet, Vtx_String& text) const {
    return sheet.getCellText(column, row, text, kTextValue) ? eOk : eOutOfRange;
}

ErrorStatus KsVarCells::findVarCell(const Vtx_String& name, int& index) const {
    for (int i = 0; i < m_cells.length(); ++i) {
        if (m_cells[i].name.equal(name, false)) {
            index = i;
            return eOk;
        }
    }
    return eKeyNotFound;
}

ErrorStatus KsVarCells::getFromMacro(const KsDlgStandardsData& data) {
    {
        TimerScope timer(gInitMapping);
        ErrorStatus es = eOk;
        if (!data.moduleGroupName.isEmpty()) {
            es = m_mapping.initFromModuleGroup(data.moduleGroupName);
        } else {
            if (!data.dbMacro)
                return eNullPtr;
            es = m_mapping.initFromMacro(data);
        }
        // Without a mapping nothing can be read; the values stay as they are.
        if (es != eOk)
            return eOk;
    }
    TimerScope timer(gInitFromMacro);
    for (KsVarCell& cell : m_cells) {
        if (cell.isLocal()) {
            if (cell.setNewValue(Vtx_String()) != eOk)
                return eGeneralError;
            continue;
        }
        if (cell.setValueFromMacro(m_mapping, data) == eOk)
            continue;
        const bool input = cell.isInput();
        showStandardsWarning(Vtx_String("The following ") + (input ? "Input" : "Output") +
                             " variable couldn't be " + (input ? "retrieved" : "set") + " : \n" +
                             cell.name +
                             "\nMake sure the variable exists in the macro or module.\n" +
                             "Spreadsheet : " + data.spreadsheetName);
    }
    return eOk;
}

ErrorStatus KsVarCells::setToMacro(const KsDlgStandardsData& data) {
    m_unwritten.removeAll();
    for (const KsVarCell& cell : m_cells) {
        if (!cell.isOutput())
            continue;
        if (ErrorStatus es = cell.setValueToMacro(m_mapping, data); es != eOk)
            m_unwritten.append({cell.name, es});
    }
    return eOk;
}

ErrorStatus KsVarCells::getValuesFromSS(Vtx_Spread& sheet) {
    for (KsVarCell& cell : m_cells) {
        if (!cell.isOutput())
            continue;
        ErrorStatus es = cell.getCurrentValue(sheet, cell.value);
        if (es != eOk)
            return es;
    }
    return eOk;
}

ErrorStatus KsVarCells::setValuesToSS(Vtx_Spread& sheet) {
    for (KsVarCell& cell : m_cells) {
        ErrorStatus es = cell.setValueToSS(sheet);
        if (es != eOk)
            return es;
    }
    return eOk;
}

bool KsVarCells::hasSameInput(const KsVarCells& other) const {
    for (const KsVarCell& cell : m_cells) {
        if (!cell.isInput())
            continue;
        bool found = false;
        for (int i = 0; i < other.length() && !found; ++i)
            found = other[i].name.equal(cell.name, false) && other[i].valueType == cell.valueType &&
                    other[i].value.equal(cell.value, false);
        if (!found)
            return false;
    }
    return true;
}
