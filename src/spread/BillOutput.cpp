// KsSSBillOutput: construction, init, the image options and the feed's
// callbacks. Rows are written in BillOutputRows.cpp, the bill is finished
// and saved in BillOutputFinish.cpp.
#include "spread/BillOutput.h"

#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"
#include "spread/PrintSettings.h"
#include "spread/VtxSpread.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace {

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

KsSSBillOutput::KsSSBillOutput() : m_window(std::make_unique<KsBillWindow>()), m_clock(localNow) {}

KsSSBillOutput::~KsSSBillOutput() = default;

// A copy gets a window of its own (made on first use); the fields are those
// of the assignment.
KsSSBillOutput::KsSSBillOutput(const KsSSBillOutput& other) : KsSSBillOutput() {
    *this = other;
}

KsSSBillOutput& KsSSBillOutput::operator=(const KsSSBillOutput& other) {
    if (this == &other)
        return *this;
    // The window stays with its owner: this object keeps its own.
    m_imageOptions = other.m_imageOptions;
    m_bill = other.m_bill;
    m_transaction = other.m_transaction;
    m_currentRow = other.m_currentRow;
    m_full = other.m_full;
    m_rowLimit = other.m_rowLimit;
    m_leftOutParts = other.m_leftOutParts;
    m_leftOutSubTotals = other.m_leftOutSubTotals;
    m_leftOutPictures = other.m_leftOutPictures;
    m_plainStyles = other.m_plainStyles;
    m_rowProperties = other.m_rowProperties;
    m_billFile = other.m_billFile;
    m_spare = other.m_spare;
    m_varNames = other.m_varNames;
    m_varValues = other.m_varValues;
    m_pictures = other.m_pictures;
    m_pictureNames = other.m_pictureNames;
    m_clock = other.m_clock;
    return *this;
}

Vtx_Spread* KsSSBillOutput::getSSPointer() const {
    return m_window->grid();
}

ErrorStatus KsSSBillOutput::init(const Vtx_String& billFile, const Vtx_StringArray& columnNames,
                                 const Vtx_Array<int>& /*unused*/,
                                 const Vtx_Array<int>& rowProperties,
                                 const Vtx_String& settingsName, const Vtx_StringArray& varNames,
                                 const Vtx_StringArray& varValues) {
    m_window->create();
    Vtx_Spread* grid = getSSPointer();
    if (!grid)
        return kBillNoWindow;
    // A new bill: nothing of an earlier feed stays in the grid.
    grid->reset();
    m_currentRow = 0;
    m_full = false;
    m_leftOutParts = 0;
    m_leftOutSubTotals = 0;
    m_leftOutPictures = 0;
    m_pictures.clear();
    m_pictureNames.clear();
    m_billFile = billFile;

    KsPrintSettings settings;
    settings.loadSettingsIntoGrid(grid, settingsName, true);
    // The font of the set that was loaded (the named one, or the default set
    // it fell back to) becomes the grid's default font.
    KsPrintSettings loaded;
    loaded.readFromGrid(grid);
    if (!loaded.fontName().isEmpty() && loaded.textHeight() > 0)
        grid->setDefaultFont(loaded.fontName(), loaded.textHeight());
    grid->resetFonts();
    vtx::sheet::SheetModel* model = grid->model();
    vtx::sheet::SheetAppearance& appearance = model->appearance();
    appearance.styleSetting = kBillGridSetting;
    appearance.gridColor = kBillGridColor;
    // What a cell of each column looks like before anything is written into
    // it: the settings' cells, as the first row has them now.
    m_plainStyles.clear();
    for (int c = 0; c <= grid->getMaxCols(); ++c)
        m_plainStyles.push_back(model->style(c, 1));

    m_varNames = varNames;
    m_varValues = varValues;
    grid->setMaxCols(columnNames.length(), true);
    grid->setHeaderRow(columnNames);
    m_rowProperties = rowProperties;
    return eOk;
}

void KsSSBillOutput::setVars(int width, int made, int lengthColumn, bool frame, bool colour,
                             const Vtx_Bill* bill, const Vtx_Transaction* transaction) {
    m_imageOptions = {width, made, lengthColumn, frame, colour};
    m_bill = bill;
    m_transaction = transaction;
}

ErrorStatus KsSSBillOutput::onStartFeed() {
    if (picturesWanted())
        initBMPDialog(m_imageOptions.made + 20);
    return eOk;
}

void KsSSBillOutput::onAddRow(const Vtx_StringArray& texts) {
    Vtx_String picture;
    if (picturesWanted() &&
        createImage(texts, m_imageOptions, m_bill, m_transaction, picture) != eOk)
        picture.clear();
    if (!addRow(texts, picture) && m_full)
        ++m_leftOutParts;
    if (!picture.isEmpty()) {
        std::error_code error;
        const std::filesystem::path made = nativePath(picture);
        std::filesystem::remove(made, error);
        // The maker's folder goes at the end of the feed, once it is empty:
        // not made and removed again for every part.
        m_scratchFolder = made.parent_path();
    }
}

void KsSSBillOutput::onAddSubTotals(const Vtx_StringArray& labels,
                                    const Vtx_StringArray& /*seconds*/, bool /*flag*/,
                                    int /*number*/) {
    // A sub-total that did not fit leaves the last row written alone.
    if (!addRow(labels, {})) {
        if (m_full)
            ++m_leftOutSubTotals;
        return;
    }
    Vtx_Spread* grid = getSSPointer();
    const int row = m_currentRow;
    for (int i = 0; i < labels.length() && i < grid->getMaxCols(); ++i) {
        if (labels[i].isEmpty())
            continue;
        grid->model()->setBorder(vtx::sheet::CellRange::cell(i + 1, row), vtx::sheet::kBorderAll,
                                 vtx::sheet::BorderSide{1, 0});
        grid->setCellColors(i + 1, row, kBillSubTotalBack, vtx::sheet::kDefaultColor);
    }
}

void KsSSBillOutput::setRowLimit(int rows) {
    m_rowLimit = std::clamp(rows, 1, vtx::sheet::kMaxRows);
}

Vtx_String KsSSBillOutput::billTitle(const Vtx_String& billFile) {
    const int slash = std::max(billFile.findLast('\\'), billFile.findLast('/'));
    Vtx_String name = billFile.mid(slash + 1);
    const int dot = name.findLast('.');
    if (dot > 0)
        name = name.left(dot);
    const int mark = name.findLast('\xBF');
    return mark >= 0 ? name.mid(mark + 1) : name;
}

Vtx_String KsSSBillOutput::formatDate(const std::tm& time) {
    std::array<char, 128> buffer{};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), kBillDateFormat, &time);
    return Vtx_String(std::string_view(buffer.data(), length));
}

Vtx_String KsSSBillOutput::pictureFolderName(const Vtx_String& billFile) {
    const int slash = std::max(billFile.findLast('\\'), billFile.findLast('/'));
    Vtx_String name = billFile.mid(slash + 1);
    const int dot = name.findLast('.');
    if (dot > 0)
        name = name.left(dot);
    return name + " pictures";
}
