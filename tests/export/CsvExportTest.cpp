// The .csv export: RFC 4180 quoting, UTF-8 from 8-bit text, shown numbers.
#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"
#include "spread/ExportCsv.h"
#include "spread/export/SheetExport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using vtx::sheet::CellRange;
using vtx::sheet::CellType;
using vtx::sheet::NumberStyle;
using vtx::sheet::SheetModel;

namespace {

const fs::path kExportData = fs::path(VTX_TEST_DATA) / "spread" / "export";

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CsvExport, QuotesOnlyFieldsThatNeedIt) {
    SheetModel model;
    model.setMaxCols(5);
    model.setMaxRows(2);
    model.setCellType(CellRange{1, 1, 5, 2}, CellType::edit(0));
    model.setData(1, 1, "plain");
    model.setData(2, 1, "a,b");
    model.setData(3, 1, "say \"hi\"");
    model.setData(4, 1, "two\nlines");
    model.setData(5, 1, "cr\ronly");
    model.setData(1, 2, "caf\xE9");
    model.setData(2, 2, " spaced ");
    model.setData(3, 2, "\x80 5");
    ExportOptions options;
    EXPECT_EQ(sheetToCsv(model, options),
              "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\ronly\"\r\n"
              "caf\xC3\xA9, spaced ,\xE2\x82\xAC 5,,\r\n");
}

TEST(CsvExport, AHugeDeclaredGridCostsWhatItsCellsCost) {
    // The extent is found among the cells that exist, not by visiting every
    // position of 16,384 columns and 1,048,576 rows.
    SheetModel model;
    model.setMaxCols(16384);
    model.setMaxRows(1048576);
    model.setNumber(2, 3, 5);
    ExportOptions options;
    EXPECT_EQ(sheetToCsv(model, options), ",\r\n,\r\n,5\r\n");
}

TEST(CsvExport, WritesNumbersAsTheGridShowsThem) {
    SheetModel model;
    model.setMaxCols(4);
    model.setMaxRows(1);
    model.setCellType(CellRange::cell(1, 1), CellType::number(NumberStyle::Plain, 2, -1e9, 1e9));
    model.setCellType(CellRange::cell(2, 1),
                      CellType::number(NumberStyle::Thousands, 1, -1e9, 1e9));
    model.setNumber(1, 1, 12.5);
    model.setNumber(2, 1, 1234567.25);
    model.setNumber(3, 1, 0.1);
    model.setData(4, 1, "1.50");
    EXPECT_EQ(sheetToCsv(model, {}), "12.50,\"1,234,567.3\",0.1,1.50\r\n");
}

TEST(CsvExport, HeaderRowSpansAndTrailingEmptyRows) {
    SheetModel model;
    model.setMaxCols(3);
    model.setMaxRows(5);
    model.setData(1, 0, "Name");
    model.setData(1, 1, "x");
    model.setData(2, 1, "hidden under the span");
    model.setData(1, 2, "y");
    ASSERT_TRUE(model.addSpan(1, 1, 2, 1));
    ASSERT_TRUE(model.addSpan(2, 3, 2, 1));
    ExportOptions options;
    ExportSummary summary;
    EXPECT_EQ(sheetToCsv(model, options, &summary), "Name,,\r\nx,,\r\ny,,\r\n,,\r\n")
        << "a span reaching into a row keeps that row and its columns";
    EXPECT_EQ(summary.rows, 4);
    EXPECT_EQ(summary.columns, 3);
    options.columnHeaders = false;
    EXPECT_EQ(sheetToCsv(model, options), "x,,\r\ny,,\r\n,,\r\n");
    SheetModel empty;
    EXPECT_EQ(sheetToCsv(empty, options), "");
}

TEST(CsvExport, ExportsTheFixtureSheetFile) {
    fs::path folder;
    for (int i = 0;; ++i) {
        folder = fs::temp_directory_path() /
                 ("vtx_csv_" + std::to_string(::getpid()) + "_" + std::to_string(i));
        if (fs::create_directory(folder))
            break;
    }
    Vtx_String reason;
    ExportSummary summary;
    ASSERT_EQ(exportSheetFile(corePath(kExportData / "bill.kss"), corePath(folder / "bill.csv"),
                              ExportFormat::Csv, {}, &summary, &reason),
              eOk)
        << reason.str();
    EXPECT_EQ(readAll(folder / "bill.csv"),
              "Item,Description,Weight,,\r\n"
              "P1,\"Plate, 10 \"\"thick\"\" \xC3\xA9\",\"1,234.50\",,#DIV/0!\r\n"
              "P2,\"two\r\nlines\",7,TRUE,\r\n"
              "Total,,\"1,241.50\",,\r\n"
              "Drawing,,,,\r\n"
              ",,,,\r\n");
    EXPECT_EQ(summary.cells, 11);
    std::error_code ec;
    fs::remove_all(folder, ec);
}

} // namespace
