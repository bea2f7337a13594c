#pragma once

/// The dialog-size store: the last size and place of each resizable dialog,
/// kept under its dialog key ("DLG_MACRO_", "DLG_DLGDESIGNER", ...) in one
/// file of the store folder (layout in docs/dialog-size-store.md). Dialogs
/// read their entry when they start and write it when they are destroyed.
///
///     Vtx_DlgSize size;
///     if (getDlgSize("DLG_GENVARS", size))
///         window.setGeometry(size.left, size.top, size.width, size.height);
///     ...
///     WriteDlgSize("DLG_GENVARS", {x, y, w, h});

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"

/// A dialog's place and size in screen pixels.
struct VTX_CORE_API Vtx_DlgSize {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Vtx_DlgSize&) const = default;
};

/// Largest width or height the store accepts, in pixels.
constexpr int kMaxDlgExtent = 100000;
/// Name of the store's file inside the store folder.
constexpr const char* kDlgSizeFileName = "DialogSizes.txt";

/// Sets the folder of the store; empty (the default) means the installation
/// folder (gSettings.vtxDir) at the time of each call.
VTX_CORE_API void setDlgSizeFolder(const Vtx_String& folder);
/// The store's file: the store folder + kDlgSizeFileName; empty when neither
/// a store folder nor an installation folder is set.
VTX_CORE_API Vtx_String dlgSizeFile();

/// The stored size of dialog dlgName (key compared with case ignored). False,
/// size untouched, when there is no file, no entry, the file is unreadable or
/// the entry is not four whole numbers with a width and height from 1 to
/// kMaxDlgExtent.
VTX_CORE_API bool getDlgSize(const Vtx_String& dlgName, Vtx_DlgSize& size);
/// Stores the size of dialog dlgName, keeping every other entry, and writes
/// the file atomically (creating the store folder when missing). A store
/// file that cannot be read as a store is replaced. eInvalidName for an
/// empty name, eInvalidInput for a width or height outside 1 to
/// kMaxDlgExtent, eNotApplicable when no folder is known, eFileAccessErr
/// when the file cannot be written.
VTX_CORE_API ErrorStatus WriteDlgSize(const Vtx_String& dlgName, const Vtx_DlgSize& size);
