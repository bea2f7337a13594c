#pragma once

/// KsBillWindow: the window a bill is written into, a modeless dialog
/// (resource 248: the grid placeholder 1196, OK, Cancel) over the host's main
/// window. Until a view shows it, the dialog is a HiddenDialogHost; the grid
/// is created over the placeholder as every dialog grid is.
///
///     KsBillWindow window;
///     if (window.create())             // once; the main window keeps the focus
///         window.grid()->setMaxCols(4, true);
///     window.destroy();                // also done by the destructor
///
/// The window has one owner: it cannot be copied.
///
/// Where the module runs with a user interface, it sets a window maker
/// (setBillWindowMaker) that gives a real dialog with the placeholder; a
/// maker that gives none (no application to show windows in), or no maker,
/// leaves the window hidden.

#include "platform/host/HostEditor.h"
#include "spread/DialogHost.h"

#include <memory>

class Vtx_Spread;

/// The dialog resource of the bill window and its grid placeholder.
constexpr int kBillWindowResource = 248;
constexpr int kBillGridPlaceholder = 1196;
/// The placeholder's rectangle in the dialog (pixels).
constexpr Vtx_Rect kBillGridRect{7, 7, 633, 433};

/// Makes the dialog of a bill window: placeholder kBillGridPlaceholder
/// inside, shown without taking the focus from the host's main window. Null
/// when no window can be shown.
using BillWindowMaker = std::unique_ptr<Vtx_DialogHost> (*)();
/// Sets the maker used by every bill window made from now on; null for
/// hidden windows.
void setBillWindowMaker(BillWindowMaker maker);

class KsBillWindow {
public:
    KsBillWindow();
    ~KsBillWindow();
    KsBillWindow(const KsBillWindow&) = delete;
    KsBillWindow& operator=(const KsBillWindow&) = delete;

    /// Makes the window and its grid when there is none yet, then gives the
    /// focus back to the host's main window. True when the window exists.
    bool create();
    /// Destroys the window and its grid (nothing when there is none).
    void destroy();
    bool exists() const { return m_dialog != nullptr; }
    /// The grid while the window exists, else null.
    Vtx_Spread* grid() const;
    /// The window's handle (no window: invalid) and its parent.
    HostWindow handle() const { return m_handle; }
    HostWindow parent() const { return m_parent; }

private:
    std::unique_ptr<Vtx_DialogHost> m_dialog;
    std::unique_ptr<Vtx_Spread> m_grid;
    HostWindow m_handle;
    HostWindow m_parent;
};
