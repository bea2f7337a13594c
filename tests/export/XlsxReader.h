#pragma once

// A reader of .xlsx workbooks for the export tests, built on libzip and
// expat, so that what the writer produced is read by other code than the
// writer's: the first worksheet's cells, merged ranges, column widths, row
// heights, cell fonts and picture anchors, its name and page setup, and the
// document properties.

#include <array>
#include <map>
#include <string>
#include <vector>

namespace xlsxtest {

struct Cell {
    std::string type;  ///< the file's cell type: "s", "n", "b", "str", "inlineStr", "e"
    std::string value; ///< the text (shared strings resolved) or the number as written
    int style = 0;     ///< index into the cell formats
};

struct Font {
    std::string name;
    double size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

/// A cell format's border: style ("thin", "double", ...; "" for none) and
/// colour ("FF000000"; "" for none) of the left, top, right and bottom side.
struct Border {
    std::array<std::string, 4> styles;
    std::array<std::string, 4> colors;
};

struct Workbook {
    std::vector<std::string> entries;     ///< names of the files in the package
    std::map<std::string, Cell> cells;    ///< by reference, "B2"
    std::vector<std::string> merges;      ///< "B4:D4"
    std::map<int, double> columnWidths;   ///< 1-based column
    std::map<int, double> rowHeights;     ///< 1-based row, custom heights only
    std::vector<Font> fonts;              ///< the style sheet's fonts
    std::vector<int> formatFonts;         ///< font of each cell format
    std::vector<std::string> formatCodes; ///< number format code of each cell format ("" general)
    std::vector<Border> borders;          ///< the style sheet's borders
    std::vector<int> formatBorders;       ///< border of each cell format
    std::vector<std::string> fills;       ///< foreground colour of each fill ("" for none)
    std::vector<int> formatFills;         ///< fill of each cell format
    std::vector<std::string> pictures;    ///< top-left cell of each picture, "B4"
    std::string frozenAt;                 ///< top-left cell of the unfrozen pane, "" for none
    std::string sheetName;                ///< the first worksheet's name
    std::string title;                    ///< the document title, "" for none
    std::map<std::string, std::string> properties; ///< custom document properties
    std::map<std::string, double> margins; ///< page margins (inches): left, right, top, bottom
    std::string pageHeader;                ///< the page header's text, codes included
    std::string pageFooter;
    bool printGridLines = false; ///< grid lines are printed
    std::string printTitles;     ///< the rows repeated on every page ("Sheet!$7:$7")

    bool has(const std::string& entry) const;
    const Cell* cell(const std::string& ref) const;
    const Font* font(const std::string& ref) const;
    std::string numberFormat(const std::string& ref) const;
    /// The border of a cell's format; nullptr for a cell not in the file.
    const Border* border(const std::string& ref) const;
    /// The fill colour of a cell's format ("FFA4D1FF"), "" for none.
    std::string fill(const std::string& ref) const;
};

/// Reads path; false with error set when it is not a readable workbook.
bool readWorkbook(const std::string& path, Workbook& book, std::string& error);

} // namespace xlsxtest
