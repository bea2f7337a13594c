#include "spread/export/XlsxPageSetup.h"

#include "platform/core/Files.h"
#include "spread/PrintSettings.h"
#include "spread/export/PictureSize.h"

#include <string>

namespace {

constexpr double kMillimetresPerInch = 25.4;
/// The longest page header or footer a worksheet holds.
constexpr std::size_t kMaxHeaderLength = 255;
/// Room each text of a header may take, so that the three fit.
constexpr std::size_t kMaxHeaderText = 110;

// A text of a page header: "&" starts a code there, so it is doubled.
std::string headerText(const Vtx_String& text) {
    std::string utf8 = toUtf8(text.view());
    if (utf8.size() > kMaxHeaderText) {
        utf8.resize(kMaxHeaderText);
        // Not in the middle of a character.
        while (!utf8.empty() && (static_cast<unsigned char>(utf8.back()) & 0xC0) == 0x80)
            utf8.pop_back();
        if (!utf8.empty() && static_cast<unsigned char>(utf8.back()) >= 0xC0)
            utf8.pop_back();
    }
    std::string out;
    for (char c : utf8) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

Vtx_String variable(const KsPrintSettings& settings, const char* name) {
    const int index = settings.variableNames().find(name, false);
    return index >= 0 ? settings.variableValues()[index] : Vtx_String();
}

// The header or footer picture to place: its file, or "" (with a warning
// when one is named but cannot be used).
std::string pagePicture(const Vtx_String& stored, const char* where, const ExportOptions& options,
                        ExportSummary& summary) {
    if (stored.isEmpty())
        return {};
    const Vtx_String file = KsPrintSettings::resolvePicture(options.referenceFile, stored);
    int width = 0;
    int height = 0;
    if (!fileExists(file)) {
        summary.warnings.append(Vtx_String(where) + " picture not found: " + file);
        return {};
    }
    if (!pictureSize(file, width, height)) {
        summary.warnings.append(Vtx_String(where) +
                                " picture left out (not a readable BMP, PNG, JPEG or GIF "
                                "picture): " +
                                file);
        return {};
    }
    return nativePath(file).string();
}

} // namespace

std::string xlsxPageHeader(const Vtx_String& title, const Vtx_String& date, bool pictureLeft) {
    std::string header = "&L" + (pictureLeft ? std::string("&G") : headerText(title));
    if (pictureLeft && !title.isEmpty())
        header += "&C" + headerText(title);
    if (!date.isEmpty())
        header += "&R" + headerText(date);
    return header.size() <= kMaxHeaderLength ? header : header.substr(0, kMaxHeaderLength);
}

void applyXlsxPageSetup(lxw_workbook* workbook, lxw_worksheet* sheet,
                        const vtx::sheet::SheetModel& model, const ExportOptions& options,
                        const ExportLayout& layout, ExportSummary& summary) {
    KsPrintSettings settings;
    if (!exportPrintSettings(model, settings))
        return;
    worksheet_set_margins(sheet, settings.marginLeft() / kMillimetresPerInch,
                          settings.marginRight() / kMillimetresPerInch,
                          settings.marginTop() / kMillimetresPerInch,
                          settings.marginBottom() / kMillimetresPerInch);
    worksheet_gridlines(sheet, settings.cellSeparators() ? LXW_SHOW_ALL_GRIDLINES
                                                         : LXW_SHOW_SCREEN_GRIDLINES);
    if (settings.colHeader() && layout.headerRow) {
        const auto row = static_cast<lxw_row_t>(layout.fileRow(0));
        worksheet_repeat_rows(sheet, row, row);
    }

    const Vtx_String title = variable(settings, "Title");
    std::string headerPicture = pagePicture(settings.headerFile(), "header", options, summary);
    std::string footerPicture = pagePicture(settings.footerFile(), "footer", options, summary);
    lxw_header_footer_options headerOptions{};
    headerOptions.image_left = headerPicture.empty() ? nullptr : headerPicture.data();
    const std::string header =
        xlsxPageHeader(title, variable(settings, "Date"), !headerPicture.empty());
    if (worksheet_set_header_opt(sheet, header.c_str(), &headerOptions) != LXW_NO_ERROR)
        summary.warnings.append("the page header is left out");
    lxw_header_footer_options footerOptions{};
    footerOptions.image_left = footerPicture.empty() ? nullptr : footerPicture.data();
    const std::string footer =
        (footerPicture.empty() ? "" : "&L&G") + std::string("&CPage &P of &N");
    if (worksheet_set_footer_opt(sheet, footer.c_str(), &footerOptions) != LXW_NO_ERROR)
        summary.warnings.append("the page footer is left out");

    // The variables go along as document properties, the title as the title.
    std::string titleText = toUtf8(title.view());
    lxw_doc_properties properties{};
    properties.title = titleText.empty() ? nullptr : titleText.data();
    workbook_set_properties(workbook, &properties);
    for (int i = 0; i < settings.variableNames().length(); ++i) {
        const std::string name = toUtf8(settings.variableNames()[i].view());
        const std::string value = toUtf8(settings.variableValues()[i].view());
        if (!name.empty() && !value.empty())
            workbook_set_custom_property_string(workbook, name.c_str(), value.c_str());
    }
}
