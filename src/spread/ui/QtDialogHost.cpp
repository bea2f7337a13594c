#include "spread/ui/QtDialogHost.h"

#include "platform/host/Host.h"
#include "platform/ui/VtxDialog.h"
#include "spread/VtxSpread.h"
#include "spread/ui/SpreadView.h"

#include <QLayout>

#include <memory>

namespace vtx::spreadui {

using vtx::ui::VtxDialog;

SpreadView* QtDialogHost::view(int id) const {
    auto it = m_views.find(id);
    return it == m_views.end() ? nullptr : it->second.data();
}

bool QtDialogHost::placeholderRect(int id, Vtx_Rect& rect) const {
    QWidget* placeholder = m_dialog ? m_dialog->control(id) : nullptr;
    if (!placeholder)
        return false;
    const QPoint at = placeholder->mapTo(m_dialog.data(), QPoint(0, 0));
    rect = {at.x(), at.y(), at.x() + placeholder->width(), at.y() + placeholder->height()};
    return true;
}

bool QtDialogHost::replacePlaceholder(int id, Vtx_Spread& grid, const Vtx_Rect& rect) {
    QWidget* placeholder = m_dialog ? m_dialog->control(id) : nullptr;
    if (!placeholder || !grid.model())
        return false;
    QWidget* parent = placeholder->parentWidget();
    auto* view = new SpreadView(grid, parent);
    QLayout* layout = parent ? parent->layout() : nullptr;
    // The layout hands back the placeholder's item, which is ours to delete.
    std::unique_ptr<QLayoutItem> replaced(layout ? layout->replaceWidget(placeholder, view)
                                                 : nullptr);
    if (!replaced) {
        // Not in a layout: the grid's rectangle, in the parent's coordinates.
        const QPoint origin = parent->mapTo(m_dialog.data(), QPoint(0, 0));
        view->setGeometry(rect.left - origin.x(), rect.top - origin.y(), rect.width(),
                          rect.height());
    }
    view->setVisible(placeholder->isVisibleTo(parent));
    delete placeholder;
    VtxDialog::setControlId(view, id);
    m_views[id] = view;
    return true;
}

bool QtDialogHost::askText(const Vtx_String& title, const Vtx_String& prompt, Vtx_String& text) {
    TextInputRequest request;
    request.caption = title;
    request.prompt = prompt;
    request.value = text;
    if (!hostPrompter().textInput(request))
        return false;
    text = request.value;
    return true;
}

} // namespace vtx::spreadui
