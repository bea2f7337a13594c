#include "platform/core/BillPictures.h"

#include "platform/core/Files.h"
#include "platform/core/ListOutput.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

Vtx_BMPProgress gBMPProgress;

namespace {

constexpr int kBitmapHeaderSize = 54;
constexpr int kMaxBitmapSide = 32768;

unsigned readLittleEndian(std::string_view bytes, std::size_t at, int count) {
    unsigned value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

unsigned grey(unsigned rgb) {
    const unsigned level = (((rgb >> 16) & 0xFF) * 3 + ((rgb >> 8) & 0xFF) * 6 + (rgb & 0xFF)) / 10;
    return level << 16 | level << 8 | level;
}

constexpr std::string_view kScratchPrefix = "vtx-bill-pictures-";

// The scratch folders that killed processes left behind: removed once per
// process, before its own is made.
void removeScratchOfDeadProcesses(const std::filesystem::path& temp) {
    std::error_code error;
    std::vector<std::filesystem::path> stale;
    for (const auto& entry : std::filesystem::directory_iterator(temp, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, kScratchPrefix.size(), kScratchPrefix) != 0)
            continue;
        const std::string digits = name.substr(kScratchPrefix.size());
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const auto pid = static_cast<pid_t>(std::stol(digits));
        if (pid != ::getpid() && !processRunning(pid))
            stale.push_back(entry.path());
    }
    for (const auto& folder : stale)
        std::filesystem::remove_all(folder, error);
}

// Where scratch pictures are made: memory-backed shared memory when the
// system has it, since every picture is written, read back once and removed
// at once; a disk folder pays for each file made and removed (the file
// system's inode allocator slows as removed inodes pile up), which for a
// bill of thousands of parts cost more than the whole bill.
std::filesystem::path scratchRoot() {
    std::error_code error;
    const std::filesystem::path memory = "/dev/shm";
    if (std::filesystem::is_directory(memory, error) && ::access(memory.c_str(), W_OK | X_OK) == 0)
        return memory;
    std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path(".") : temp;
}

// The temporary folder of this process's pictures.
Vtx_String pictureFolder() {
    std::error_code error;
    static const std::filesystem::path temp = scratchRoot();
    static const bool cleaned = (removeScratchOfDeadProcesses(temp), true);
    (void)cleaned;
    const std::filesystem::path folder =
        temp / (std::string(kScratchPrefix) + std::to_string(::getpid()));
    std::filesystem::create_directories(folder, error);
    return corePath(folder);
}

} // namespace

namespace bill_pictures_detail {

void putLittleEndian(std::string& out, std::size_t at, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string bitmapHeader(int width, int height) {
    const unsigned stride = static_cast<unsigned>((width * 3 + 3) / 4 * 4);
    const unsigned imageSize = stride * static_cast<unsigned>(height);
    std::string out(kBitmapHeaderSize, '\0');
    out[0] = 'B';
    out[1] = 'M';
    putLittleEndian(out, 2, kBitmapHeaderSize + imageSize, 4);
    putLittleEndian(out, 10, kBitmapHeaderSize, 4);
    putLittleEndian(out, 14, 40, 4);
    putLittleEndian(out, 18, static_cast<unsigned>(width), 4);
    putLittleEndian(out, 22, static_cast<unsigned>(height), 4);
    putLittleEndian(out, 26, 1, 2);
    putLittleEndian(out, 28, 24, 2);
    putLittleEndian(out, 34, imageSize, 4);
    putLittleEndian(out, 38, 3780, 4); // 96 dots per inch
    putLittleEndian(out, 42, 3780, 4);
    return out;
}

} // namespace bill_pictures_detail

void initBMPDialog(int range) {
    gBMPProgress.open = true;
    gBMPProgress.range = std::max(range, 0);
    gBMPProgress.position = 0;
    ++gBMPProgress.timesOpened;
}

void closeBMPDialog() {
    gBMPProgress.open = false;
}

bool bitmapSizeFromBytes(std::string_view bytes, int& width, int& height) {
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const unsigned infoSize = readLittleEndian(bytes, 14, 4);
    long long w = 0;
    long long h = 0;
    if (infoSize == 12) { // the old core header: 16-bit sizes
        w = readLittleEndian(bytes, 18, 2);
        h = readLittleEndian(bytes, 20, 2);
    } else if (infoSize >= 40) {
        w = static_cast<std::int32_t>(readLittleEndian(bytes, 18, 4));
        h = static_cast<std::int32_t>(readLittleEndian(bytes, 22, 4));
        h = h < 0 ? -h : h; // negative: rows stored top-down
    } else {
        return false;
    }
    if (w < 1 || h < 1 || w > kMaxBitmapSide || h > kMaxBitmapSide)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool bitmapSize(const Vtx_String& path, int& width, int& height) {
    std::string bytes;
    return readFileBytes(path, bytes) == eOk && bitmapSizeFromBytes(bytes, width, height);
}

ErrorStatus createImage(const Vtx_StringArray& row, Vtx_BillImageOptions& options,
                        const Vtx_Bill* bill, const Vtx_Transaction* transaction,
                        Vtx_String& file) {
    file.clear();
    if (!bill || !transaction)
        return eNullPtr;
    const int width = options.width > 0 ? std::min(options.width, kBillPictureMaxWidth)
                                        : kBillPictureDefaultWidth;
    const int height = std::max(width / 3, kBillPictureMinHeight);
    const int column =
        options.lengthColumn > 0 ? options.lengthColumn - 1 : bill->findColumn("Length");
    double share = 1;
    double length = 0;
    if (options.measuredBill != bill || options.measuredColumn != column ||
        options.measuredLines != bill->entries.length()) {
        options.measuredBill = bill;
        options.measuredColumn = column;
        options.measuredLines = bill->entries.length();
        options.longest = bill->largestNumber(column);
    }
    const double longest = options.longest;
    if (column >= 0 && column < row.length() && row[column].toDouble(length) && longest > 0)
        share = std::clamp(length / longest, 0.05, 1.0);
    const int margin = std::max(2, height / 4);
    const int barEnd = margin + static_cast<int>((width - 2 * margin) * share);
    const bool frame = options.frame;
    const bool colour = options.colour;
    const std::string bytes = encodeBitmap24(width, height, [&](int x, int y) {
        unsigned rgb = 0xF4F4F0;
        if (frame && (x == 0 || y == 0 || x == width - 1 || y == height - 1))
            rgb = 0x303030;
        else if (x >= margin && x < barEnd && y >= margin && y < height - margin)
            rgb = 0x3C6EB4;
        return colour ? rgb : grey(rgb);
    });
    // Every picture of the process gets a name of its own, whoever asks.
    static long long s_pictures = 0;
    const Vtx_String path = pictureFolder() + "\\part" + Vtx_String::fromInt(++s_pictures) + ".bmp";
    // A scratch file of this process, read back and removed by the caller:
    // written plainly, without syncing it to disk.
    {
        std::ofstream out(nativePath(path), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            return eFileAccessErr;
    }
    ++options.made;
    if (gBMPProgress.open)
        gBMPProgress.position = std::min(gBMPProgress.position + 1, gBMPProgress.range);
    file = path;
    return eOk;
}
