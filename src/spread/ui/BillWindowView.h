#pragma once

/// The bill window on the desktop: a modeless dialog (resource 248) over the
/// host's main window with the grid placeholder 1196, OK and Cancel. It
/// shows without taking the focus, so the user goes on in the drawing while
/// the bill fills; OK and Cancel (and the close box) hide it, and its owner
/// (the bill output) destroys it.
///
///     setBillWindowMaker(&vtx::spreadui::makeBillWindowView);
///     KsBillWindow window;
///     window.create();                     // a real window from now on

#ifndef Q_MOC_RUN
#include "spread/DialogHost.h"
#endif

#include <QPointer>

#include <memory>

class QWidget;

namespace vtx::ui {
class VtxDialog;
}

namespace vtx::spreadui {

class QtDialogHost;
class SpreadView;

/// The size-store name of the bill window.
inline constexpr const char* kBillWindowSizeKey = "DLG_SS_BILL";

class BillWindowView : public Vtx_DialogHost {
public:
    /// parent: the window the bill window stays over (null: none).
    explicit BillWindowView(QWidget* parent);
    ~BillWindowView() override;

    vtx::ui::VtxDialog* dialog() const { return m_dialog.data(); }
    /// The bill's grid view once the grid is created.
    SpreadView* view() const;

    bool placeholderRect(int id, Vtx_Rect& rect) const override;
    bool replacePlaceholder(int id, Vtx_Spread& grid, const Vtx_Rect& rect) override;
    bool askText(const Vtx_String& title, const Vtx_String& prompt, Vtx_String& text) override;

private:
    QPointer<vtx::ui::VtxDialog> m_dialog;
    std::unique_ptr<QtDialogHost> m_host;
};

/// The bill-window maker of a program with a user interface: a shown
/// BillWindowView over the host's main window, or null when there is no
/// application to show it in.
std::unique_ptr<Vtx_DialogHost> makeBillWindowView();

} // namespace vtx::spreadui
