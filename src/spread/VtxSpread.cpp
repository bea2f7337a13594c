// Vtx_Spread: creation, state, size and structure.
#include "spread/VtxSpread.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/sheet/SheetModel.h"

using vtx::sheet::CellRange;
using vtx::sheet::SheetModel;

namespace {

// Options of the control that the standard look switches.
constexpr int kOptionRedraw = 8;
constexpr int kOptionChanged = 30;
constexpr int kOptionEditable = 13;
constexpr int kOptionEditModeStays = 10;
constexpr int kAppearanceFlat = 1;

} // namespace

Vtx_Spread::Vtx_Spread() : m_model(std::make_unique<SheetModel>()) {}

Vtx_Spread::~Vtx_Spread() {
    if (m_destroyHandler)
        m_destroyHandler();
}

bool Vtx_Spread::createInDialog(Vtx_DialogHost* parent, int placeholderId, bool exactRect) {
    Vtx_Rect rect;
    if (!parent || !parent->placeholderRect(placeholderId, rect))
        return false;
    if (!exactRect) {
        rect.left -= 5;
        rect.right -= 5;
        rect.top -= 20;
        rect.bottom -= 20;
    }
    // A view that replaces the placeholder already reads the grid's model.
    const bool wasCreated = m_created;
    m_created = true;
    if (!parent->replacePlaceholder(placeholderId, *this, rect)) {
        m_created = wasCreated;
        return false;
    }
    m_model->reset();
    m_model->setMaxCols(0);
    m_model->setMaxRows(0);
    // A flat control; a fresh model has no action keys.
    m_model->appearance().appearance = kAppearanceFlat;
    m_dialog = parent;
    m_rect = rect;
    m_controlId = placeholderId;
    m_created = true;
    return true;
}

bool Vtx_Spread::applyGridStyle(int preset) {
    if (!m_created)
        return false;
    auto options = [this](std::initializer_list<std::pair<int, bool>> list) {
        for (auto [number, on] : list)
            m_model->setOption(number, on);
    };
    vtx::sheet::SheetAppearance& look = m_model->appearance();
    options({{kOptionRedraw, false},
             {12, false},
             {7, false},
             {21, true},
             {26, false},
             {34, true},
             {32, true},
             {18, false},
             {21, true},
             {22, true},
             {21, true}});
    look.gridColor = kSystemColorButtonFace;
    look.gridColorAlt = kGridSystemColor;
    look.gridStyleA = 1;
    look.gridStyleB = -1;
    look.selectionBack = kGridSelectionBack;
    look.selectionFore = kGridSelectionFore;
    options({{11, true}, {3, true}, {4, true}, {18, true}});
    look.secondColor = kGridSecondColor;
    look.secondColorAlt = kGridSystemColor;
    const bool systemGrid = preset == 1;
    options({{kOptionEditable, systemGrid}, {kOptionEditModeStays, !systemGrid}});
    look.styleSetting = systemGrid ? 0 : 5;
    m_model->setOption(kOptionRedraw, true);
    return true;
}

void Vtx_Spread::setModified(bool modified) {
    if (m_created)
        m_model->setOption(kOptionChanged, modified);
}

bool Vtx_Spread::isModified() const {
    return m_created && m_model->option(kOptionChanged);
}

bool Vtx_Spread::isSpreadWindowClass(const Vtx_String& className) {
    return className.startsWith("SPR32", false) || className.startsWith("fpSpr", false);
}

void Vtx_Spread::setDefaultFont(const Vtx_String& name, int height) {
    m_fontName = name;
    m_fontHeight = height;
}

int Vtx_Spread::getMaxCols() const {
    return m_created ? m_model->maxCols() : -1;
}

int Vtx_Spread::getMaxRows() const {
    return m_created ? m_model->maxRows() : -1;
}

bool Vtx_Spread::inRange(int column, int row) const {
    return m_created && column >= 0 && row >= 0 && column <= m_model->maxCols() &&
           row <= m_model->maxRows();
}

bool Vtx_Spread::copyFormat(bool rows, int from, int to) {
    int count = rows ? m_model->maxCols() : m_model->maxRows();
    for (int i = 0; i <= count; ++i) {
        int col = rows ? i : from;
        int row = rows ? from : i;
        CellRange target = rows ? CellRange::cell(i, to) : CellRange::cell(to, i);
        m_model->setStyle(target, m_model->style(col, row));
    }
    return true;
}

// Headers of the band from..to get the bold default font, body cells the
// normal one; a grid that had no band before gets all its headers styled.
bool Vtx_Spread::styleBand(bool columns, int from, int to) {
    if (from < 1)
        return styleHeaders() && resetFonts();
    const int cols = m_model->maxCols();
    const int rows = m_model->maxRows();
    if (columns) {
        setRangeFont(from, 0, to, 0, m_fontName, m_fontHeight, true);
        return rows < 1 || setRangeFont(from, 1, to, rows, m_fontName, m_fontHeight, false);
    }
    setRangeFont(0, from, 0, to, m_fontName, m_fontHeight, true);
    return cols < 1 || setRangeFont(1, from, cols, to, m_fontName, m_fontHeight, false);
}

bool Vtx_Spread::grow(bool columns, int count, bool keepStyle) {
    if (!m_created || count < 0)
        return false;
    const int old = columns ? m_model->maxCols() : m_model->maxRows();
    if (!(columns ? m_model->setMaxCols(count) : m_model->setMaxRows(count)))
        return false;
    if (count <= old)
        return true;
    if (keepStyle && old >= 1)
        for (int i = old + 1; i <= count; ++i)
            copyFormat(!columns, old, i);
    return styleBand(columns, old, count);
}

bool Vtx_Spread::setMaxCols(int count, bool keepStyle) {
    return grow(true, count, keepStyle);
}

bool Vtx_Spread::setMaxRows(int count, bool keepStyle) {
    return grow(false, count, keepStyle);
}

int Vtx_Spread::appendRow(bool copyFromAbove) {
    if (!m_created)
        return -1;
    const int row = m_model->maxRows() + 1;
    if (!setMaxRows(row, false))
        return -1;
    clearRow(row);
    styleRow(row, true);
    setModified(true);
    if (copyFromAbove && row > 1)
        m_model->copyRange({0, row - 1, m_model->maxCols(), row - 1}, 0, row);
    return row;
}

bool Vtx_Spread::insertLine(bool rows, int index, bool askHeader, bool copyFormatting) {
    const int count = rows ? m_model->maxRows() : m_model->maxCols();
    if (!m_created || index < 1 || index > count + 1)
        return false;
    if (!(rows ? m_model->setMaxRows(count + 1) : m_model->setMaxCols(count + 1)))
        return false;
    if (!(rows ? m_model->insertRows(index, 1) : m_model->insertCols(index, 1))) {
        // Refused (the grid is being recalculated): the new last line is
        // still empty, and taking it away leaves the grid as it was.
        if (rows)
            m_model->setMaxRows(count);
        else
            m_model->setMaxCols(count);
        return false;
    }
    if (rows)
        styleRow(index, true);
    else
        styleColumn(index, true);
    setModified(true);
    if (copyFormatting && index <= count)
        copyFormat(rows, index + 1, index);
    if (askHeader && m_dialog) {
        Vtx_String text = dialString(171);
        const Vtx_String prompt = dialString(1151) + " " + dialString(rows ? 1152 : 1153) + ":";
        if (m_dialog->askText(dialString(1150), prompt, text))
            m_model->setData(rows ? 0 : index, rows ? index : 0, text.view());
    }
    return true;
}

bool Vtx_Spread::insertRow(int row, bool askHeader, bool copyFromBelow) {
    return insertLine(true, row, askHeader, copyFromBelow);
}

bool Vtx_Spread::insertColumn(int column, bool askHeader, bool copyFromRight) {
    return insertLine(false, column, askHeader, copyFromRight);
}

bool Vtx_Spread::deleteLine(bool rows, int index) {
    const int count = rows ? m_model->maxRows() : m_model->maxCols();
    if (!m_created || index < 1 || index > count)
        return false;
    if (!(rows ? m_model->deleteRows(index, 1) : m_model->deleteCols(index, 1)))
        return false;
    if (rows)
        m_model->setMaxRows(count - 1);
    else
        m_model->setMaxCols(count - 1);
    setModified(true);
    return true;
}

bool Vtx_Spread::deleteRow(int row) {
    return deleteLine(true, row);
}

bool Vtx_Spread::deleteColumn(int column) {
    return deleteLine(false, column);
}

bool Vtx_Spread::moveRows(int first, int last, int to) {
    if (!m_created)
        return false;
    const int rows = m_model->maxRows();
    const int n = last - first + 1;
    if (first < 1 || last < first || last > rows || to < 1 || to + n - 1 > rows)
        return false;
    int activeColumn = 1;
    int activeRow = 1;
    getActiveCell(activeColumn, activeRow);
    if (to != first) {
        // Empty rows are opened where the block goes, the block is moved into
        // them and its old rows are deleted: the rows in between close up.
        const int cols = m_model->maxCols();
        m_model->setMaxRows(rows + n);
        const int gap = to < first ? to : to + n;
        const int source = to < first ? first + n : first;
        bool ok = m_model->insertRows(gap, n) &&
                  m_model->moveRange({0, source, cols, source + n - 1}, 0, gap) &&
                  m_model->deleteRows(source, n);
        m_model->setMaxRows(rows);
        if (!ok)
            return false;
    }
    selectRange(activeColumn, to, activeColumn, to);
    setActiveCell(activeColumn, to);
    setModified(true);
    return true;
}

bool Vtx_Spread::moveRowUp() {
    int column = 0;
    int row = 0;
    if (!getActiveCell(column, row) || row <= 1)
        return false;
    return moveRows(row, row, row - 1);
}

bool Vtx_Spread::moveRowDown() {
    int column = 0;
    int row = 0;
    if (!getActiveCell(column, row) || row >= getMaxRows())
        return false;
    return moveRows(row, row, row + 1);
}

bool Vtx_Spread::setRefStyle(int style) {
    if (!m_created || style < 0 || style > 2)
        return false;
    m_model->setRefStyle(static_cast<vtx::sheet::RefStyle>(style));
    return true;
}

bool Vtx_Spread::setOption(int number, bool on) {
    return m_created && m_model->setOption(number, on);
}

bool Vtx_Spread::getOption(int number) const {
    return m_created && m_model->option(number);
}

bool Vtx_Spread::addCustomFunction(const Vtx_String& name, int minArgs, int maxArgs,
                                   vtx::sheet::CustomFunctionHandler handler, unsigned flags,
                                   const vtx::sheet::AddressArguments& addresses) {
    return m_created && m_model->addCustomFunction(name.view(), minArgs, maxArgs,
                                                   std::move(handler), flags, addresses);
}

bool Vtx_Spread::loadFile(const Vtx_String& path, Vtx_String* reason) {
    if (!m_created) {
        if (reason)
            *reason = "the grid is not created";
        return false;
    }
    std::string why;
    bool ok = m_model->load(path.str(), &why);
    if (!ok && reason)
        *reason = why;
    if (ok)
        m_fileFolder = corePath(nativePath(path).parent_path());
    return ok;
}

bool Vtx_Spread::loadText(std::string_view bytes, const Vtx_String& name, Vtx_String* reason) {
    if (!m_created) {
        if (reason)
            *reason = "the grid is not created";
        return false;
    }
    std::string why;
    bool ok = m_model->loadFromText(bytes, name.str(), &why);
    if (!ok && reason)
        *reason = why;
    return ok;
}

bool Vtx_Spread::copyGrid(const vtx::sheet::SheetModel& sheet, Vtx_String* reason) {
    if (!m_created || !m_model->copyFrom(sheet)) {
        if (reason)
            *reason = m_created ? "the grid is being recalculated" : "the grid is not created";
        return false;
    }
    return true;
}

bool Vtx_Spread::saveFile(const Vtx_String& path, Vtx_String* reason) const {
    if (!m_created) {
        if (reason)
            *reason = "the grid is not created";
        return false;
    }
    std::string why;
    bool ok = m_model->save(path.str(), &why);
    if (!ok && reason)
        *reason = why;
    if (ok)
        m_fileFolder = corePath(nativePath(path).parent_path());
    return ok;
}

bool Vtx_Spread::reset() {
    if (!m_created)
        return false;
    m_model->reset();
    return true;
}
