#include "module/ModuleBitmap.h"

namespace {

std::uint32_t readLe(std::string_view bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

void writeLe(std::string& out, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out += static_cast<char>(value & 0xFF);
        value >>= 8;
    }
}

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

} // namespace

bool decodeBmp(std::string_view bytes, ModuleBitmap& bitmap) {
    if (bytes.size() < kFileHeaderBytes + kInfoHeaderBytes || bytes.substr(0, 2) != "BM")
        return false;
    std::uint32_t dataOffset = readLe(bytes, 10, 4);
    std::uint32_t headerSize = readLe(bytes, 14, 4);
    auto width = static_cast<std::int32_t>(readLe(bytes, 18, 4));
    auto height = static_cast<std::int32_t>(readLe(bytes, 22, 4));
    std::uint32_t planes = readLe(bytes, 26, 2);
    std::uint32_t bitsPerPixel = readLe(bytes, 28, 2);
    std::uint32_t compression = readLe(bytes, 30, 4);
    if (headerSize < kInfoHeaderBytes || planes != 1 || compression != 0)
        return false;
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        return false;
    bool topDown = height < 0;
    std::int64_t rows = topDown ? -static_cast<std::int64_t>(height) : height;
    if (width <= 0 || width > kMaxBitmapSide || rows <= 0 || rows > kMaxBitmapSide)
        return false;
    std::size_t bytesPerPixel = bitsPerPixel / 8;
    std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) / 4 * 4;
    if (dataOffset > bytes.size() ||
        (bytes.size() - dataOffset) / stride < static_cast<std::size_t>(rows))
        return false;

    ModuleBitmap decoded;
    decoded.id = bitmap.id;
    decoded.width = width;
    decoded.height = static_cast<int>(rows);
    decoded.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
    for (std::int64_t y = 0; y < rows; ++y) {
        std::int64_t sourceRow = topDown ? y : rows - 1 - y;
        std::size_t rowStart = dataOffset + static_cast<std::size_t>(sourceRow) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            std::size_t at = rowStart + static_cast<std::size_t>(x) * bytesPerPixel;
            // Stored blue, green, red.
            std::uint32_t rgb = readLe(bytes, at, 3);
            std::uint32_t blue = rgb & 0xFF;
            std::uint32_t red = (rgb >> 16) & 0xFF;
            decoded.pixels[static_cast<std::size_t>(y * width + x)] =
                (red << 16) | (rgb & 0xFF00) | blue;
        }
    }
    bitmap = std::move(decoded);
    return true;
}

std::string encodeBmp(std::span<const std::string_view> rows,
                      std::span<const PixelColour> palette) {
    auto height = static_cast<std::uint32_t>(rows.size());
    auto width = static_cast<std::uint32_t>(rows.empty() ? 0 : rows.front().size());
    std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    std::uint32_t imageBytes = stride * height;
    auto offset = static_cast<std::uint32_t>(kFileHeaderBytes + kInfoHeaderBytes);

    std::string out = "BM";
    writeLe(out, offset + imageBytes, 4);
    writeLe(out, 0, 4);
    writeLe(out, offset, 4);
    writeLe(out, static_cast<std::uint32_t>(kInfoHeaderBytes), 4);
    writeLe(out, width, 4);
    writeLe(out, height, 4);
    writeLe(out, 1, 2);
    writeLe(out, 24, 2);
    writeLe(out, 0, 4);
    writeLe(out, imageBytes, 4);
    writeLe(out, 2835, 4); // 72 dots per inch
    writeLe(out, 2835, 4);
    writeLe(out, 0, 4);
    writeLe(out, 0, 4);
    for (std::uint32_t y = height; y-- > 0;) {
        std::string_view row = rows[y];
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint32_t rgb = 0;
            char symbol = x < row.size() ? row[x] : ' ';
            for (const PixelColour& colour : palette)
                if (colour.symbol == symbol)
                    rgb = colour.rgb;
            out += static_cast<char>(rgb & 0xFF);
            out += static_cast<char>((rgb >> 8) & 0xFF);
            out += static_cast<char>((rgb >> 16) & 0xFF);
        }
        out.append(stride - width * 3, '\0');
    }
    return out;
}
