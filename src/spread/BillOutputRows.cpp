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

bool KsSSBillOutput::addRow(const Vtx_StringArray& texts, const Vtx_String& pictureFile) {
    Vtx_Spread* grid = getSSPointer();
    if (!grid)
        return false;
    if (texts.length() > grid->getMaxCols())
        widen(texts.length());
    const int row = nextRow();
    if (row < 1)
        return false;
    startRow(row, true);
    writeTexts(row, texts);
    if (!pictureFile.isEmpty() && fileExists(pictureFile))
        addPicture(pictureFile);
    return true;
}

const vtx::sheet::CellStyle& KsSSBillOutput::plainStyle(int column) const {
    static const vtx::sheet::CellStyle kNone;
    if (m_plainStyles.empty())
        return kNone;
    // Columns added later look like the last one the settings prepared.
    return m_plainStyles[std::min(static_cast<std::size_t>(std::max(column, 0)),
                                  m_plainStyles.size() - 1)];
}

// More columns: the new ones start plain in every row, not as copies of the
// last column (which may hold a picture or a sub-total's frame).
void KsSSBillOutput::widen(int columns) {
    Vtx_Spread* grid = getSSPointer();
    const int old = grid->getMaxCols();
    if (!grid->setMaxCols(columns, true))
        return;
    vtx::sheet::SheetModel* model = grid->model();
    const int rows = grid->getMaxRows();
    if (rows >= 1)
        for (int c = old + 1; c <= columns; ++c)
            model->setStyle({c, 1, c, rows}, plainStyle(c));
}

// Advances to the next row, growing the grid by kBillRowStep rows (cleared)
// when it runs out; the new rows start plain. 0 when the grid cannot grow.
int KsSSBillOutput::nextRow() {
    Vtx_Spread* grid = getSSPointer();
    vtx::sheet::SheetModel* model = grid->model();
    const int row = m_currentRow + 1;
    if (row > m_rowLimit) {
        if (!m_full)
            hostPrintf("*Error* The bill has more rows than its grid holds (%d); the rest is "
                       "left out.\n",
                       m_rowLimit);
        m_full = true;
        return 0;
    }
    const int old = grid->getMaxRows();
    if (row > old) {
        const int count = std::min(row + kBillRowStep, m_rowLimit);
        const int columns = grid->getMaxCols();
        if (old < 1) {
            if (!grid->setMaxRows(count, true))
                return 0;
        } else {
            // One style per column for the whole band: the grid's own growth
            // styles cell by cell, several times over, and copies the last
            // row, which may be a picture's or a sub-total's.
            if (!model->setMaxRows(count))
                return 0;
            for (int c = 0; c <= columns; ++c)
                model->setStyle({c, old + 1, c, count}, plainStyle(c));
        }
        if (columns >= 1)
            model->clearRange({1, row, columns, count});
    }
    m_currentRow = row;
    return row;
}

// Every cell of the row starts plain, without a span starting there; a
// part's or a sub-total's row (coded) then gets its columns' cell types.
void KsSSBillOutput::startRow(int row, bool coded) {
    Vtx_Spread* grid = getSSPointer();
    vtx::sheet::SheetModel* model = grid->model();
    const int columns = grid->getMaxCols();
    for (int c = 1; c <= columns; ++c) {
        vtx::sheet::CellStyle style = plainStyle(c);
        switch (coded && c <= m_rowProperties.length() ? m_rowProperties[c - 1] : 0) {
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
        // Rows added by growth mostly have the style already.
        if (!(style == model->style(c, row)))
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
        if (!grid->setCellValue(i + 1, row, texts[i])) {
            // A text in a number column (a label on a sub-total line), or one
            // longer than any cell holds: the cell becomes a text cell rather
            // than losing what it was given.
            grid->setEditCells(i + 1, row, i + 1, row, kEditStyleDefault, kBillTextLength);
            grid->setCellValue(i + 1, row, texts[i]);
        }
        // An edit cell keeps the text up to its length: say what was cut.
        const vtx::sheet::CellType type = model->cellType(i + 1, row);
        if (type.kind == vtx::sheet::CellKind::Edit && type.maxLength > 0 &&
            texts[i].length() > type.maxLength) {
            ++m_cutTexts;
            hostPrintf("*Error* Bill row %d, column %d: a text of %d characters was cut to %d.\n",
                       row, i + 1, texts[i].length(), type.maxLength);
        }
    }
    // Measured once the texts are in: an empty row keeps its height.
    const double height = model->maxTextRowHeight(row);
    if (height > 0)
        model->setRowHeight(row, height);
}

// The grid keeps each picture itself; it is written beside the bill when the
// bill is saved, under a name relative to the bill's folder. A picture like
// one already taken gets that one's name: a bill of thousands of parts has
// few different bar lengths, and each file written costs far more than the
// comparison.
std::string KsSSBillOutput::pictureName(std::string bytes) {
    const std::size_t hash = std::hash<std::string>{}(bytes);
    const auto [first, last] = m_pictureNames.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (m_pictures.at(it->second) == bytes)
            return it->second;
    const std::string name =
        (pictureFolderName(m_billFile) + "\\part" +
         Vtx_String::fromInt(static_cast<long long>(m_pictures.size()) + 1) + ".bmp")
            .str();
    m_pictures.emplace(name, std::move(bytes));
    m_pictureNames.emplace(hash, name);
    return name;
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
        widen(2);
    const int row = nextRow();
    if (row < 1) {
        ++m_leftOutPictures;
        return;
    }
    startRow(row, false);
    vtx::sheet::SheetModel* model = grid->model();
    const int columns = grid->getMaxCols();
    if (columns > 2)
        model->addSpan(2, row, columns - 1, 1);
    model->setRowHeight(row, height / grid->measure().pixelsPerHeightUnit());
    model->setBorder(CellRange::cell(1, row), vtx::sheet::kBorderRight, kMarkerEdge);
    model->setCellType(CellRange::cell(2, row),
                       CellType::picture(pictureName(std::move(bytes)), PictureStyle::File));
    model->setCellType(CellRange::cell(1, row),
                       CellType::picture(std::to_string(kBillPictureMarker), PictureStyle::Bitmap));
}
