#pragma once

/// The pixel size of a picture file, read from its header, so that an export
/// can refuse a damaged picture before a writer trusts its numbers.

#include "platform/core/VtxString.h"

#include <string_view>

/// The largest width or height in pixels an exported picture may have.
constexpr int kMaxPictureSide = 32768;

/// Reads the width and height of a BMP, PNG, GIF or JPEG picture from its
/// bytes. False for any other or damaged content, or a side outside
/// 1..kMaxPictureSide.
bool pictureSizeFromBytes(std::string_view bytes, int& width, int& height);

/// As pictureSizeFromBytes, for a file; false when it cannot be read.
bool pictureSize(const Vtx_String& path, int& width, int& height);
