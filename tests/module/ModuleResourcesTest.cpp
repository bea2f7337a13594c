#include "module/ModuleResources.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kFrame = 0x808080;

TEST(ModuleResourcesTest, CheckBoxPicturesAreRealBitmaps) {
    ModuleBitmap unchecked;
    ModuleBitmap checked;
    ASSERT_TRUE(moduleResources().loadBitmap(kBitmapCheckUnchecked, unchecked));
    ASSERT_TRUE(moduleResources().loadBitmap(kBitmapCheckChecked, checked));
    EXPECT_EQ(unchecked.width, 16);
    EXPECT_EQ(unchecked.height, 16);
    EXPECT_EQ(unchecked.pixel(2, 2), kFrame);
    EXPECT_EQ(checked.pixel(13, 13), kFrame);
    // The check mark runs through (7, 8); the unchecked box is empty there.
    EXPECT_EQ(checked.pixel(7, 8), kBlack);
    EXPECT_EQ(unchecked.pixel(7, 8), kWhite);
    // Top rows stay at the top (BMP rows are stored bottom-up).
    EXPECT_EQ(checked.pixel(11, 4), kBlack);
    EXPECT_EQ(checked.pixel(11, 11), kWhite);
    EXPECT_EQ(moduleResources().bitmapIds(), (std::vector<int>{148, 206, 212, 223, 231, 232, 233,
                                                               235, 236, 239, 251, 8134, 8136}));
}

TEST(ModuleResourcesTest, TheBillMarkerIsAnArrowIntoThePicture) {
    ModuleBitmap marker;
    ASSERT_TRUE(moduleResources().loadBitmap(kBitmapBillMarker, marker));
    EXPECT_EQ(marker.width, 16);
    EXPECT_EQ(marker.height, 16);
    EXPECT_NE(marker.pixel(3, 0), kWhite) << "the stem starts at the top";
    EXPECT_NE(marker.pixel(14, 9), kWhite) << "the head points right";
    EXPECT_EQ(marker.pixel(14, 0), kWhite);
    EXPECT_EQ(marker.pixel(0, 15), kWhite);
}

TEST(ModuleResourcesTest, TheToggleButtonPictureStandsOnWhite) {
    ModuleBitmap picture;
    ASSERT_TRUE(moduleResources().loadBitmap(kBitmapFlexButton, picture));
    EXPECT_EQ(picture.width, 16);
    EXPECT_EQ(picture.height, 16);
    // White is what a designed dialog shows through: the corners are white,
    // the stiffener (top) and the plate (bottom) are drawn.
    EXPECT_EQ(picture.pixel(0, 0), kWhite);
    EXPECT_EQ(picture.pixel(15, 15), kWhite);
    EXPECT_NE(picture.pixel(7, 3), kWhite);
    EXPECT_NE(picture.pixel(1, 12), kWhite);
    EXPECT_EQ(picture.pixel(1, 3), kWhite);
}

TEST(ModuleResourcesTest, UnknownResourcesAreEmpty) {
    ModuleBitmap bitmap;
    EXPECT_FALSE(moduleResources().loadBitmap(1, bitmap));
    EXPECT_TRUE(bitmap.isNull());
    EXPECT_TRUE(moduleResources().findResource(ResourceKind::Icon, kBitmapCheckChecked).empty());
}

TEST(ModuleBitmapTest, DamagedBytesAreRefusedNeverOverread) {
    std::string_view whole = moduleResources().findResource(ResourceKind::Bitmap, 8136);
    ASSERT_FALSE(whole.empty());
    // Every truncation is refused; run under the address sanitizer this also
    // proves that no byte past the end is read.
    for (std::size_t length = 0; length < whole.size(); ++length) {
        std::string cut(whole.substr(0, length));
        ModuleBitmap bitmap;
        EXPECT_FALSE(decodeBmp(cut, bitmap)) << length;
    }
    std::string huge(whole);
    huge[18] = static_cast<char>(0xFF); // width 0x000010FF
    huge[19] = static_cast<char>(0x10);
    ModuleBitmap bitmap;
    EXPECT_FALSE(decodeBmp(huge, bitmap));
}

TEST(ModuleBitmapTest, TopDownBitmapsKeepTheirOrientation) {
    const std::string_view art[] = {"x.", ".."};
    const PixelColour palette[] = {{'x', 0x123456}, {'.', 0xFFFFFF}};
    std::string bytes = encodeBmp(art, palette);
    // Flip to top-down: negative height and rows swapped.
    std::string topDown = bytes;
    topDown[22] = static_cast<char>(0xFE);
    topDown[23] = topDown[24] = topDown[25] = static_cast<char>(0xFF);
    std::size_t stride = 8;
    std::string rows = topDown.substr(54);
    topDown.replace(54, stride, rows.substr(stride, stride));
    topDown.replace(54 + stride, stride, rows.substr(0, stride));
    ModuleBitmap a;
    ModuleBitmap b;
    ASSERT_TRUE(decodeBmp(bytes, a));
    ASSERT_TRUE(decodeBmp(topDown, b));
    EXPECT_EQ(a.pixel(0, 0), 0x123456u);
    EXPECT_EQ(a.pixels, b.pixels);
}

} // namespace
