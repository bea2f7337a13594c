#include "spread/ExportCsv.h"

#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"

#include <algorithm>
#include <charconv>
#include <cmath>

using vtx::sheet::CellSpan;
using vtx::sheet::SheetModel;
using vtx::sheet::TextForm;

namespace {

void appendField(std::string& out, const std::string& text) {
    const std::string utf8 = toUtf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
        out += utf8;
        return;
    }
    out += '"';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// A number with all its digits: the shortest text that reads back as it.
std::string rawNumber(double number) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

// The text of a cell as the export writes it: as shown, or with --raw the
// number itself.
void cellText(const SheetModel& model, int column, int row, bool raw, std::string& text) {
    if (raw) {
        const vtx::sheet::Value value = model.value(column, row);
        if (value.isNumber() && std::isfinite(value.asNumber())) {
            text = rawNumber(value.asNumber());
            return;
        }
    }
    model.getText(column, row, TextForm::Value, text);
}

// The cells a merged range covers besides its first one show nothing.
bool isCoveredBySpan(const SheetModel& model, int column, int row) {
    CellSpan span;
    return model.getSpan(column, row, span) && (span.col != column || span.row != row);
}

} // namespace

std::string sheetToCsv(const SheetModel& model, const ExportOptions& options,
                       ExportSummary* summary) {
    const ExportLayout layout = exportLayout(model, options);
    ExportSummary counts;
    // Every record has the same number of fields: the header data needs two.
    const int fields =
        layout.headerData.empty() ? layout.lastColumn : std::max(layout.lastColumn, 2);
    counts.columns = fields;
    std::string out;
    for (const auto& [name, value] : layout.headerData) {
        appendField(out, name.str());
        out += ',';
        appendField(out, value.str());
        out.append(static_cast<std::size_t>(fields - 2), ',');
        out += "\r\n";
        ++counts.rows;
        ++counts.headerData;
    }
    if (!layout.headerData.empty()) {
        out.append(static_cast<std::size_t>(fields - 1), ',');
        out += "\r\n";
        ++counts.rows;
    }
    std::string text;
    const int firstRow = layout.headerRow ? 0 : 1;
    for (int row = firstRow; row <= layout.lastRow; ++row) {
        for (int column = 1; column <= fields; ++column) {
            if (column > 1)
                out += ',';
            text.clear();
            if (column <= layout.lastColumn && row == 0)
                model.getText(column, row, TextForm::Data, text);
            else if (column <= layout.lastColumn && !isCoveredBySpan(model, column, row))
                cellText(model, column, row, options.rawNumbers, text);
            if (!text.empty() && row > 0)
                ++counts.cells;
            appendField(out, text);
        }
        out += "\r\n";
        ++counts.rows;
        if (options.progress)
            options.progress(row - firstRow + 1, layout.lastRow - firstRow + 1);
    }
    if (summary)
        *summary = counts;
    return out;
}

ErrorStatus exportSheetToCsv(const SheetModel& model, const Vtx_String& path,
                             const ExportOptions& options, ExportSummary* summary,
                             Vtx_String* reason) {
    const std::string csv = sheetToCsv(model, options, summary);
    const ErrorStatus status = writeFileAtomically(path, csv);
    if (status != eOk && reason)
        *reason = path + ": cannot be written (" + errorStatusWords(status) + ")";
    return status;
}
