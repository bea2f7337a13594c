#include "spread/ExportCsv.h"

#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"

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
    counts.columns = layout.lastColumn;
    std::string out;
    std::string text;
    for (int row = layout.headerRow ? 0 : 1; row <= layout.lastRow; ++row) {
        for (int column = 1; column <= layout.lastColumn; ++column) {
            if (column > 1)
                out += ',';
            text.clear();
            if (row == 0)
                model.getText(column, row, TextForm::Data, text);
            else if (!isCoveredBySpan(model, column, row))
                model.getText(column, row, TextForm::Value, text);
            if (!text.empty() && row > 0)
                ++counts.cells;
            appendField(out, text);
        }
        out += "\r\n";
        ++counts.rows;
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
        *reason = path + ": cannot be written (" + errorStatusText(status) + ")";
    return status;
}
