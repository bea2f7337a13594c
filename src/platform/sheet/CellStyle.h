#pragma once

/// Cell types and styles. A grid keeps each distinct style once (StyleTable)
/// and cells refer to it by number, so a styled column costs 4 bytes a cell.

#include <cstdint>
#include <string>

namespace vtx::sheet {

/// Kinds of cell type. The control's type numbers (cellTypeNumber) are given
/// in brackets.
enum class CellKind : std::uint8_t {
    General = 0,  ///< no type set: text or number as entered [0]
    Edit = 1,     ///< text with a maximum length [1]
    Number = 2,   ///< floating-point number with decimals and bounds [14, 15, 16 by style]
    Integer = 3,  ///< whole number with bounds [10]
    CheckBox = 4, ///< "1" or "0", shown with two pictures [12]
    Combo = 5,    ///< one item of a tab-separated list [7]
    Picture = 6,  ///< a picture (file, bitmap or icon) [8]
    Header = 7,   ///< static header-like text [5]
};

/// Number styles of CellKind::Number: 0 plain (type 14), 1 with thousands
/// separators (type 15), 2 percent, the value shown times 100 with "%" (type 16).
enum class NumberStyle : std::uint8_t { Plain = 0, Thousands = 1, Percent = 2 };

/// Picture styles of CellKind::Picture.
enum class PictureStyle : std::uint8_t { File = 0, Bitmap = 1, Icon = 2 };

/// A cell type record (built by the make... functions, applied to a range).
struct CellType {
    CellKind kind = CellKind::General;
    int maxLength = 0; ///< Edit: longest text kept, 0 = no limit
    int decimals = 2;  ///< Number: decimals shown (0..15)
    double minimum = -1e15;
    double maximum = 1e15;
    NumberStyle numberStyle = NumberStyle::Plain;
    bool spin = false; ///< Number/Integer: the control's flag (spin buttons)
    PictureStyle pictureStyle = PictureStyle::File;
    std::string text;       ///< Combo: tab-separated items; Picture: file or resource name
    std::string pictureOff; ///< CheckBox: unchecked picture
    std::string pictureOn;  ///< CheckBox: checked picture
    /// Edit/Combo: the control's style bits as the caller gave them (for
    /// instance 0x110000 for text columns, 0x100002 for a flagged combo). The
    /// model keeps and saves them; drawing and editing are the view's.
    std::uint32_t controlStyle = 0;
    bool operator==(const CellType&) const = default;

    static CellType edit(int maxLength, std::uint32_t controlStyle = 0);
    static CellType number(NumberStyle style, int decimals, double minimum, double maximum,
                           bool spin = false);
    static CellType integer(double minimum, double maximum, bool spin = false);
    static CellType checkBox(std::string offPicture, std::string onPicture);
    static CellType combo(std::string tabSeparatedItems, std::uint32_t controlStyle = 0);
    static CellType picture(std::string name, PictureStyle style);
    static CellType header();
};

/// The control's type number of a cell type (see CellKind).
int cellTypeNumber(const CellType& type);

constexpr std::uint32_t kDefaultColor = 0xFFFFFFFFu;

struct CellFont {
    std::string name; ///< "" = the grid's default font
    int height = 0;   ///< 0 = the grid's default height
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const CellFont&) const = default;
};

/// One side of a cell's border: style 0 = none, 1 thin, 2 thick, 3 dotted,
/// 4 dashed, 5 double.
struct BorderSide {
    std::uint8_t style = 0;
    std::uint32_t color = 0;
    bool operator==(const BorderSide&) const = default;
};

enum BorderEdge : unsigned {
    kBorderLeft = 1,
    kBorderTop = 2,
    kBorderRight = 4,
    kBorderBottom = 8,
    kBorderAll = 15
};

struct CellStyle {
    CellType type;
    CellFont font;
    std::uint32_t backColor = kDefaultColor; ///< 0x00BBGGRR or kDefaultColor
    std::uint32_t foreColor = kDefaultColor;
    BorderSide borders[4]; ///< left, top, right, bottom
    bool locked = false;
    bool operator==(const CellStyle& o) const {
        return type == o.type && font == o.font && backColor == o.backColor &&
               foreColor == o.foreColor && borders[0] == o.borders[0] &&
               borders[1] == o.borders[1] && borders[2] == o.borders[2] &&
               borders[3] == o.borders[3] && locked == o.locked;
    }
};

/// What a style may hold, so that every style the grid keeps is one its file
/// reader takes back: font heights 0..kMaxFontHeight, decimals
/// 0..kMaxDecimals, edit lengths 0..kMaxEditLength, finite bounds and texts
/// of at most kMaxStyleText bytes.
constexpr int kMaxFontHeight = 10000;
constexpr int kMaxDecimals = 15;
constexpr int kMaxEditLength = 1 << 30;
constexpr std::size_t kMaxStyleText = std::size_t{1} << 20;
/// Brings a style within those limits: numbers are clamped, a bound that is
/// no finite number becomes the default one, texts are cut.
void makeStorable(CellStyle& style);

} // namespace vtx::sheet
