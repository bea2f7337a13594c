#pragma once

/// The declared variables of a standards spreadsheet. A declaration cell
/// holds a type word ("Int", "Double" or "String", matched as a prefix in
/// that order) and, after the first blank, the variable's name: the cell
/// "Double Width" declares the Double variable Width. The value of a variable
/// lives in its declaration cell while the spreadsheet is evaluated.
///
///     KsVarCells vars;
///     KsVarCell cell;
///     if (cell.initialize(sheet, 2, 5, kCellInput) == eOk)
///         vars.append(cell);
///     vars.getFromMacro(data);     // inputs and outputs from the macro
///     vars.setValuesToSS(sheet);   // into their cells

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "standards/KsSSMapping.h"

class Vtx_Spread;
class KsDlgStandardsData;

enum KsCellType : int { kCellInput = 0, kCellOutput = 1, kCellLocal = 2 };

/// Decimals of the number cell that holds a Double variable.
constexpr int kDoubleCellDecimals = 7;
/// Bounds of the number cells of Int and Double variables.
constexpr double kVarCellMaxNumber = 99999999999999.0;
/// Longest text of a String variable's cell.
constexpr int kStringCellMaxLength = 9999;

class VTX_MODULE_API KsVarCell {
public:
    KsVarCell() = default;
    virtual ~KsVarCell() = default;
    KsVarCell(const KsVarCell&) = default;
    KsVarCell& operator=(const KsVarCell&) = default;

    /// Reads the declaration in the value text of cell (column, row).
    /// eInvalidInput when the text begins with no type word, eOutOfRange when
    /// the cell is outside the sheet.
    ErrorStatus initialize(Vtx_Spread& sheet, int column, int row, int type);
    bool isInput() const { return cellType == kCellInput; }
    bool isOutput() const { return cellType == kCellOutput; }
    bool isLocal() const { return cellType == kCellLocal; }

    ErrorStatus setValueFromMacro(const KsSSMapping& mapping, const KsDlgStandardsData& data);
    ErrorStatus setValueToMacro(const KsSSMapping& mapping, const KsDlgStandardsData& data) const;
    ErrorStatus setValueFromOther(Vtx_Spread& sheet, const KsVarCell& other);
    ErrorStatus setNewValue(const Vtx_String& text);
    /// Takes the text and stores it in the variable's cell. A text the cell
    /// refuses (no number for an Int or Double variable, or a number out of
    /// the cell's bounds) is reported and not taken: the value stays.
    ErrorStatus setNewValue(Vtx_Spread& sheet, const Vtx_String& text);

    Vtx_String name;
    int cellType = kCellInput;
    Vtx_String value;
    int valueType = static_cast<int>(KsValueType::String);
    int column = 0;
    int row = 0;

private:
    friend class KsVarCells;
    /// Gives the cell the type of the variable's value and stores the value;
    /// an Int variable's value becomes the whole number its cell shows. A
    /// value the cell refuses is reported on the command line (eInvalidInput).
    ErrorStatus setValueToSS(Vtx_Spread& sheet);
    void reportRefusedValue() const;
    ErrorStatus getCurrentValue(Vtx_Spread& sheet, Vtx_String& text) const;
    KsValueType type() const { return static_cast<KsValueType>(valueType); }
};

/// An output that KsVarCells::setToMacro could not write, with the reason.
struct KsUnwrittenOutput {
    Vtx_String name;
    ErrorStatus status = eOk;
};

class VTX_MODULE_API KsVarCells {
public:
    KsVarCells() = default;
    virtual ~KsVarCells() = default;
    KsVarCells(const KsVarCells&) = default;
    KsVarCells& operator=(const KsVarCells&) = default;

    int length() const { return m_cells.length(); }
    KsVarCell& operator[](int index) { return m_cells[index]; }
    const KsVarCell& operator[](int index) const { return m_cells[index]; }
    int append(const KsVarCell& cell) { return m_cells.append(cell); }
    bool removeAt(int index) { return m_cells.removeAt(index); }
    /// Empties the list; the mapping stays.
    void resetVarCells() { m_cells.removeAll(); }

    KsSSMapping& mapping() { return m_mapping; }
    const KsSSMapping& mapping() const { return m_mapping; }

    /// The first variable named name (case ignored).
    ErrorStatus findVarCell(const Vtx_String& name, int& index) const;
    /// Sets up the mapping and reads inputs and outputs from the macro;
    /// see the source for the steps.
    ErrorStatus getFromMacro(const KsDlgStandardsData& data);
    /// Writes every output to the macro. eOk: an output that cannot be
    /// written does not stop the others; it is listed in unwrittenOutputs().
    ErrorStatus setToMacro(const KsDlgStandardsData& data);
    /// The outputs the last setToMacro could not write, in list order.
    const Vtx_Array<KsUnwrittenOutput>& unwrittenOutputs() const { return m_unwritten; }
    /// Reads every output's value from its cell.
    ErrorStatus getValuesFromSS(Vtx_Spread& sheet);
    /// Stores every variable's value in its cell (Int values rounded as
    /// their cells show them); the first refused value stops with failure.
    ErrorStatus setValuesToSS(Vtx_Spread& sheet);
    /// True when every own input has a variable of the same name and type
    /// with an equal value (case ignored) in other.
    bool hasSameInput(const KsVarCells& other) const;

private:
    Vtx_Array<KsVarCell> m_cells;
    KsSSMapping m_mapping;
    Vtx_Array<KsUnwrittenOutput> m_unwritten;
};
