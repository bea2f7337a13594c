#include "spread/ExportSheet.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/sheet/SheetModel.h"
#include "spread/PrintSettings.h"
#include "spread/PrintSettingsStore.h"
#include "spread/VtxSpread.h"

#include <algorithm>
#include <string>

using vtx::sheet::CellKind;
using vtx::sheet::CellType;
using vtx::sheet::PictureStyle;
using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;

namespace {

bool isPictureFileCell(const SheetModel& model, int column, int row) {
    const CellType type = model.cellType(column, row);
    return type.kind == CellKind::Picture && type.pictureStyle == PictureStyle::File &&
           !type.text.empty();
}

bool isAbsolute(const Vtx_String& path) {
    const char first = path.at(0);
    return path.find(':') >= 0 || first == '\\' || first == '/';
}

// The folder part of a core path, with its closing separator ("" for none).
Vtx_String folderOf(const Vtx_String& path) {
    int cut = -1;
    for (int i = 0; i < path.length(); ++i)
        if (path.at(i) == '\\' || path.at(i) == '/')
            cut = i;
    return path.left(cut + 1);
}

} // namespace

ExportOptions exportOptionsFor(const Vtx_Spread& grid) {
    ExportOptions options;
    if (!grid.defaultFontName().isEmpty())
        options.defaultFontName = grid.defaultFontName();
    if (grid.defaultFontHeight() > 0)
        options.defaultFontHeight = grid.defaultFontHeight();
    return options;
}

ExportLayout exportLayout(const SheetModel& model, const ExportOptions& options) {
    ExportLayout layout;
    const int columns = std::max(model.maxCols(), 0);
    const int rows = std::max(model.maxRows(), 0);
    // Only the cells that exist: a small file may declare a huge grid.
    for (const vtx::sheet::CellPos& p : model.usedCells({1, 1, columns, rows}))
        if (!model.value(p.col, p.row).isEmpty() || isPictureFileCell(model, p.col, p.row)) {
            layout.lastColumn = std::max(layout.lastColumn, p.col);
            layout.lastRow = std::max(layout.lastRow, p.row);
        }
    for (const auto& span : model.spans()) {
        if (span.col < 1 || span.row < 1)
            continue;
        layout.lastColumn =
            std::max(layout.lastColumn, std::min(span.col + span.cols - 1, columns));
        layout.lastRow = std::max(layout.lastRow, std::min(span.row + span.rows - 1, rows));
    }
    if (options.columnHeaders) {
        std::string text;
        for (int column = 1; column <= columns; ++column)
            if (model.getText(column, 0, TextForm::Data, text) && !text.empty()) {
                layout.headerRow = true;
                layout.lastColumn = std::max(layout.lastColumn, column);
            }
    }
    KsPrintSettings settings;
    if (options.headerData && exportPrintSettings(model, settings))
        for (int i = 0; i < settings.variableNames().length(); ++i)
            layout.headerData.emplace_back(settings.variableNames()[i],
                                           settings.variableValues()[i]);
    return layout;
}

bool exportPrintSettings(const SheetModel& model, KsPrintSettings& settings) {
    settings.setDefaults();
    std::string tag;
    if (!model.getText(0, 0, TextForm::Tag, tag) || tag.empty())
        return false;
    KsSettingsStore store;
    store.fromText(tag, "sheet tag");
    if (store.isEmpty())
        return false;
    settings.readFromStore(store);
    return true;
}

Vtx_String exportSheetName(const SheetModel& model, const ExportOptions& options) {
    constexpr int kMaxSheetName = 31;
    Vtx_String name = options.sheetName;
    KsPrintSettings settings;
    if (name.isEmpty() && exportPrintSettings(model, settings)) {
        const int title = settings.variableNames().find("Title", false);
        if (title >= 0)
            name = settings.variableValues()[title];
    }
    if (name.trimmed().isEmpty() && !options.referenceFile.isEmpty()) {
        const Vtx_String file = options.referenceFile.mid(folderOf(options.referenceFile).length());
        name = changeExtension(file, "");
    }
    std::string text = name.trimmed().str();
    for (char& c : text)
        if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 0x20)
            c = '_';
    while (!text.empty() && text.front() == '\'')
        text.erase(0, 1);
    if (text.size() > static_cast<std::size_t>(kMaxSheetName))
        text.resize(static_cast<std::size_t>(kMaxSheetName));
    while (!text.empty() && (text.back() == '\'' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? Vtx_String("Sheet1") : Vtx_String(text);
}

Vtx_String exportCellName(int column, int row) {
    return getAlfabet(column > 0 ? column - 1 : 0) + Vtx_String::fromInt(row);
}

Vtx_String exportPicturePath(const SheetModel& model, int column, int row,
                             const ExportOptions& options, bool& found) {
    found = false;
    if (!isPictureFileCell(model, column, row))
        return {};
    const Vtx_String name = model.cellType(column, row).text;
    if (isAbsolute(name)) {
        found = fileExists(name);
        return name;
    }
    // Beside the sheet file first: a sheet file named without a folder lies
    // in the current folder, where the name alone is looked up.
    Vtx_StringArray folders;
    if (!options.referenceFile.isEmpty())
        folders.append(folderOf(options.referenceFile));
    for (const Vtx_String& folder : {gSettings.libDir, gSettings.vtxDir})
        if (!folder.isEmpty())
            folders.append(folder);
    for (const Vtx_String& folder : folders) {
        if (fileExists(folder + name)) {
            found = true;
            return folder + name;
        }
    }
    return name;
}
