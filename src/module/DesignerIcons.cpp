// The pictures of the dialog designer's window and tool buttons, drawn as
// 16 x 16 pixel art. White is the background, which the designer shows
// transparent.

#include "module/ModuleResources.h"

#include <array>
#include <string_view>

namespace {

// '.' white, '#' ink, 'o' light face, 'g' green, 'r' red, 'y' folder, 's' sky.
constexpr PixelColour kPalette[] = {{'.', 0xFFFFFF}, {'#', 0x203860}, {'o', 0x90B0D8},
                                    {'g', 0x20A040}, {'r', 0xC03020}, {'y', 0xE0B040},
                                    {'s', 0xB8D8F0}};

using Art = std::array<std::string_view, 16>;

// A dialog with a title bar, an edit and a button.
constexpr Art kDesignerWindow = {
    "................", "################", "#oooooooooooooo#", "################",
    "#..............#", "#.###########..#", "#.#.........#..#", "#.###########..#",
    "#..............#", "#..............#", "#.........####.#", "#.........#oo#.#",
    "#.........####.#", "#..............#", "################", "................"};

// A new control: an edit with a green plus at its corner.
constexpr Art kAdd = {
    "................", "................", "................", "..........gg....",
    "..........gg....", "........gggggg..", "........gggggg..", "..........gg....",
    "##########gg....", "#........#......", "#........#......", "#........#......",
    "##########......", "................", "................", "................"};

// A copy: two controls, the second behind the first.
constexpr Art kCopy = {
    "................", "................", ".....#########..", ".....#ooooooo#..",
    ".....#ooooooo#..", ".....#ooooooo#..", "..#########oo#..", "..#.......#oo#..",
    "..#.......#oo#..", "..#.......#oo#..", "..#.......#####.", "..#.......#.....",
    "..#########.....", "................", "................", "................"};

// Remove: a red cross.
constexpr Art kRemove = {
    "................", "................", "..rr........rr..", "...rr......rr...",
    "....rr....rr....", ".....rr..rr.....", "......rrrr......", ".......rr.......",
    "......rrrr......", ".....rr..rr.....", "....rr....rr....", "...rr......rr...",
    "..rr........rr..", "................", "................", "................"};

// The background picture: a framed landscape.
constexpr Art kBackground = {
    "................", "################", "#ssssssssssssss#", "#ssssssssssyyss#",
    "#ssssssssssyyss#", "#ssssssssssssss#", "#sssss#ssssssss#", "#ssss###sssssss#",
    "#sss#####sss#ss#", "#ss#######s###s#", "#s###########g##", "#gggggggggggggg#",
    "#gggggggggggggg#", "################", "................", "................"};

// Open: a folder.
constexpr Art kOpen = {
    "................", "................", ".#####..........", "#yyyyy#.........",
    "#yyyyyy#######..", "#yyyyyyyyyyyyy#.", "#yy############.", "#yy#ooooooooooo#",
    "#y#ooooooooooo#.", "#y#oooooooooo#..", "##ooooooooooo#..", "#############...",
    "................", "................", "................", "................"};

// Save: a diskette.
constexpr Art kSave = {
    "................", ".##############.", ".#o#........#o#.", ".#o#........#o#.",
    ".#o#........#o#.", ".#o##########o#.", ".#oooooooooooo#.", ".#oo########oo#.",
    ".#oo#.##...#oo#.", ".#oo#.##...#oo#.", ".#oo#.##...#oo#.", ".#oo#......#oo#.",
    ".##############.", "................", "................", "................"};

// Width: a horizontal arrow between two lines.
constexpr Art kWidth = {
    "................", "................", "#..............#", "#..............#",
    "#..............#", "#...#......#...#", "#..##......##..#", "#.############.#",
    "#.############.#", "#..##......##..#", "#...#......#...#", "#..............#",
    "#..............#", "#..............#", "................", "................"};

// Height: a vertical arrow between two lines.
constexpr Art kHeight = {
    "..############..", "................", ".......##.......", "......####......",
    ".....######.....", ".......##.......", ".......##.......", ".......##.......",
    ".......##.......", ".......##.......", ".......##.......", ".....######.....",
    "......####......", ".......##.......", "................", "..############.."};

} // namespace

void addDesignerIcons(std::map<int, std::string>& bitmaps) {
    const std::pair<int, const Art*> icons[] = {{kBitmapDesignerWindow, &kDesignerWindow},
                                                {kBitmapDesignerRemove, &kRemove},
                                                {kBitmapDesignerAdd, &kAdd},
                                                {kBitmapDesignerCopy, &kCopy},
                                                {kBitmapDesignerBackground, &kBackground},
                                                {kBitmapDesignerOpen, &kOpen},
                                                {kBitmapDesignerSave, &kSave},
                                                {kBitmapDesignerWidth, &kWidth},
                                                {kBitmapDesignerHeight, &kHeight}};
    for (const auto& [id, art] : icons)
        bitmaps[id] = encodeBmp(*art, kPalette);
}
