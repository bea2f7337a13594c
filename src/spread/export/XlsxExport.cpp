#include "spread/export/XlsxExport.h"

#include "platform/core/Files.h"
#include "platform/core/StringUtils.h"
#include "platform/sheet/SheetModel.h"
#include "spread/export/PictureSize.h"
#include "spread/export/XlsxFormats.h"
#include "spread/export/XlsxPageSetup.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

using vtx::sheet::CellKind;
using vtx::sheet::CellSpan;
using vtx::sheet::CellStyle;
using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;
using vtx::sheet::Value;

namespace {

constexpr int kXlsxMaxRows = 1048576;
constexpr int kXlsxMaxColumns = 16384;
/// The grid's row height when none is set, in points.
constexpr double kDefaultRowHeight = 12.0;
/// The widest column (characters) and the highest row (points) a worksheet has.
constexpr double kMaxColumnWidth = 255.0;
constexpr double kMaxRowHeight = 409.0;

// Writes the cells, sizes, merges and pictures of one worksheet.
class SheetWriter {
public:
    SheetWriter(const SheetModel& model, const ExportOptions& options, lxw_workbook* workbook,
                lxw_worksheet* sheet, ExportSummary& summary)
        : m_model(model), m_options(options), m_sheet(sheet), m_formats(workbook, options),
          m_summary(summary) {}

    bool write(const ExportLayout& layout, Vtx_String& why) {
        m_layout = layout;
        m_summary.columns = m_layout.lastColumn;
        m_summary.rows = m_layout.fileRow(m_layout.lastRow) + 1;
        if (m_layout.lastRow == 0 && m_layout.headerRow)
            m_summary.rows = m_layout.dataRows() + 1;
        writeSizes();
        if (!writeHeaderData(why))
            return false;
        const int firstRow = m_layout.headerRow ? 0 : 1;
        for (int row = firstRow; row <= m_layout.lastRow; ++row) {
            for (int column = 1; column <= m_layout.lastColumn; ++column)
                if (!writeCell(column, row, why))
                    return false;
            if (m_options.progress)
                m_options.progress(row - firstRow + 1, m_layout.lastRow - firstRow + 1);
        }
        if (!writeMerges(why))
            return false;
        if (m_layout.headerRow)
            worksheet_freeze_panes(m_sheet, static_cast<lxw_row_t>(m_layout.fileRow(0) + 1), 0);
        return true;
    }

private:
    static bool hasFrameOrFill(const CellStyle& style) {
        if (style.backColor != vtx::sheet::kDefaultColor)
            return true;
        for (const vtx::sheet::BorderSide& side : style.borders)
            if (side.style != 0)
                return true;
        return false;
    }
    static lxw_row_t asRow(int row) { return static_cast<lxw_row_t>(row); }
    static lxw_col_t asColumn(int column) { return static_cast<lxw_col_t>(column - 1); }

    // The sheet's header data above the table: the name (bold) in the first
    // column, the value as text in the second.
    bool writeHeaderData(Vtx_String& why) {
        CellStyle nameStyle;
        nameStyle.font.bold = true;
        lxw_format* nameFormat = m_formats.get(nameStyle);
        lxw_format* valueFormat = m_formats.get(CellStyle());
        lxw_row_t row = 0;
        for (const auto& [name, value] : m_layout.headerData) {
            if (failed(worksheet_write_string(m_sheet, row, 0, toUtf8(name.view()).c_str(),
                                              nameFormat),
                       1, 0, why) ||
                failed(worksheet_write_string(m_sheet, row, 1, toUtf8(value.view()).c_str(),
                                              valueFormat),
                       2, 0, why))
                return false;
            ++row;
            ++m_summary.headerData;
        }
        return true;
    }

    void writeSizes() {
        worksheet_set_default_row(m_sheet, kDefaultRowHeight, LXW_FALSE);
        for (int column = 1; column <= m_layout.lastColumn; ++column)
            worksheet_set_column(m_sheet, asColumn(column), asColumn(column),
                                 std::clamp(m_model.columnWidth(column), 0.0, kMaxColumnWidth),
                                 nullptr);
        for (int row = m_layout.headerRow ? 0 : 1; row <= m_layout.lastRow; ++row) {
            const double height = m_model.rowHeight(row);
            if (height >= 0 && height != kDefaultRowHeight)
                worksheet_set_row(m_sheet, asRow(m_layout.fileRow(row)),
                                  std::min(height, kMaxRowHeight), nullptr);
        }
    }

    bool failed(lxw_error error, int column, int row, Vtx_String& why) {
        if (error == LXW_NO_ERROR)
            return false;
        why = exportCellName(column, row) + ": " + lxw_strerror(error);
        return true;
    }

    bool writeText(int column, int row, std::string text, lxw_format* format, Vtx_String& why) {
        if (text.size() > static_cast<std::size_t>(kXlsxMaxTextLength)) {
            text.resize(static_cast<std::size_t>(kXlsxMaxTextLength));
            m_summary.warnings.append(exportCellName(column, row) + ": text cut to " +
                                      Vtx_String::fromInt(kXlsxMaxTextLength) + " characters");
        }
        return !failed(worksheet_write_string(m_sheet, asRow(m_layout.fileRow(row)),
                                              asColumn(column), toUtf8(text).c_str(), format),
                       column, row, why);
    }

    bool writeCell(int column, int row, Vtx_String& why, bool withPicture = true) {
        CellSpan span;
        if (m_model.getSpan(column, row, span) && (span.col != column || span.row != row))
            return true;
        if (row == 0) {
            std::string header;
            m_model.getText(column, 0, TextForm::Data, header);
            return header.empty() ||
                   writeText(column, row, header, m_formats.get(m_model.style(column, row)), why);
        }
        const Value value = m_model.value(column, row);
        const CellStyle style = m_model.style(column, row);
        if (withPicture && style.type.kind == CellKind::Picture)
            writePicture(column, row);
        if (value.isEmpty()) {
            // An empty cell still shows its frame and its background.
            if (!hasFrameOrFill(style))
                return true;
            return !failed(worksheet_write_blank(m_sheet, asRow(m_layout.fileRow(row)),
                                                 asColumn(column), m_formats.get(style)),
                           column, row, why);
        }
        lxw_format* format = m_formats.get(style);
        const lxw_row_t fileRow = asRow(m_layout.fileRow(row));
        lxw_error error = LXW_NO_ERROR;
        switch (value.type()) {
        case vtx::sheet::ValueType::Empty:
            return true;
        case vtx::sheet::ValueType::Number:
            // The file has no way to hold an infinite or undefined number.
            if (!std::isfinite(value.asNumber())) {
                if (!writeText(column, row, "#NUM!", format, why))
                    return false;
                break;
            }
            error = worksheet_write_number(m_sheet, fileRow, asColumn(column), value.asNumber(),
                                           format);
            break;
        case vtx::sheet::ValueType::Boolean:
            error = worksheet_write_boolean(m_sheet, fileRow, asColumn(column),
                                            value.asBoolean() ? 1 : 0, format);
            break;
        case vtx::sheet::ValueType::Text:
            if (!writeText(column, row, value.asText(), format, why))
                return false;
            break;
        case vtx::sheet::ValueType::Error:
            if (!writeText(column, row, value.toText(), format, why))
                return false;
            break;
        }
        if (failed(error, column, row, why))
            return false;
        ++m_summary.cells;
        return true;
    }

    void writePicture(int column, int row) {
        bool found = false;
        const Vtx_String file = exportPicturePath(m_model, column, row, m_options, found);
        if (file.isEmpty())
            return;
        const Vtx_String cell = exportCellName(column, row);
        if (!found) {
            m_summary.warnings.append(cell + ": picture not found: " + file);
            return;
        }
        int width = 0;
        int height = 0;
        if (!pictureSize(file, width, height)) {
            m_summary.warnings.append(cell +
                                      ": picture left out (not a readable BMP, PNG, JPEG "
                                      "or GIF picture): " +
                                      file);
            return;
        }
        const std::string native = nativePath(file).string();
        const lxw_error error = worksheet_insert_image(m_sheet, asRow(m_layout.fileRow(row)),
                                                       asColumn(column), native.c_str());
        if (error != LXW_NO_ERROR)
            m_summary.warnings.append(cell + ": picture left out (" + lxw_strerror(error) +
                                      "): " + file);
        else
            ++m_summary.pictures;
    }

    bool writeMerges(Vtx_String& why) {
        for (const CellSpan& span : m_model.spans()) {
            if (span.col < 1 || span.row < 1 || (span.cols < 2 && span.rows < 2))
                continue;
            const int lastColumn = std::min(span.col + span.cols - 1, m_layout.lastColumn);
            const int lastRow = std::min(span.row + span.rows - 1, m_layout.lastRow);
            lxw_format* format = m_formats.get(m_model.style(span.col, span.row));
            // Merging writes an empty text into the first cell: its value is
            // written again afterwards.
            if (failed(worksheet_merge_range(m_sheet, asRow(m_layout.fileRow(span.row)),
                                             asColumn(span.col), asRow(m_layout.fileRow(lastRow)),
                                             asColumn(lastColumn), "", format),
                       span.col, span.row, why))
                return false;
            const int cells = m_summary.cells;
            if (!writeCell(span.col, span.row, why, false))
                return false;
            m_summary.cells = cells;
            ++m_summary.merges;
        }
        return true;
    }

    const SheetModel& m_model;
    const ExportOptions& m_options;
    lxw_worksheet* m_sheet;
    XlsxFormatCache m_formats;
    ExportSummary& m_summary;
    ExportLayout m_layout;
};

// Forces a closed file's bytes to disk before it is renamed into place.
void syncFile(const std::filesystem::path& file) {
#if defined(__unix__) || defined(__APPLE__)
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)file;
#endif
}

} // namespace

ErrorStatus exportSheetToXlsx(const SheetModel& model, const Vtx_String& path,
                              const ExportOptions& options, ExportSummary* summary,
                              Vtx_String* reason) {
    auto fail = [&](ErrorStatus status, const Vtx_String& why) {
        if (reason)
            *reason = path + ": " + why;
        return status;
    };
    const ExportLayout layout = exportLayout(model, options);
    if (layout.fileRow(layout.lastRow) >= kXlsxMaxRows || layout.lastColumn > kXlsxMaxColumns)
        return fail(eLimitExceeded, "the grid is larger than a worksheet (" +
                                        Vtx_String::fromInt(kXlsxMaxColumns) + " columns, " +
                                        Vtx_String::fromInt(kXlsxMaxRows) + " rows)");
    namespace fs = std::filesystem;
    const fs::path target = nativePath(path);
    std::error_code ec;
    if (target.filename().empty() || fs::is_directory(target, ec))
        return fail(eFileAccessErr, "not a file name");
    if (!target.parent_path().empty() && !fs::is_directory(target.parent_path(), ec))
        return fail(eFileAccessErr, "the folder does not exist");
    fs::path temp = target;
    temp += ".~" + generateRandomString(8).str() + ".tmp";

    lxw_workbook* workbook = workbook_new(temp.c_str());
    if (!workbook)
        return fail(eFileAccessErr, "cannot be written");
    ExportSummary counts;
    counts.sheetName = exportSheetName(model, options);
    lxw_worksheet* sheet =
        workbook_add_worksheet(workbook, toUtf8(counts.sheetName.view()).c_str());
    Vtx_String why;
    const bool written =
        sheet && SheetWriter(model, options, workbook, sheet, counts).write(layout, why);
    if (written)
        applyXlsxPageSetup(workbook, sheet, model, options, layout, counts);
    const lxw_error closed = workbook_close(workbook);
    if (!written || closed != LXW_NO_ERROR) {
        fs::remove(temp, ec);
        return fail(eFileAccessErr,
                    written ? Vtx_String("cannot be written (") + lxw_strerror(closed) + ")"
                            : (why.isEmpty() ? Vtx_String("cannot be written") : why));
    }
    syncFile(temp);
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return fail(eFileAccessErr, "cannot be replaced");
    }
    if (summary)
        *summary = counts;
    return eOk;
}
