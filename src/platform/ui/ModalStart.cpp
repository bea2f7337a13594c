#include "platform/ui/ModalStart.h"

#include "platform/host/Host.h"

#include <QPointer>
#include <QWidget>

namespace vtx::ui {

namespace {

const ResourceSource* gModuleResources = nullptr;
QPointer<QWidget> gHostMainWindow;

} // namespace

void setModuleResources(const ResourceSource* source) {
    gModuleResources = source;
}

const ResourceSource* moduleResources() {
    return gModuleResources;
}

void setHostMainWindow(QWidget* window) {
    gHostMainWindow = window;
}

QWidget* hostMainWindow() {
    return gHostMainWindow.data();
}

ModuleResourcesScope::ModuleResourcesScope()
    : m_previous(Host::current().resources().setCurrent(gModuleResources)) {}

ModuleResourcesScope::~ModuleResourcesScope() {
    Host::current().resources().setCurrent(m_previous);
}

EditorCommandBracket::EditorCommandBracket(QWidget* dialog)
    : m_dialog(dialog), m_wasVisible(dialog && dialog->isVisible()) {
    if (m_wasVisible)
        m_dialog->hide();
    hostBeginEditorCommand();
}

EditorCommandBracket::~EditorCommandBracket() {
    hostCompleteEditorCommand();
    if (m_wasVisible)
        m_dialog->show();
}

} // namespace vtx::ui
