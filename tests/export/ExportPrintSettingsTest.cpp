// What the exports take from the sheet beyond its cells: the print
// settings' variables and page setup, the worksheet's name, full-precision
// CSV numbers, and stored values that a recalculation would change.
#include "XlsxReader.h"

#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"
#include "spread/ExportCsv.h"
#include "spread/PrintSettings.h"
#include "spread/PrintSettingsStore.h"
#include "spread/export/SheetExport.h"
#include "spread/export/XlsxPageSetup.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using vtx::sheet::CellRange;
using vtx::sheet::CellType;
using vtx::sheet::NumberStyle;
using vtx::sheet::SheetModel;

namespace {

// Gives the model's sheet tag the print settings a bill stores.
void setPrintSettings(SheetModel& model, const Vtx_StringArray& names,
                      const Vtx_StringArray& values) {
    KsPrintSettings settings;
    settings.setDefaults();
    settings.setMargins(12, 6, 5, 5);
    settings.setFlags(true, true, true, true, false, true);
    settings.setVariables(names, values);
    KsSettingsStore store;
    settings.writeToStore(store);
    Vtx_String text;
    ASSERT_TRUE(store.toText(text));
    ASSERT_TRUE(model.setTag(0, 0, text.view()));
}

// A two-column table with a header row and a number cell of one decimal.
void fillTable(SheetModel& model) {
    model.setMaxCols(2);
    model.setMaxRows(2);
    model.setData(1, 0, "Part");
    model.setData(2, 0, "Weight");
    model.setCellType(CellRange{2, 1, 2, 2}, CellType::number(NumberStyle::Plain, 1, -1e9, 1e9));
    model.setData(1, 1, "Plate");
    model.setNumber(2, 1, 3.25);
    model.setData(1, 2, "Bolt");
    model.setNumber(2, 2, 0.1 + 0.2);
}

TEST(ExportPrintSettings, CsvRawNumbersKeepEveryDigit) {
    SheetModel model;
    fillTable(model);
    ExportOptions options;
    EXPECT_EQ(sheetToCsv(model, options), "Part,Weight\r\nPlate,3.3\r\nBolt,0.3\r\n");
    options.rawNumbers = true;
    EXPECT_EQ(sheetToCsv(model, options),
              "Part,Weight\r\nPlate,3.25\r\nBolt,0.30000000000000004\r\n");
}

TEST(ExportPrintSettings, CsvHeaderDataComesFirstWithTheSameFieldCount) {
    SheetModel model;
    fillTable(model);
    setPrintSettings(model, {"Project", "Customer"}, {"Hall 7", "M\xFCller, K\xF6ln"});
    ExportOptions options;
    ExportSummary summary;
    EXPECT_EQ(sheetToCsv(model, options, &summary),
              "Project,Hall 7\r\nCustomer,\"M\xC3\xBCller, K\xC3\xB6ln\"\r\n,\r\n"
              "Part,Weight\r\nPlate,3.3\r\nBolt,0.3\r\n");
    EXPECT_EQ(summary.headerData, 2);
    EXPECT_EQ(summary.rows, 6);

    // A one-column table still gets two fields in every record.
    SheetModel narrow;
    narrow.setMaxCols(1);
    narrow.setMaxRows(1);
    narrow.setData(1, 1, "x");
    setPrintSettings(narrow, {"Title"}, {"Bill"});
    EXPECT_EQ(sheetToCsv(narrow, options), "Title,Bill\r\n,\r\nx,\r\n");

    options.headerData = false;
    EXPECT_EQ(sheetToCsv(model, options), "Part,Weight\r\nPlate,3.3\r\nBolt,0.3\r\n");
}

TEST(ExportPrintSettings, SheetNameFromTitleFileOrDefault) {
    SheetModel model;
    fillTable(model);
    ExportOptions options;
    EXPECT_EQ(exportSheetName(model, options), "Sheet1");
    options.referenceFile = "C:\\Bills\\Hall[7].kss";
    EXPECT_EQ(exportSheetName(model, options), "Hall_7_");
    setPrintSettings(model, {"Date", "Title"}, {"today", "'Roof: purlins/bracing, hall 7 north'"});
    // Forbidden characters replaced, quotes at the ends dropped, 31 characters.
    EXPECT_EQ(exportSheetName(model, options), "Roof_ purlins_bracing, hall 7 n");
    options.sheetName = "Given";
    EXPECT_EQ(exportSheetName(model, options), "Given");
}

TEST(ExportPrintSettings, PageHeaderEscapesAndFitsTheLimit) {
    EXPECT_EQ(xlsxPageHeader("Nuts & bolts", "7 May", false), "&LNuts && bolts&R7 May");
    EXPECT_EQ(xlsxPageHeader("Hall", "", true), "&L&G&CHall");
    const std::string header = xlsxPageHeader(Vtx_String(std::string(300, '&')), "x", false);
    EXPECT_LE(header.size(), 255u);
    EXPECT_EQ(header.find("&&&L"), std::string::npos);
}

class ExportFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("vtx_exportps_" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path folder;
};

TEST_F(ExportFiles, WorkbookCarriesTheHeaderDataAndPageSetup) {
    SheetModel model;
    fillTable(model);
    setPrintSettings(model, {"Date", "Title", "Project"}, {"7 May 2026", "Hall 7", "North & co"});
    ExportSummary summary;
    Vtx_String reason;
    ASSERT_EQ(
        exportSheet(model, corePath(folder / "b.xlsx"), ExportFormat::Xlsx, {}, &summary, &reason),
        eOk)
        << reason.str();
    xlsxtest::Workbook book;
    std::string error;
    ASSERT_TRUE(xlsxtest::readWorkbook((folder / "b.xlsx").string(), book, error)) << error;

    EXPECT_EQ(book.sheetName, "Hall 7");
    EXPECT_EQ(summary.sheetName, "Hall 7");
    // The variables above the table, then an empty row, then the table,
    // whose header row stays in view and is printed on every page.
    ASSERT_NE(book.cell("A3"), nullptr);
    EXPECT_EQ(book.cell("A3")->value, "Project");
    EXPECT_EQ(book.cell("B3")->value, "North & co");
    ASSERT_NE(book.font("A3"), nullptr);
    EXPECT_TRUE(book.font("A3")->bold);
    EXPECT_EQ(book.cell("A4"), nullptr);
    EXPECT_EQ(book.cell("A5")->value, "Part");
    EXPECT_EQ(book.cell("B6")->type, "n");
    EXPECT_EQ(book.frozenAt, "A6");
    EXPECT_EQ(book.printTitles, "'Hall 7'!$5:$5");
    // Margins in millimetres become inches; no grid lines are printed.
    EXPECT_NEAR(book.margins["left"], 12 / 25.4, 1e-6);
    EXPECT_NEAR(book.margins["right"], 6 / 25.4, 1e-6);
    EXPECT_FALSE(book.printGridLines);
    EXPECT_EQ(book.pageHeader, "&LHall 7&R7 May 2026");
    EXPECT_EQ(book.pageFooter, "&CPage &P of &N");
    EXPECT_EQ(book.title, "Hall 7");
    EXPECT_EQ(book.properties["Project"], "North & co");
}

TEST_F(ExportFiles, StaleStoredValuesAreCountedAndRecalcWritesTheNewOnes) {
    const Vtx_String sheet = corePath(fs::path(VTX_TEST_DATA) / "apps" / "stale.kss");
    ExportOptions options;
    ExportSummary summary;
    Vtx_String reason;
    ASSERT_EQ(exportSheetFile(sheet, corePath(folder / "s.csv"), ExportFormat::Csv, options,
                              &summary, &reason),
              eOk)
        << reason.str();
    // B1 was saved as 6 though A1*2 gives 6.5; B2 is up to date.
    EXPECT_EQ(read("s.csv"), "Length,Twice\r\n3.3,6.0\r\n4.0,8.0\r\n");
    EXPECT_EQ(summary.staleCells, 1);
    ASSERT_EQ(summary.staleExamples.length(), 1);
    EXPECT_EQ(summary.staleExamples[0], "B1");

    options.recalculate = true;
    ASSERT_EQ(exportSheetFile(sheet, corePath(folder / "s.csv"), ExportFormat::Csv, options,
                              &summary, &reason),
              eOk);
    EXPECT_EQ(read("s.csv"), "Length,Twice\r\n3.3,6.5\r\n4.0,8.0\r\n");
    EXPECT_EQ(summary.staleCells, 1);
}

} // namespace
