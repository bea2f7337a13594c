#pragma once

/// The dialog designer as the family's modules start it. Declared without
/// Qt: the window lives in the module's dialog layer.
///
///     if (StartDlgDesigner(getDesignerRootFolder() + "EndPlate\\EndPlate.txt"))
///         ...   // the user left with OK

#include "platform/Exports.h"
#include "platform/core/VtxString.h"

/// Opens the designer window modally on the design file at path (an empty
/// path, or one without a file, opens an empty design). A changed design is
/// offered for saving when the user leaves. True when the user left with
/// OK, false with the close box.
VTX_MODULE_API bool StartDlgDesigner(const Vtx_String& path);
