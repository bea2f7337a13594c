#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// A picture decoded from a BMP resource: pixels as 0xRRGGBB, row by row from
/// the top.
///
///     ModuleBitmap picture;
///     if (decodeBmp(bytes, picture)) {
///         std::uint32_t topLeft = picture.pixel(0, 0);
///     }
struct ModuleBitmap {
    int id = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool isNull() const { return width <= 0 || height <= 0; }
    /// Precondition: 0 <= x < width, 0 <= y < height.
    std::uint32_t pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

/// The largest width or height decodeBmp accepts.
inline constexpr int kMaxBitmapSide = 4096;

/// Reads an uncompressed 24- or 32-bit BMP file (bottom-up or top-down).
/// False for anything else or for damaged bytes; never reads past the end.
bool decodeBmp(std::string_view bytes, ModuleBitmap& bitmap);

/// One colour per character of a pixel-art picture.
struct PixelColour {
    char symbol;
    std::uint32_t rgb;
};

/// A 24-bit BMP file drawn from rows of characters (all rows equally long),
/// each character mapped through palette; an unknown character is black.
std::string encodeBmp(std::span<const std::string_view> rows, std::span<const PixelColour> palette);
