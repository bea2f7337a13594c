#pragma once

/// Where designs live and how they are named. A design named "EndPlate\\Main"
/// is the file <root>EndPlate\Main.txt with its background picture
/// <root>EndPlate\Main.bmp beside it, where <root> is the designer root
/// folder below the library folder.
///
///     Vtx_StringArray names;
///     getModuleImages(names);                          // "EndPlate\\Main", ...
///     Vtx_String file = designFilePath(names[0], "txt");

#include "platform/Exports.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

class Vtx_PropertiesList;

/// The library folder followed by "Dialog Templates\\Dialog Design\\".
VTX_MODULE_API Vtx_String getDesignerRootFolder();
/// The names of every design below the root folder (all "*.txt" files,
/// sub-folders included), sorted with the core sort. Empty when the folder
/// does not exist.
VTX_MODULE_API void getModuleImages(Vtx_StringArray& names);

/// The design name of path: the path without the root folder (compared with
/// case ignored; "/" counts as "\\") and without its extension. False, with
/// name unchanged, when the path is not below the root folder or the name
/// would be empty, would climb out of the root ("..") or holds a character
/// not allowed in file names.
bool designNameOfPath(const Vtx_String& path, Vtx_String& name);
/// The root folder, name, "." and ext.
Vtx_String designFilePath(const Vtx_String& name, const Vtx_String& ext);

/// The key of a design file that holds its count of controls.
constexpr const char* kDesignCountKey = "nrOfControls";
/// The count of controls a design file lists; 0 when the key is missing.
/// False when the value is unusable (not a whole number, negative, or more
/// than kMaxDesignControls); problem then says why and count holds how
/// many controls may still be read.
bool readDesignControlCount(const Vtx_PropertiesList& list, int& count, Vtx_String& problem);
