#include "spread/export/PictureSize.h"

#include "platform/core/Files.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::uint32_t byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

std::uint32_t little16(std::string_view b, std::size_t at) {
    return byteAt(b, at) | byteAt(b, at + 1) << 8;
}

std::uint32_t little32(std::string_view b, std::size_t at) {
    return little16(b, at) | little16(b, at + 2) << 16;
}

std::uint32_t big16(std::string_view b, std::size_t at) {
    return byteAt(b, at) << 8 | byteAt(b, at + 1);
}

std::uint32_t big32(std::string_view b, std::size_t at) {
    return big16(b, at) << 16 | big16(b, at + 2);
}

bool accept(long long w, long long h, int& width, int& height) {
    if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool bmpSize(std::string_view b, int& width, int& height) {
    // The file header (14 bytes), then an info header of at least 40 bytes
    // (or the old 12-byte core header with 16-bit sizes); the pixels must
    // lie inside the file.
    if (b.size() < 26)
        return false;
    const std::uint32_t info = little32(b, 14);
    const std::uint32_t pixels = little32(b, 10);
    if (pixels >= b.size())
        return false;
    if (info == 12)
        return accept(little16(b, 18), little16(b, 20), width, height);
    if (info < 40 || b.size() < 14 + 40)
        return false;
    const auto w = static_cast<std::int32_t>(little32(b, 18));
    const auto h = static_cast<std::int32_t>(little32(b, 22));
    return accept(w, std::llabs(h), width, height);
}

bool pngSize(std::string_view b, int& width, int& height) {
    if (b.size() < 24 || b.substr(12, 4) != "IHDR")
        return false;
    return accept(big32(b, 16), big32(b, 20), width, height);
}

bool gifSize(std::string_view b, int& width, int& height) {
    if (b.size() < 10)
        return false;
    return accept(little16(b, 6), little16(b, 8), width, height);
}

bool jpegSize(std::string_view b, int& width, int& height) {
    // Segments follow the start marker; a start-of-frame segment (C0..CF but
    // C4, C8 and CC) holds the height and width.
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (byteAt(b, at) != 0xFF)
            return false;
        const std::uint32_t marker = byteAt(b, at + 1);
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const std::uint32_t length = big16(b, at + 2);
        if (length < 2)
            return false;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > b.size())
                return false;
            return accept(big16(b, at + 7), big16(b, at + 5), width, height);
        }
        at += 2 + length;
    }
    return false;
}

} // namespace

bool pictureSizeFromBytes(std::string_view bytes, int& width, int& height) {
    if (bytes.substr(0, 2) == "BM")
        return bmpSize(bytes, width, height);
    if (bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8))
        return pngSize(bytes, width, height);
    if (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a")
        return gifSize(bytes, width, height);
    if (bytes.substr(0, 3) == "\xFF\xD8\xFF")
        return jpegSize(bytes, width, height);
    return false;
}

bool pictureSize(const Vtx_String& path, int& width, int& height) {
    std::string bytes;
    return readFileBytes(path, bytes) == eOk && pictureSizeFromBytes(bytes, width, height);
}
