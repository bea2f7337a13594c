#pragma once

/// What the column layouts of a grid need to know of the window that shows
/// it: the client size, the scroll bars, the extent of a cell's text and how
/// pixels relate to the model's size units. The Qt view answers from its
/// widgets and real font metrics; FixedGridMeasure answers from fixed
/// character metrics, for grids without a window and for tests.
///
///     FixedGridMeasure measure;
///     measure.setClientSize(400, 300);
///     grid.setMeasure(&measure);        // or leave the grid's own in place
///     grid.setColumnLayout(1, 0, 0);    // equal widths over 400 pixels
///
/// All sizes are in pixels of the grid's client area. Column widths in the
/// model are characters of the default font and row heights are points; the
/// two factors below turn them into pixels.

#include <optional>

namespace vtx::sheet {
class SheetModel;
}

/// A width and a height in pixels.
struct Vtx_Size {
    int width = 0;
    int height = 0;
    bool operator==(const Vtx_Size&) const = default;
};

class GridMeasure {
public:
    virtual ~GridMeasure() = default;
    /// The client area of the grid window, scroll bars included.
    virtual Vtx_Size clientSize(const vtx::sheet::SheetModel& sheet) const = 0;
    /// The width of the vertical scroll bar and the height of the horizontal one.
    virtual Vtx_Size scrollBarSize(const vtx::sheet::SheetModel& sheet) const = 0;
    virtual bool verticalScrollBarShown(const vtx::sheet::SheetModel& sheet) const = 0;
    virtual bool horizontalScrollBarShown(const vtx::sheet::SheetModel& sheet) const = 0;
    /// The size a cell needs to show its value text (margins included) in its
    /// font; headers are addressed by 0.
    virtual Vtx_Size textExtent(const vtx::sheet::SheetModel& sheet, int column, int row) const = 0;
    /// Pixels of one column-width unit (one character of the default font).
    virtual double pixelsPerWidthUnit() const = 0;
    /// Pixels of one row-height unit (one point).
    virtual double pixelsPerHeightUnit() const = 0;

    /// The pixel width of a column and the pixel height of a row (0 = header).
    double columnPixels(const vtx::sheet::SheetModel& sheet, int column) const;
    double rowPixels(const vtx::sheet::SheetModel& sheet, int row) const;
    /// The summed width of every shown column (header column included when
    /// shown) and the summed height of every shown row.
    double contentWidth(const vtx::sheet::SheetModel& sheet) const;
    double contentHeight(const vtx::sheet::SheetModel& sheet) const;
};

/// Fixed metrics at 96 dots per inch: a character of a font of height h
/// pixels is 7 * h / 15 pixels wide (10% more when bold), a line is h + 5
/// pixels high, and a cell adds 6 pixels of margin to its text's width. Check
/// boxes and pictures need a square of one line. A column-width unit is 7
/// pixels (one character of the 15-pixel default font), a point 4/3 pixels.
///
/// Scroll bars have the sizes kept in the sheet's appearance. Unless forced,
/// the vertical one is shown when the rows are higher than the client area,
/// the horizontal one when the columns are wider than the client area less
/// the vertical bar.
class FixedGridMeasure : public GridMeasure {
public:
    static constexpr int kDefaultFontHeight = 15;
    static constexpr int kCellMargin = 6;
    static constexpr int kLineLeading = 5;

    void setClientSize(int width, int height) {
        m_client = {width, height};
        m_hasClient = true;
    }
    /// False until a client size was set.
    bool hasClientSize() const { return m_hasClient; }
    /// Forces a scroll bar shown or hidden; nullopt returns to the automatic rule.
    void forceScrollBars(std::optional<bool> vertical, std::optional<bool> horizontal) {
        m_vertical = vertical;
        m_horizontal = horizontal;
    }

    Vtx_Size clientSize(const vtx::sheet::SheetModel& sheet) const override;
    Vtx_Size scrollBarSize(const vtx::sheet::SheetModel& sheet) const override;
    bool verticalScrollBarShown(const vtx::sheet::SheetModel& sheet) const override;
    bool horizontalScrollBarShown(const vtx::sheet::SheetModel& sheet) const override;
    Vtx_Size textExtent(const vtx::sheet::SheetModel& sheet, int column, int row) const override;
    double pixelsPerWidthUnit() const override { return 7.0; }
    double pixelsPerHeightUnit() const override { return 4.0 / 3.0; }

private:
    Vtx_Size m_client;
    bool m_hasClient = false;
    std::optional<bool> m_vertical;
    std::optional<bool> m_horizontal;
};
