#pragma once

/// Pictures of section (profile) types for the dialogs that let the user
/// choose a section.
///
/// Pictures lie in the icon folder, gSettings.vtxDir + "icons\\", in two
/// sizes: "<base>-big.bmp" and "<base>-small.bmp". The base name comes from
/// the section type number (getSectionTypeName), from the drawing file of a
/// drawing-based section, or from the file name of a user-defined section.
/// User-defined sections keep their own bitmap in the library folder,
/// gSettings.libDir + "User Sections\\<name>.bmp"; for the small size a copy
/// of it, "<name>-automated.bmp", is kept up to date in the icon folder.
///
///     Vtx_String picture = getSectionImageFile("1", "", true);
///     // "ProfSectionI-big.bmp" when that picture is installed,
///     // "Unknown-big.bmp" otherwise
///     showBitmap(gSettings.vtxDir + kIconFolder + picture);

#include "platform/core/VtxString.h"

/// The icon folder, relative to the installation folder.
constexpr const char* kIconFolder = "icons\\";
/// The folder of user-defined sections, relative to the library folder.
constexpr const char* kUserSectionsFolder = "User Sections\\";

/// Removes prefix from the front of text when text starts with it (case
/// ignored, "\\" and "/" alike); false, text unchanged, otherwise.
bool removeFolderPrefix(Vtx_String& text, const Vtx_String& prefix);

/// The picture base name of section type number type (1 "ProfSectionI" to
/// 24 "ProfSectionDouble Cleat"); empty for any other number.
Vtx_String getSectionTypeName(int type);

/// The picture of a section, as a file name relative to the icon folder.
///
/// sectionType is the type number in decimal ("3"), or the name of the
/// drawing of a drawing-based section (ending in ".dwg", case ignored; only
/// its file name counts, folders before it are dropped), or empty for a
/// user-defined section, whose file userSectionFile ("User Sections\\Box.bmp"
/// or "Box.bmp") then names the picture. The result is "<base>-big.bmp" or
/// "<base>-small.bmp" when that file is in the icon folder; for a
/// user-defined section in the small size, the picture copy that
/// ensureAutomatedImage keeps; otherwise "Unknown-big.bmp" or
/// "Unknown-small.bmp". A type text that is not a known number, or an empty
/// user section file, gives the "Unknown" picture.
Vtx_String getSectionImageFile(const Vtx_String& sectionType, const Vtx_String& userSectionFile,
                               bool big);

/// Keeps the icon folder's copy of a user-defined section's bitmap up to
/// date: the source is gSettings.libDir + "User Sections\\" + name + ".bmp",
/// the copy is icon folder + name + "-automated.bmp". The source is copied
/// (whole, through a temporary file and a rename) when the copy is missing
/// or older than the source. True, with pictureName set to
/// name + "-automated.bmp", when the copy is there and up to date afterwards;
/// false (pictureName untouched) when the name is empty or reaches outside
/// its folder (".." or a drive or root), the source does not exist, or the
/// copy cannot be written.
bool ensureAutomatedImage(const Vtx_String& name, Vtx_String& pictureName);
