#pragma once

// The host's main window (it asks the user through the host's prompter,
// which main() makes the Qt one): the command line (everything the module prints),
// the module loaded through the host's dynamic linker, and menus that run
// the module's Start functions on the open drawing. Dialogs of the module
// add their menu entries in buildMenus().

#include <QMainWindow>

#ifndef Q_MOC_RUN
#include "DrawingSession.h"
#endif

class QMenu;
class QPlainTextEdit;

namespace host {

class HostWindow : public QMainWindow {
    Q_OBJECT
public:
    /// modulePath: the module library to load.
    explicit HostWindow(const Vtx_String& modulePath, QWidget* parent = nullptr);
    ~HostWindow() override;

    /// Opens a drawing; false (said on the command line) when it cannot be read.
    bool openDrawing(const Vtx_String& path);
    /// Applies the standards of one macro, or of all with an empty name.
    void applyStandards(const Vtx_String& macro);
    /// Saves the drawing: where it was saved last, else asks where.
    bool saveDrawing(bool askWhere);
    DrawingSession& session() { return m_session; }
    QPlainTextEdit* commandLine() const { return m_commandLine; }
    bool moduleLoaded() const { return m_moduleLoaded; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void refreshApplyMenu();
    void loadModule();
    void unloadModule();
    void showTitle();

    Vtx_String m_modulePath;
    bool m_moduleLoaded = false;
    DrawingSession m_session;
    QPlainTextEdit* m_commandLine = nullptr;
    QMenu* m_applyMenu = nullptr;
};

} // namespace host
