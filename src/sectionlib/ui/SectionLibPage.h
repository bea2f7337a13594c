#pragma once

/// A page of the section-library editor: a child dialog (its own template
/// and control ids) shown inside the editor's tab control, without a window
/// of its own. Esc and Enter go on to the editor, so they end the editor and
/// never hide the page.

#include "platform/ui/VtxDialog.h"

#include <QKeyEvent>

namespace vtx::sectionui {

class SectionLibPage : public vtx::ui::VtxDialog {
public:
    SectionLibPage(int templateId, QWidget* parent) : VtxDialog(templateId, {}, parent) {
        setWindowFlags(Qt::Widget);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->ignore(); // the editor's own keys
            return;
        default:
            VtxDialog::keyPressEvent(event);
        }
    }
};

} // namespace vtx::sectionui
