// KsSSBillOutput: writing rows, their cell types and the parts' pictures.
#include "platform/core/Files.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/BillOutput.h"
#include "spread/VtxSpread.h"

#include <algorithm>

using vtx::sheet::BorderSide;
using vtx::sheet::CellRange;
using vtx::sheet::CellSpan;
using vtx::sheet::CellType;
using vtx::sheet::PictureStyle;

namespace {

// The marker cell's right edge is drawn in the cell background, so that no
// grid line runs between the marker and the part's picture.
constexpr BorderSide kMarkerEdge{1, 0xFFFFFF};

} // namespace

void KsSSBillOutput::addRow(const Vtx_StringArray& texts, const Vtx_String& pictureFile) {
    Vtx_Spread* grid = getSSPointer();
    if (!grid)
        return;
    if (texts.length() > grid->getMaxCols())
        grid->setMaxCols(texts.length(), true);
    const int row = nextRow();
    if (row < 1)
        return;
    setRowProperties(row);
    writeTexts(row, texts);
    if (!pictureFile.isEmpty() && fileExists(pictureFile))
        addPicture(pictureFile);
}

// Advances to the next row, growing the grid by kBillRowStep rows (cleared)
// when it runs out; new rows take the style of the last row. 0 when the grid
// cannot grow.
int KsSSBillOutput::nextRow() {
    Vtx_Spread* grid = getSSPointer();
    vtx::sheet::SheetModel* model = grid->model();
    const int row = m_currentRow + 1;
    const int old = grid->getMaxRows();
    if (row > old) {
        if (row > vtx::sheet::kMaxRows) {
            if (!m_full)
                hostPrintf("*Error* The bill has more rows than a grid holds (%d); the rest "
                           "is left out.\n",
                           vtx::sheet::kMaxRows);
            m_full = true;
            return 0;
        }
        const int count = std::min(row + kBillRowStep, vtx::sheet::kMaxRows);
        const int columns = grid->getMaxCols();
        if (old < 1) {
            if (!grid->setMaxRows(count, true))
                return 0;
        } else {
            // One style per column for the whole band: the grid's own growth
            // styles cell by cell, several times over.
            if (!model->setMaxRows(count))
                return 0;
            for (int c = 0; c <= columns; ++c)
                model->setStyle({c, old + 1, c, count}, model->style(c, old));
        }
        if (columns >= 1)
            model->clearRange({1, row, columns, count});
    }
    m_currentRow = row;
    return row;
}

// The cell type of each coded column, and for every cell of the row no
// border, no colours and no span starting there: rows added when the grid
// grows take the style of the last row, which may be a sub-total's.
void KsSSBillOutput::setRowProperties(int row) {
    Vtx_Spread* grid = getSSPointer();
    vtx::sheet::SheetModel* model = grid->model();
    const int columns = grid->getMaxCols();
    for (int c = 1; c <= columns; ++c) {
        const vtx::sheet::CellStyle before = model->style(c, row);
        vtx::sheet::CellStyle style = before;
        switch (c <= m_rowProperties.length() ? m_rowProperties[c - 1] : 0) {
        case kBillWholeNumber:
        case kBillOneDecimal:
            style.type = CellType::number(vtx::sheet::NumberStyle::Plain,
                                          m_rowProperties[c - 1] == kBillWholeNumber ? 0 : 1,
                                          -kBillNumberLimit, kBillNumberLimit);
            break;
        case kBillText:
            style.type = CellType::edit(kBillTextLength, kEditStyleDefault);
            break;
        default:
            break;
        }
        for (BorderSide& side : style.borders)
            side = BorderSide{};
        style.backColor = vtx::sheet::kDefaultColor;
        style.foreColor = vtx::sheet::kDefaultColor;
        // Rows added by growth mostly have the style already.
        if (!(style == before))
            model->setStyle(CellRange::cell(c, row), style);
        CellSpan span;
        if (!model->spans().empty() && model->getSpan(c, row, span) && span.col == c &&
            span.row == row)
            model->removeSpan(c, row);
    }
}

// Writes the texts as values; the row's height follows its tallest text.
void KsSSBillOutput::writeTexts(int row, const Vtx_StringArray& texts) {
    Vtx_Spread* grid = getSSPointer();
    vtx::sheet::SheetModel* model = grid->model();
    for (int i = 0; i < texts.length(); ++i) {
        if (grid->setCellValue(i + 1, row, texts[i]))
            continue;
        // A text in a number column (a label on a sub-total line): the cell
        // becomes a text cell rather than losing what it was given.
        grid->setEditCells(i + 1, row, i + 1, row, kEditStyleDefault, kBillTextLength);
        grid->setCellValue(i + 1, row, texts[i]);
    }
    // Measured once the texts are in: an empty row keeps its height.
    const double height = model->maxTextRowHeight(row);
    if (height > 0)
        model->setRowHeight(row, height);
}

// The picture row below the part's row: a marker in column 1 and the picture
// spanning the other columns, as high as the picture.
void KsSSBillOutput::addPicture(const Vtx_String& pictureFile) {
    Vtx_Spread* grid = getSSPointer();
    std::string bytes;
    int width = 0;
    int height = 0;
    if (readFileBytes(pictureFile, bytes) != eOk || !bitmapSizeFromBytes(bytes, width, height))
        return;
    if (grid->getMaxCols() < 2)
        grid->setMaxCols(2, true);
    const int row = nextRow();
    if (row < 1)
        return;
    vtx::sheet::SheetModel* model = grid->model();
    const int columns = grid->getMaxCols();
    if (columns > 2)
        model->addSpan(2, row, columns - 1, 1);
    model->setRowHeight(row, height / grid->measure().pixelsPerHeightUnit());
    model->setBorder(CellRange::cell(1, row), vtx::sheet::kBorderRight, kMarkerEdge);
    // The grid keeps the picture itself; it is written beside the bill when
    // the bill is saved, under a name relative to the bill's folder.
    const Vtx_String name = pictureFolderName(m_billFile) + "\\part" +
                            Vtx_String::fromInt(static_cast<long long>(m_pictures.size()) + 1) +
                            ".bmp";
    m_pictures[name.str()] = std::move(bytes);
    model->setCellType(CellRange::cell(2, row), CellType::picture(name.str(), PictureStyle::File));
    model->setCellType(CellRange::cell(1, row),
                       CellType::picture(std::to_string(kBillPictureMarker), PictureStyle::Bitmap));
}
