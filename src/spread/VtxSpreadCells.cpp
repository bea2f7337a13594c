// Vtx_Spread: cell access, cursor, whole rows and columns.
#include "spread/VtxSpread.h"

#include "platform/sheet/SheetModel.h"

using vtx::sheet::CellRange;
using vtx::sheet::TextForm;

namespace {

bool validKind(int kind) {
    return kind >= kTextData && kind <= kTextValue;
}

// The typed readers' number of a shown text (see VtxSpread.h): 0 for a text
// without a leading number; false, with 0, for one beyond the range.
bool readDouble(const Vtx_String& text, double& value) {
    return vtx::sheet::readLeadingNumber(text.view(), value) !=
           vtx::sheet::LeadingNumber::OutOfRange;
}

bool readInt(const Vtx_String& text, int& value) {
    return vtx::sheet::readLeadingInt(text.view(), value);
}

// Every text read into values; false when one of them did not fit.
template <typename T>
bool readAll(const Vtx_StringArray& texts, Vtx_Array<T>& values,
             bool (*read)(const Vtx_String&, T&)) {
    bool all = true;
    for (const Vtx_String& text : texts) {
        T value{};
        all = read(text, value) && all;
        values.append(value);
    }
    return all;
}

} // namespace

bool Vtx_Spread::getCellText(int column, int row, Vtx_String& text, int kind) const {
    text.clear();
    column = normalizeIndex(column);
    row = normalizeIndex(row);
    if (!inRange(column, row) || !validKind(kind))
        return false;
    std::string out;
    if (m_model->getText(column, row, static_cast<TextForm>(kind), out))
        text = Vtx_String(std::move(out));
    return true;
}

bool Vtx_Spread::setCellText(int column, int row, const Vtx_String& text) {
    column = normalizeIndex(column);
    row = normalizeIndex(row);
    return inRange(column, row) && m_model->setData(column, row, text.view());
}

bool Vtx_Spread::setCellValue(int column, int row, const Vtx_String& text) {
    column = normalizeIndex(column);
    row = normalizeIndex(row);
    return inRange(column, row) && m_model->setValueText(column, row, text.view());
}

bool Vtx_Spread::setCellFormula(int column, int row, const Vtx_String& formula,
                                bool buildDependencies) {
    return inRange(column, row) &&
           m_model->setFormula(column, row, formula.view(), buildDependencies);
}

bool Vtx_Spread::setCellTag(int column, int row, const Vtx_String& tag) {
    return inRange(column, row) && m_model->setTag(column, row, tag.view());
}

bool Vtx_Spread::getSheetTag(Vtx_String& tag) const {
    return getCellText(0, 0, tag, kTextTag);
}

bool Vtx_Spread::setSheetTag(const Vtx_String& tag) {
    return setCellTag(0, 0, tag);
}

bool Vtx_Spread::getCellInt(int column, int row, int& value) const {
    Vtx_String text;
    if (!getCellText(column, row, text, kTextValue))
        return false;
    return readInt(text, value);
}

bool Vtx_Spread::getCellDouble(int column, int row, double& value) const {
    Vtx_String text;
    if (!getCellText(column, row, text, kTextValue))
        return false;
    return readDouble(text, value);
}

bool Vtx_Spread::getCellBool(int column, int row, bool& value) const {
    Vtx_String text;
    if (!getCellText(column, row, text, kTextValue))
        return false;
    if (text == "1" || text == "0") {
        value = text == "1";
        return true;
    }
    return false;
}

bool Vtx_Spread::setCellInt(int column, int row, int value) {
    return setCellValue(column, row, Vtx_String::fromInt(value));
}

bool Vtx_Spread::setCellDouble(int column, int row, double value) {
    return setCellText(column, row, Vtx_String(value, 2));
}

bool Vtx_Spread::setCellBool(int column, int row, bool value) {
    return setCellText(column, row, value ? "1" : "0");
}

int Vtx_Spread::getCellTypeNumber(int column, int row) const {
    return inRange(column, row) ? m_model->cellTypeNumber(column, row) : -1;
}

bool Vtx_Spread::recalcCell(int column, int row) {
    return inRange(column, row) && m_model->recalcCell(column, row);
}

void Vtx_Spread::recalcAll() {
    if (m_created)
        m_model->recalcAll();
}

bool Vtx_Spread::getActiveCell(int& column, int& row) {
    if (!m_created)
        return false;
    if (!m_model->activeCell(column, row)) {
        m_model->setActiveCell(1, 1);
        column = 1;
        row = 1;
    }
    return true;
}

bool Vtx_Spread::setActiveCell(int column, int row) {
    return m_created && m_model->setActiveCell(column, row);
}

bool Vtx_Spread::getSelection(int& column1, int& row1, int& column2, int& row2) {
    if (!m_created)
        return false;
    CellRange range;
    if (m_model->selection(range)) {
        column1 = range.col0;
        row1 = range.row0;
        column2 = range.col1;
        row2 = range.row1;
        return true;
    }
    getActiveCell(column1, row1);
    column2 = column1;
    row2 = row1;
    return true;
}

bool Vtx_Spread::selectRange(int column1, int row1, int column2, int row2) {
    if (!m_created)
        return false;
    return m_model->setSelection(CellRange::ordered(column1, row1, column2, row2));
}

bool Vtx_Spread::selectRow(int row) {
    return m_created && row >= 1 && row <= getMaxRows() && selectRange(0, row, getMaxCols(), row);
}

int Vtx_Spread::firstSelectedRow() {
    int column1 = 0, row1 = 0, column2 = 0, row2 = 0;
    return getSelection(column1, row1, column2, row2) ? row1 : -1;
}

int Vtx_Spread::firstSelectedColumn() {
    int column1 = 0, row1 = 0, column2 = 0, row2 = 0;
    return getSelection(column1, row1, column2, row2) ? column1 : -1;
}

bool Vtx_Spread::setColumn(int column, const Vtx_StringArray& texts, bool asValue) {
    if (!m_created || column < 1 || column > getMaxCols())
        return false;
    const int rows = getMaxRows();
    for (int i = 0; i < texts.length() && i < rows; ++i) {
        if (asValue)
            setCellValue(column, i + 1, texts[i]);
        else
            setCellText(column, i + 1, texts[i]);
    }
    return true;
}

bool Vtx_Spread::setColumnInts(int column, const Vtx_Array<int>& values) {
    Vtx_StringArray texts;
    for (int v : values)
        texts.append(Vtx_String::fromInt(v));
    return setColumn(column, texts, true);
}

bool Vtx_Spread::setColumnDoubles(int column, const Vtx_Array<double>& values) {
    Vtx_StringArray texts;
    for (double v : values)
        texts.append(Vtx_String(v, 2));
    return setColumn(column, texts, false);
}

bool Vtx_Spread::setColumnBools(int column, const Vtx_Array<bool>& values) {
    Vtx_StringArray texts;
    for (bool v : values)
        texts.append(v ? "1" : "0");
    return setColumn(column, texts, false);
}

bool Vtx_Spread::setRow(int row, const Vtx_StringArray& texts, bool asValue) {
    if (!m_created || row < 1 || row > getMaxRows())
        return false;
    const int cols = getMaxCols();
    for (int i = 0; i < texts.length() && i < cols; ++i) {
        if (asValue)
            setCellValue(i + 1, row, texts[i]);
        else
            setCellText(i + 1, row, texts[i]);
    }
    return true;
}

bool Vtx_Spread::setColumnIndices(int column, const Vtx_Array<int>& indices) {
    const int rows = getMaxRows();
    Vtx_Array<int> values;
    for (int index : indices)
        values.append(index < 0 || index > rows ? 0 : index);
    return setColumnInts(column, values);
}

bool Vtx_Spread::clearRow(int row) {
    if (!m_created || row < 1 || row > getMaxRows())
        return false;
    for (int c = 1; c <= getMaxCols(); ++c)
        m_model->setValueText(c, row, "");
    return true;
}

bool Vtx_Spread::clearRowsFrom(int row, int lastRow) {
    if (!m_created || row < 1 || row > getMaxRows())
        return false;
    for (int r = row; r <= lastRow && r <= getMaxRows(); ++r)
        clearRow(r);
    return true;
}

bool Vtx_Spread::setHeaderRow(const Vtx_StringArray& texts) {
    if (!m_created)
        return false;
    for (int i = 0; i < texts.length() && i < getMaxCols(); ++i)
        m_model->setData(i + 1, 0, texts[i].view());
    return true;
}

bool Vtx_Spread::setHeaderColumn(const Vtx_StringArray& texts) {
    if (!m_created)
        return false;
    for (int i = 0; i < texts.length() && i < getMaxRows(); ++i)
        m_model->setData(0, i + 1, texts[i].view());
    return true;
}

bool Vtx_Spread::getHeaderRow(Vtx_StringArray& texts) const {
    texts.removeAll();
    if (!m_created)
        return false;
    for (int c = 1; c <= getMaxCols(); ++c) {
        Vtx_String text;
        getCellText(c, 0, text, kTextValue);
        texts.append(text);
    }
    return true;
}

bool Vtx_Spread::getColumn(int column, Vtx_StringArray& texts, int kind) const {
    texts.removeAll();
    if (!m_created || column < 0 || column > getMaxCols())
        return false;
    for (int r = 1; r <= getMaxRows(); ++r) {
        Vtx_String text;
        getCellText(column, r, text, kind);
        texts.append(text);
    }
    return true;
}

bool Vtx_Spread::getColumnInts(int column, Vtx_Array<int>& values) const {
    Vtx_StringArray texts;
    values.removeAll();
    if (!getColumn(column, texts))
        return false;
    return readAll(texts, values, readInt);
}

bool Vtx_Spread::getColumnDoubles(int column, Vtx_Array<double>& values) const {
    Vtx_StringArray texts;
    values.removeAll();
    if (!getColumn(column, texts))
        return false;
    return readAll(texts, values, readDouble);
}

bool Vtx_Spread::getColumnBools(int column, Vtx_Array<bool>& values) const {
    Vtx_StringArray texts;
    values.removeAll();
    if (!getColumn(column, texts))
        return false;
    for (const Vtx_String& text : texts)
        values.append(text == "1");
    return true;
}

bool Vtx_Spread::getRow(int row, Vtx_StringArray& texts) const {
    texts.removeAll();
    if (!m_created || row < 0 || row > getMaxRows())
        return false;
    for (int c = 1; c <= getMaxCols(); ++c) {
        Vtx_String text;
        getCellText(c, row, text, kTextValue);
        texts.append(text);
    }
    return true;
}

bool Vtx_Spread::getTable(Vtx_Array<Vtx_StringArray>& rows) const {
    rows.removeAll();
    if (!m_created)
        return false;
    for (int r = 1; r <= getMaxRows(); ++r) {
        Vtx_StringArray texts;
        getRow(r, texts);
        rows.append(texts);
    }
    return true;
}
