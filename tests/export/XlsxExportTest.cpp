// The .xlsx export, read back through libzip and expat (not the writer).
#include "XlsxReader.h"

#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"
#include "spread/export/PictureSize.h"
#include "spread/export/SheetExport.h"
#include "spread/export/XlsxExport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using vtx::sheet::CellRange;
using vtx::sheet::CellType;
using vtx::sheet::SheetModel;

namespace {

const fs::path kExportData = fs::path(VTX_TEST_DATA) / "spread" / "export";

class XlsxExport : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0;; ++i) {
            folder = fs::temp_directory_path() /
                     ("vtx_xlsx_" + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (fs::create_directory(folder))
                break;
        }
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    Vtx_String path(const std::string& name) const { return corePath(folder / name); }
    // Exports the fixture bill and reads it back.
    void exportBill(xlsxtest::Workbook& book, ExportSummary& summary) {
        Vtx_String reason;
        ASSERT_EQ(exportSheetFile(corePath(kExportData / "bill.kss"), path("bill.xlsx"),
                                  ExportFormat::Xlsx, {}, &summary, &reason),
                  eOk)
            << reason.str();
        std::string error;
        ASSERT_TRUE(xlsxtest::readWorkbook((folder / "bill.xlsx").string(), book, error)) << error;
    }

    fs::path folder;
};

TEST_F(XlsxExport, KeepsTextsNumbersAndTheHeaderRow) {
    xlsxtest::Workbook book;
    ExportSummary summary;
    exportBill(book, summary);

    // The header row comes first and stays in view.
    ASSERT_NE(book.cell("A1"), nullptr);
    EXPECT_EQ(book.cell("A1")->value, "Item");
    EXPECT_EQ(book.cell("C1")->value, "Weight");
    EXPECT_EQ(book.frozenAt, "A2");

    // 8-bit texts come back as UTF-8: 0xE9 is "é".
    ASSERT_NE(book.cell("B2"), nullptr);
    EXPECT_EQ(book.cell("B2")->value, "Plate, 10 \"thick\" \xC3\xA9");
    EXPECT_EQ(book.cell("B3")->value, "two\r\nlines");

    // Numbers stay numbers, shown with their cell's decimals.
    ASSERT_NE(book.cell("C2"), nullptr);
    EXPECT_EQ(book.cell("C2")->type, "n");
    EXPECT_DOUBLE_EQ(std::stod(book.cell("C2")->value), 1234.5);
    EXPECT_EQ(book.numberFormat("C2"), "#,##0.00");
    EXPECT_EQ(book.cell("C3")->type, "n");
    EXPECT_EQ(book.cell("C3")->value, "7");
    EXPECT_EQ(book.numberFormat("C3"), "");
    // A formula's stored result is written as its value.
    EXPECT_DOUBLE_EQ(std::stod(book.cell("C4")->value), 1241.5);
    EXPECT_EQ(book.cell("D3")->type, "b");
    EXPECT_EQ(book.cell("D3")->value, "1");
    EXPECT_EQ(book.cell("E2")->value, "#DIV/0!");

    EXPECT_EQ(summary.rows, 6);
    EXPECT_EQ(summary.columns, 5);
    EXPECT_EQ(book.cell("A7"), nullptr) << "empty rows after the last used one are not written";
}

TEST_F(XlsxExport, KeepsFontsSizesAndMergedRanges) {
    xlsxtest::Workbook book;
    ExportSummary summary;
    exportBill(book, summary);

    const xlsxtest::Font* bold = book.font("A2");
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->name, "Arial");
    EXPECT_DOUBLE_EQ(bold->size, 12.0) << "16 pixels at 96 dpi are 12 points";
    EXPECT_TRUE(bold->bold);
    EXPECT_FALSE(bold->italic);

    const xlsxtest::Font* plain = book.font("A3");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->name, "Tahoma") << "the grid's default font";
    EXPECT_DOUBLE_EQ(plain->size, 11.25);
    EXPECT_FALSE(plain->bold);

    const xlsxtest::Font* styled = book.font("B2");
    ASSERT_NE(styled, nullptr);
    EXPECT_TRUE(styled->italic);
    EXPECT_TRUE(styled->underline);

    // Widths are characters in both; the reader's width adds the cell
    // padding, less than one character.
    ASSERT_TRUE(book.columnWidths.count(2));
    EXPECT_GE(book.columnWidths[2], 20.0);
    EXPECT_LT(book.columnWidths[2], 21.0);
    EXPECT_GE(book.columnWidths[1], 12.0);
    EXPECT_LT(book.columnWidths[1], 13.0);
    // Grid row 4 is row 5 of the file, below the header row.
    ASSERT_TRUE(book.rowHeights.count(5));
    EXPECT_DOUBLE_EQ(book.rowHeights[5], 48.0);

    ASSERT_EQ(book.merges.size(), 1u);
    EXPECT_EQ(book.merges[0], "B5:D5");
    EXPECT_EQ(summary.merges, 1);
}

TEST_F(XlsxExport, PlacesFoundPicturesAndWarnsOfTheOthers) {
    xlsxtest::Workbook book;
    ExportSummary summary;
    exportBill(book, summary);

    ASSERT_EQ(book.pictures.size(), 1u);
    EXPECT_EQ(book.pictures[0], "B5");
    EXPECT_TRUE(book.has("xl/media/image1.bmp"));
    EXPECT_EQ(summary.pictures, 1);

    ASSERT_EQ(summary.warnings.length(), 2);
    EXPECT_TRUE(summary.warnings[0].startsWith("A5: picture not found: Pictures\\missing.bmp"))
        << summary.warnings[0].str();
    EXPECT_TRUE(summary.warnings[1].startsWith("B5: picture left out"))
        << summary.warnings[1].str();
}

TEST_F(XlsxExport, ReplacesTheTargetWholeAndLeavesNoTemporaryFile) {
    std::ofstream(folder / "bill.xlsx") << "an older file";
    xlsxtest::Workbook book;
    ExportSummary summary;
    exportBill(book, summary);
    EXPECT_EQ(book.cell("A2")->value, "P1");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(XlsxExport, FailsWithAReasonAndWritesNothing) {
    SheetModel model;
    model.setMaxCols(2);
    model.setMaxRows(2);
    model.setData(1, 1, "x");
    Vtx_String reason;
    EXPECT_EQ(exportSheetToXlsx(model, path("no such folder\\out.xlsx"), {}, nullptr, &reason),
              eFileAccessErr);
    EXPECT_TRUE(reason.hasSubString("out.xlsx")) << reason.str();

    EXPECT_EQ(exportSheetFile(path("missing.kss"), path("out.xlsx"), ExportFormat::Xlsx, {},
                              nullptr, &reason),
              eFileNotFound);
    std::ofstream(folder / "bad.kss") << "VTXSHEET 1\nsize 2 2\ncell 9 9 t=\"x\"\nend\n";
    EXPECT_EQ(exportSheetFile(path("bad.kss"), path("out.xlsx"), ExportFormat::Xlsx, {}, nullptr,
                              &reason),
              eBadFileFormat);
    EXPECT_TRUE(reason.hasSubString("bad.kss:3")) << reason.str();
    EXPECT_FALSE(fs::exists(folder / "out.xlsx"));
}

TEST_F(XlsxExport, TheLongestTextACellHoldsIsWrittenWhole) {
    // The grid holds no longer text than a worksheet cell does, so nothing
    // is ever cut.
    SheetModel model;
    model.setMaxCols(1);
    model.setMaxRows(1);
    model.setCellType(CellRange::cell(1, 1), CellType::edit(0));
    EXPECT_FALSE(model.setData(1, 1, std::string(kXlsxMaxTextLength + 1, '\xE9')));
    ASSERT_TRUE(model.setData(1, 1, std::string(kXlsxMaxTextLength, '\xE9')));
    ExportSummary summary;
    ASSERT_EQ(exportSheetToXlsx(model, path("long.xlsx"), {}, &summary), eOk);
    xlsxtest::Workbook book;
    std::string error;
    ASSERT_TRUE(xlsxtest::readWorkbook((folder / "long.xlsx").string(), book, error)) << error;
    std::string expected;
    for (int i = 0; i < kXlsxMaxTextLength; ++i)
        expected += "\xC3\xA9";
    EXPECT_EQ(book.cell("A1")->value, expected);
    EXPECT_EQ(summary.warnings.length(), 0);
}

TEST_F(XlsxExport, WritesFramesAndFillsAsTheGridHasThem) {
    // A bill's sub-total line: labelled cells framed thin and black on a
    // light blue fill; an empty cell keeps its frame as well.
    SheetModel model;
    model.setMaxCols(3);
    model.setMaxRows(2);
    model.setData(1, 1, "1");
    model.setData(2, 2, "Total");
    model.setData(3, 2, "447.8");
    model.setBorder({2, 2, 3, 2}, vtx::sheet::kBorderAll, vtx::sheet::BorderSide{1, 0});
    model.setColors({2, 2, 3, 2}, 16765348, vtx::sheet::kDefaultColor);
    model.setBorder(CellRange::cell(1, 2), vtx::sheet::kBorderBottom,
                    vtx::sheet::BorderSide{5, 0x0000FF});
    model.setBorder(CellRange::cell(1, 2), vtx::sheet::kBorderLeft,
                    vtx::sheet::BorderSide{3, 0x00FF00});
    ASSERT_EQ(exportSheetToXlsx(model, path("frames.xlsx"), {}, nullptr), eOk);
    xlsxtest::Workbook book;
    std::string error;
    ASSERT_TRUE(xlsxtest::readWorkbook((folder / "frames.xlsx").string(), book, error)) << error;

    for (const char* ref : {"B2", "C2"}) {
        const xlsxtest::Border* frame = book.border(ref);
        ASSERT_NE(frame, nullptr) << ref;
        for (std::size_t side = 0; side < 4; ++side) {
            EXPECT_EQ(frame->styles[side], "thin") << ref << " side " << side;
            EXPECT_EQ(frame->colors[side], "FF000000") << ref << " side " << side;
        }
        EXPECT_EQ(book.fill(ref), "FFA4D1FF") << ref;
    }
    const xlsxtest::Border* empty = book.border("A2");
    ASSERT_NE(empty, nullptr) << "an empty framed cell is written";
    EXPECT_EQ(empty->styles[0], "dotted");
    EXPECT_EQ(empty->colors[0], "FF00FF00");
    EXPECT_EQ(empty->styles[3], "double");
    EXPECT_EQ(empty->colors[3], "FFFF0000");
    EXPECT_EQ(empty->styles[1], "");
    const xlsxtest::Border* plain = book.border("A1");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->styles, (std::array<std::string, 4>{}));
    EXPECT_EQ(book.fill("A1"), "");
}

TEST_F(XlsxExport, NumberFormatsFollowTheCellTypes) {
    SheetModel model;
    model.setMaxCols(4);
    model.setMaxRows(1);
    model.setCellType(CellRange::cell(1, 1), CellType::integer(-1e9, 1e9));
    model.setCellType(CellRange::cell(2, 1),
                      CellType::number(vtx::sheet::NumberStyle::Percent, 1, -1e9, 1e9));
    model.setCellType(CellRange::cell(3, 1),
                      CellType::number(vtx::sheet::NumberStyle::Plain, 3, -1e9, 1e9));
    model.setNumber(1, 1, 42);
    model.setNumber(2, 1, 0.125);
    model.setNumber(3, 1, 2.5);
    model.setNumber(4, 1, 0.1);
    ASSERT_EQ(exportSheetToXlsx(model, path("formats.xlsx"), {}), eOk);
    xlsxtest::Workbook book;
    std::string error;
    ASSERT_TRUE(xlsxtest::readWorkbook((folder / "formats.xlsx").string(), book, error)) << error;
    EXPECT_EQ(book.numberFormat("A1"), "0");
    EXPECT_EQ(book.numberFormat("B1"), "0.0%");
    EXPECT_DOUBLE_EQ(std::stod(book.cell("B1")->value), 0.125) << "the value, not the shown one";
    EXPECT_EQ(book.numberFormat("C1"), "0.000");
    EXPECT_EQ(book.numberFormat("D1"), "");
    EXPECT_EQ(book.frozenAt, "") << "no header row, nothing frozen";
}

TEST(ExportFormatName, ComesFromTheExtensionOrAFormatName) {
    ExportFormat format = ExportFormat::Csv;
    EXPECT_TRUE(exportFormatFromName("C:\\Bills\\bill.XLSX", format));
    EXPECT_EQ(format, ExportFormat::Xlsx);
    EXPECT_TRUE(exportFormatFromName("csv", format));
    EXPECT_EQ(format, ExportFormat::Csv);
    EXPECT_FALSE(exportFormatFromName("bill.xls", format));
    EXPECT_FALSE(exportFormatFromName("bill", format));
}

} // namespace

namespace {

TEST(PictureSize, ReadsEachFormatsHeaderAndRefusesDamagedOnes) {
    int width = 0;
    int height = 0;
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x01\x2c\0\0\0\x20", 24);
    EXPECT_TRUE(pictureSizeFromBytes(png, width, height));
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 32);
    EXPECT_FALSE(pictureSizeFromBytes(png.substr(0, 20), width, height));

    EXPECT_TRUE(pictureSizeFromBytes(std::string("GIF89a\x10\0\x08\0", 10), width, height));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 8);

    // A JPEG with an application segment before its frame header.
    const std::string jpeg("\xFF\xD8\xFF\xE0\0\x04xx\xFF\xC0\0\x11\x08\0\x40\0\x50", 18);
    EXPECT_TRUE(pictureSizeFromBytes(jpeg, width, height));
    EXPECT_EQ(width, 80);
    EXPECT_EQ(height, 64);
    EXPECT_FALSE(pictureSizeFromBytes(jpeg.substr(0, 12), width, height));

    EXPECT_TRUE(pictureSize(corePath(kExportData / "Pictures" / "beam1.bmp"), width, height));
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 64);
    EXPECT_FALSE(pictureSize(corePath(kExportData / "Pictures" / "broken.bmp"), width, height));
    // A bitmap header claiming a side beyond the limit.
    std::string huge(54, '\0');
    huge[0] = 'B';
    huge[1] = 'M';
    huge[10] = 53;
    huge[14] = 40;
    huge[18] = '\xFF';
    huge[19] = '\xFF';
    huge[20] = '\x0F';
    huge[22] = 1;
    EXPECT_FALSE(pictureSizeFromBytes(huge, width, height));
}

} // namespace
