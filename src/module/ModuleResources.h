#pragma once

#include "module/ModuleBitmap.h"
#include "platform/core/VtxString.h"
#include "platform/host/Resources.h"

#include <map>
#include <string>

/// Bitmap resource numbers of the module.
enum ModuleBitmapId : int {
    kBitmapDesignerWindow = 148,     ///< the dialog designer's window
    kBitmapDesignerRemove = 206,     ///< designer: remove the selected controls
    kBitmapDesignerAdd = 212,        ///< designer: add a control
    kBitmapDesignerCopy = 223,       ///< designer: copy the selected controls
    kBitmapDesignerBackground = 231, ///< designer: choose the background picture
    kBitmapDesignerOpen = 232,       ///< designer: open a design
    kBitmapDesignerSave = 233,       ///< designer: save the design as
    kBitmapDesignerWidth = 235,      ///< designer: set the width of the selection
    kBitmapDesignerHeight = 236,     ///< designer: set the height of the selection
    kBitmapFlexButton = 239,         ///< the picture of a designed dialog's toggle button
    kBitmapBillMarker = 251,         ///< marks a bill's picture row: the part above
    kBitmapCheckUnchecked = 8134,    ///< the unchecked check box every grid shows
    kBitmapCheckChecked = 8136,      ///< the checked check box every grid shows
};

/// Where the module's code was loaded from: the base address of its image and
/// its file (the program's own file when the module is linked in).
struct ModuleInstance {
    const void* base = nullptr;
    Vtx_String path;
    bool isValid() const { return base != nullptr; }
};

/// The module's own resources, carried in its code: each bitmap is the bytes
/// of a BMP file, drawn from pixel art when the resources are made.
///
///     const ModuleResources& resources = moduleResources();
///     ModuleBitmap checked;
///     resources.loadBitmap(kBitmapCheckChecked, checked);
class ModuleResources : public ResourceSource {
public:
    ModuleResources();

    Vtx_String resourceName() const override;
    std::string_view findResource(ResourceKind kind, int id) const override;

    /// Decodes bitmap id; false when there is none (bitmap unchanged).
    bool loadBitmap(int id, ModuleBitmap& bitmap) const;
    /// The ids of all bitmaps, ascending.
    std::vector<int> bitmapIds() const;

private:
    std::map<int, std::string> m_bitmaps;
};

/// Adds the pictures of the dialog designer's window and tool buttons.
void addDesignerIcons(std::map<int, std::string>& bitmaps);

/// The module's resources (made on first use).
const ModuleResources& moduleResources();

/// The two check-box pictures that all grids share, loaded when the module is
/// loaded (a module-wide object, see ModuleState).
struct CheckBoxPictures {
    ModuleBitmap unchecked;
    ModuleBitmap checked;
    /// The picture for a check state.
    const ModuleBitmap& picture(bool isChecked) const { return isChecked ? checked : unchecked; }
};
