// KsSSBillOutput: finishing the bill: trim, column widths, variables, saving
// with the print settings and the pictures.
#include "platform/core/Files.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/BillOutput.h"
#include "spread/PrintSettings.h"
#include "spread/VtxSpread.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr int kPictureCellType = 8;

Vtx_String folderOf(const Vtx_String& file) {
    const int slash = std::max(file.findLast('\\'), file.findLast('/'));
    return slash >= 0 ? file.left(slash + 1) : Vtx_String();
}

// The settings' text form cannot hold the byte 0xA4 (its separator), so a
// variable holding it cannot be stored: it is left out and reported, and
// the others are kept. The number left out.
int dropUnstorableVariables(Vtx_StringArray& names, Vtx_StringArray& values) {
    Vtx_StringArray keptNames;
    Vtx_StringArray keptValues;
    int lost = 0;
    for (int i = 0; i < names.length(); ++i) {
        const Vtx_String value = i < values.length() ? values[i] : Vtx_String();
        if (names[i].find(kSettingsSeparator) < 0 && value.find(kSettingsSeparator) < 0) {
            keptNames.append(names[i]);
            keptValues.append(value);
            continue;
        }
        ++lost;
        hostPrintf("*Error* The bill variable \"%s\" is left out: its name or value holds "
                   "the byte 0xA4, which the print settings use as their separator.\n",
                   names[i].c_str());
    }
    names = keptNames;
    values = keptValues;
    return lost;
}

} // namespace

void KsSSBillOutput::billVariables(Vtx_StringArray& names, Vtx_StringArray& values) const {
    names.removeAll();
    values.removeAll();
    names.append("Date");
    values.append(formatDate(m_clock ? m_clock() : std::tm{}));
    names.append("Title");
    values.append(billTitle(m_billFile));
    names.append("BillFilename");
    values.append(m_billFile);
    for (int i = 0; i < m_varNames.length(); ++i) {
        names.append(m_varNames[i]);
        values.append(i < m_varValues.length() ? m_varValues[i] : Vtx_String());
    }
}

// Every column as wide as its widest text, header included; picture cells
// do not count (their row shows the picture across the columns).
void KsSSBillOutput::fitColumnWidths() {
    Vtx_Spread* grid = getSSPointer();
    vtx::sheet::SheetModel* model = grid->model();
    const int columns = grid->getMaxCols();
    const int rows = grid->getMaxRows();
    if (columns < 1)
        return;
    model->setCellType({1, 0, columns, 0}, vtx::sheet::CellType::header());
    GridMeasure& measure = grid->measure();
    for (int c = 1; c <= columns; ++c) {
        int widest = 0;
        for (int r = 0; r <= rows; ++r) {
            if (model->cellTypeNumber(c, r) == kPictureCellType)
                continue;
            widest = std::max(widest, measure.textExtent(*model, c, r).width);
        }
        model->setColumnWidth(c, widest / measure.pixelsPerWidthUnit());
    }
}

bool KsSSBillOutput::writePictures(Vtx_String& reason) const {
    if (m_pictures.empty())
        return true;
    const Vtx_String folder = folderOf(m_billFile);
    std::error_code error;
    std::filesystem::create_directories(nativePath(folder + pictureFolderName(m_billFile)), error);
    // One batch: written beside their names, synced once, then renamed.
    std::vector<Vtx_String> paths;
    paths.reserve(m_pictures.size());
    std::vector<std::pair<Vtx_String, std::string_view>> files;
    files.reserve(m_pictures.size());
    for (const auto& [name, bytes] : m_pictures) {
        // A picture the folder holds already, as it is (the same bill made
        // again), is left alone.
        if (fileHolds(folder + Vtx_String(name), bytes))
            continue;
        paths.push_back(folder + Vtx_String(name));
        files.emplace_back(paths.back(), bytes);
    }
    Vtx_String failed;
    if (writeFilesAtomically(files, &failed) != eOk) {
        reason = failed + ": the picture cannot be written";
        return false;
    }
    return true;
}

// Once the new bill is in place, the pictures of an earlier bill of the same
// name that the new one does not show ("part<n>.bmp" in its picture folder)
// are removed: no bill refers to them any more.
void KsSSBillOutput::removeOldPictures() const {
    if (m_pictures.empty())
        return;
    const Vtx_String prefix = pictureFolderName(m_billFile) + "\\";
    const std::filesystem::path folder = nativePath(folderOf(m_billFile) + prefix);
    std::error_code error;
    std::vector<std::filesystem::path> old;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const bool made = name.size() > 8 && name.compare(0, 4, "part") == 0 &&
                          name.compare(name.size() - 4, 4, ".bmp") == 0 &&
                          name.find_first_not_of("0123456789", 4) == name.size() - 4;
        if (made && entry.is_regular_file(error) &&
            !m_pictures.count((prefix + Vtx_String(corePath(entry.path().filename()))).str()))
            old.push_back(entry.path());
    }
    for (const auto& file : old)
        std::filesystem::remove(file, error);
}

ErrorStatus KsSSBillOutput::onEndFeed() {
    if (picturesWanted())
        closeBMPDialog();
    if (!m_scratchFolder.empty()) {
        std::error_code error;
        std::filesystem::remove(m_scratchFolder, error); // only when empty
        m_scratchFolder.clear();
    }
    Vtx_Spread* grid = getSSPointer();
    if (!grid)
        return eNullPtr;
    if (m_currentRow < grid->getMaxRows())
        grid->setMaxRows(m_currentRow, true);
    fitColumnWidths();

    Vtx_StringArray names;
    Vtx_StringArray values;
    billVariables(names, values);
    const int lost = dropUnstorableVariables(names, values);
    KsPrintSettings settings;
    settings.readFromGrid(grid);
    settings.setVariables(names, values);
    Vtx_String reason;
    if (!settings.writeToGrid(grid, &reason))
        hostPrintf("*Error* %s\n", reason.c_str());

    // The parts' pictures first: a bill in place always finds its pictures,
    // whenever the writing stops.
    if (!writePictures(reason)) {
        hostPrintf("*Error* %s\n", reason.c_str());
        return eFileAccessErr;
    }
    if (!grid->saveFile(m_billFile, &reason)) {
        hostPrintf("*Error* %s\n", reason.c_str());
        return eFileAccessErr;
    }
    grid->setModified(false);
    // The carried pictures' new paths go into the file too, not only into
    // the grid: the file is what travels with them.
    if (settings.carryPicturesAlong(m_billFile) && !grid->saveFile(m_billFile, &reason)) {
        hostPrintf("*Error* %s\n", reason.c_str());
        return eFileAccessErr;
    }
    removeOldPictures();
    if (m_full)
        reportLeftOut();
    if (m_full || m_cutTexts > 0)
        return eLimitExceeded;
    return lost > 0 ? eInvalidInput : eOk;
}

void KsSSBillOutput::reportLeftOut() const {
    hostPrintf("*Error* %s was saved without %d part(s), %d sub-total(s) and %d picture(s) "
               "that did not fit in the grid.\n",
               m_billFile.c_str(), m_leftOutParts, m_leftOutSubTotals, m_leftOutPictures);
}
