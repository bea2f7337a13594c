#include "module/ModuleResources.h"

#include "module/ModuleEntry.h"
#include "spread/BillOutput.h"

#include <filesystem>

namespace {

// Constant-initialised: the resources may be made during process attach, before
// this file's dynamic initialisers have run.

// '.' background, '#' frame, 'o' box, 'x' check mark.
constexpr PixelColour kCheckBoxPalette[] = {
    {'.', 0xFFFFFF}, {'#', 0x808080}, {'o', 0xFFFFFF}, {'x', 0x000000}};

constexpr std::string_view kCheckBoxUnchecked[] = {
    "................", "................", "..############..", "..#oooooooooo#..",
    "..#oooooooooo#..", "..#oooooooooo#..", "..#oooooooooo#..", "..#oooooooooo#..",
    "..#oooooooooo#..", "..#oooooooooo#..", "..#oooooooooo#..", "..#oooooooooo#..",
    "..#oooooooooo#..", "..############..", "................", "................",
};

constexpr std::string_view kCheckBoxChecked[] = {
    "................", "................", "..############..", "..#oooooooooo#..",
    "..#ooooooooxo#..", "..#oooooooxxo#..", "..#ooxoooxxxo#..", "..#ooxxoxxxoo#..",
    "..#ooxxxxxooo#..", "..#oooxxxoooo#..", "..#ooooxooooo#..", "..#oooooooooo#..",
    "..#oooooooooo#..", "..############..", "................", "................",
};

// An arrow that comes down from the part's row and turns right into its
// picture: '.' background, 'a' arrow.
constexpr PixelColour kBillMarkerPalette[] = {{'.', 0xFFFFFF}, {'a', 0x804000}};

constexpr std::string_view kBillMarker[] = {
    "...aa...........", "...aa...........", "...aa...........", "...aa...........",
    "...aa...........", "...aa.....a.....", "...aa.....aa....", "...aa.....aaa...",
    "...aaaaaaaaaaa..", "...aaaaaaaaaaaa.", "..........aaa...", "..........aa....",
    "..........a.....", "................", "................", "................",
};

// A plate with a stiffener welded to it, the part a toggle button of a
// designed dialog switches on or off: '.' background (white, transparent),
// '#' outline, 'o' face, 'w' weld.
constexpr PixelColour kFlexButtonPalette[] = {
    {'.', 0xFFFFFF}, {'#', 0x203860}, {'o', 0x90B0D8}, {'w', 0xC04000}};

constexpr std::string_view kFlexButton[] = {
    "................", "......####......", "......#oo#......", "......#oo#......",
    "......#oo#......", "......#oo#......", "......#oo#......", "......#oo#......",
    "......#oo#......", "......#oo#......", ".....w#oo#w.....", "################",
    "#oooooooooooooo#", "#oooooooooooooo#", "################", "................",
};

static_assert(kBitmapBillMarker == kBillPictureMarker, "the bill names the module's marker");

} // namespace

ModuleResources::ModuleResources() {
    m_bitmaps[kBitmapFlexButton] = encodeBmp(kFlexButton, kFlexButtonPalette);
    m_bitmaps[kBitmapBillMarker] = encodeBmp(kBillMarker, kBillMarkerPalette);
    m_bitmaps[kBitmapCheckUnchecked] = encodeBmp(kCheckBoxUnchecked, kCheckBoxPalette);
    m_bitmaps[kBitmapCheckChecked] = encodeBmp(kCheckBoxChecked, kCheckBoxPalette);
    addDesignerIcons(m_bitmaps);
}

Vtx_String ModuleResources::resourceName() const {
    const ModuleInstance& instance = moduleInstance();
    if (instance.path.isEmpty())
        return "vtxssmodule";
    return Vtx_String(std::filesystem::path(instance.path.str()).filename().string());
}

std::string_view ModuleResources::findResource(ResourceKind kind, int id) const {
    if (kind != ResourceKind::Bitmap)
        return {};
    auto it = m_bitmaps.find(id);
    return it == m_bitmaps.end() ? std::string_view() : std::string_view(it->second);
}

bool ModuleResources::loadBitmap(int id, ModuleBitmap& bitmap) const {
    std::string_view bytes = findResource(ResourceKind::Bitmap, id);
    ModuleBitmap decoded;
    decoded.id = id;
    if (bytes.empty() || !decodeBmp(bytes, decoded))
        return false;
    bitmap = std::move(decoded);
    return true;
}

std::vector<int> ModuleResources::bitmapIds() const {
    std::vector<int> ids;
    for (const auto& [id, bytes] : m_bitmaps)
        ids.push_back(id);
    return ids;
}

const ModuleResources& moduleResources() {
    static const ModuleResources resources;
    return resources;
}
