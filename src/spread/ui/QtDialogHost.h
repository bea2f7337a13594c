#pragma once

/// Vtx_DialogHost over a real dialog: placeholders are the dialog's child
/// widgets with control ids; a grid replacing one is shown by a SpreadView
/// that takes the placeholder's id and place (its place in a layout, or else
/// the rectangle the grid asks for); the text question goes to the host's
/// prompter (the text-input dialog on the desktop, the script in tests).
///
///     VtxDialog dialog(248);
///     auto* placeholder = new QWidget(&dialog);
///     VtxDialog::setControlId(placeholder, 1196);
///     QtDialogHost host(dialog);
///     grid.createInDialog(&host, 1196, true);
///     SpreadView* view = host.view(1196);

#ifndef Q_MOC_RUN
#include "spread/DialogHost.h"
#endif

#include <QPointer>

#include <map>

namespace vtx::ui {
class VtxDialog;
}

namespace vtx::spreadui {

class SpreadView;

class QtDialogHost : public Vtx_DialogHost {
public:
    explicit QtDialogHost(vtx::ui::VtxDialog& dialog) : m_dialog(&dialog) {}

    /// The view of the grid that replaced placeholder id, or null.
    SpreadView* view(int id) const;

    /// The placeholder's rectangle in the dialog's coordinates.
    bool placeholderRect(int id, Vtx_Rect& rect) const override;
    bool replacePlaceholder(int id, Vtx_Spread& grid, const Vtx_Rect& rect) override;
    bool askText(const Vtx_String& title, const Vtx_String& prompt, Vtx_String& text) override;

private:
    QPointer<vtx::ui::VtxDialog> m_dialog;
    std::map<int, QPointer<SpreadView>> m_views;
};

} // namespace vtx::spreadui
