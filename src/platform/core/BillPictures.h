#pragma once

/// The core library's picture maker for bills and its progress dialog.
///
/// The maker draws one small 24-bit bitmap (.bmp) per part: a bar on a light
/// background whose length shows the part's length against the longest part
/// of the bill, with an optional frame. The progress dialog has no window
/// here: it keeps its state in gBMPProgress, which tests and batch runs read.
///
///     initBMPDialog(options.made + 20);
///     Vtx_String file;
///     if (createImage(row, options, &bill, &transaction, file) == eOk)
///         use(file);                  // a temporary file: the caller deletes it
///     closeBMPDialog();

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <string>
#include <string_view>

class Vtx_Bill;
class Vtx_Transaction;

/// Default and limits of a picture's width in pixels; the height is a third
/// of the width, at least kBillPictureMinHeight.
constexpr int kBillPictureDefaultWidth = 96;
constexpr int kBillPictureMaxWidth = 1024;
constexpr int kBillPictureMinHeight = 8;

/// The options of the picture maker, which it may update.
struct VTX_CORE_API Vtx_BillImageOptions {
    /// Picture width in pixels; 0 or less: kBillPictureDefaultWidth.
    int width = -1;
    /// Pictures made so far; the maker counts it up.
    int made = 0;
    /// The 1-based column holding the part's length; 0: the column named
    /// "Length" (case ignored); none: a full bar.
    int lengthColumn = 0;
    /// A dark frame round the picture.
    bool frame = true;
    /// Colours; false draws in shades of grey.
    bool colour = true;
    /// The longest length of the bill, measured by the maker on its first
    /// picture and kept while the bill, the column and its line count stay
    /// the same: one measurement per bill, not one per part.
    const Vtx_Bill* measuredBill = nullptr;
    int measuredColumn = -1;
    int measuredLines = -1;
    double longest = 0;
};

/// The state of the progress dialog while pictures are made.
struct VTX_CORE_API Vtx_BMPProgress {
    bool open = false;
    int range = 0;
    int position = 0;
    int timesOpened = 0;
};
extern VTX_CORE_API Vtx_BMPProgress gBMPProgress;

/// Opens the progress dialog with range steps (position 0).
VTX_CORE_API void initBMPDialog(int range);
/// Closes it; the counters stay for inspection.
VTX_CORE_API void closeBMPDialog();

/// Makes the picture of one part in the system's temporary folder and gives
/// its path in file. eNullPtr without bill or transaction, eFileAccessErr when
/// the file cannot be written (file is then empty). Steps an open progress
/// dialog and counts options.made.
VTX_CORE_API ErrorStatus createImage(const Vtx_StringArray& row, Vtx_BillImageOptions& options,
                                     const Vtx_Bill* bill, const Vtx_Transaction* transaction,
                                     Vtx_String& file);

/// The bytes of a 24-bit bitmap file of width x height pixels, filled by
/// pixel(x, y) -> 0x00RRGGBB with y = 0 at the top.
template <typename PixelFn> std::string encodeBitmap24(int width, int height, PixelFn&& pixel);

/// Width and height in pixels of a bitmap file's bytes; false when they are
/// not a bitmap (or its size is not positive or above 32768 pixels).
VTX_CORE_API bool bitmapSizeFromBytes(std::string_view bytes, int& width, int& height);
/// As bitmapSizeFromBytes, reading the header of a file.
VTX_CORE_API bool bitmapSize(const Vtx_String& path, int& width, int& height);

// ---- template implementation ----

namespace bill_pictures_detail {
VTX_CORE_API void putLittleEndian(std::string& out, std::size_t at, unsigned value, int bytes);
VTX_CORE_API std::string bitmapHeader(int width, int height);
} // namespace bill_pictures_detail

template <typename PixelFn> std::string encodeBitmap24(int width, int height, PixelFn&& pixel) {
    std::string out = bill_pictures_detail::bitmapHeader(width, height);
    const int stride = (width * 3 + 3) / 4 * 4;
    for (int y = height - 1; y >= 0; --y) {
        std::string line(static_cast<std::size_t>(stride), '\0');
        for (int x = 0; x < width; ++x)
            bill_pictures_detail::putLittleEndian(line, static_cast<std::size_t>(x) * 3,
                                                  static_cast<unsigned>(pixel(x, y)), 3);
        out += line;
    }
    return out;
}
