#include "HostWindow.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/ModalStart.h"
#include "platform/ui/UiText.h"
#include "spread/BillOutput.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace host {

using vtx::ui::qtText;

namespace {

// A path as this system writes it (the module's texts name folders with
// "\\"), still in the module's 8-bit text.
Vtx_String shownPath(Vtx_String path) {
    path.replaceSubString("\\", "/");
    return path;
}

} // namespace

HostWindow::HostWindow(const Vtx_String& modulePath, QWidget* parent)
    : QMainWindow(parent), m_modulePath(modulePath), m_commandLine(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("hostWindow"));
    m_commandLine->setObjectName(QStringLiteral("commandLine"));
    m_commandLine->setReadOnly(true);
    m_commandLine->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_commandLine->setMaximumBlockCount(20000);
    setCentralWidget(m_commandLine);
    vtx::ui::setHostMainWindow(this);
    Host& host = Host::current();
    host.commandLine().setListener([this](std::string_view text) {
        m_commandLine->moveCursor(QTextCursor::End);
        m_commandLine->insertPlainText(qtText(Vtx_String(std::string(text))));
        m_commandLine->ensureCursorVisible();
    });
    buildMenus();
    loadModule();
    showTitle();
    resize(900, 560);
}

HostWindow::~HostWindow() {
    // The bill window's code is the module's: it goes before the module.
    m_bill.reset();
    unloadModule();
    vtx::ui::setHostMainWindow(nullptr);
    Host::current().commandLine().setListener({});
}

void HostWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open drawing..."), this, [this] {
        FileDialogRequest request;
        request.caption = "Open drawing";
        request.folder = gSettings.libDir + "Drawings";
        request.filter = "Drawings (*.vtxd)|*.vtxd|All files (*)|*";
        Vtx_String path;
        if (hostPrompter().fileDialog(request, path))
            openDrawing(path);
    });
    file->addAction(QStringLiteral("&Save drawing"), QKeySequence::Save, this,
                    [this] { saveDrawing(false); });
    file->addAction(QStringLiteral("Save drawing &as..."), this, [this] { saveDrawing(true); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* module = menuBar()->addMenu(QStringLiteral("&Module"));
    module->addAction(QStringLiteral("&Load module"), this, [this] { loadModule(); });
    module->addAction(QStringLiteral("&Unload module"), this, [this] { unloadModule(); });

    QMenu* standards = menuBar()->addMenu(QStringLiteral("&Standards"));
    m_applyMenu = standards->addMenu(QStringLiteral("&Apply standards to"));
    m_variablesMenu = standards->addMenu(QStringLiteral("Macro &variables of"));
    standards->addAction(QStringLiteral("&General variables of the drawing..."), this, [this] {
        if (!m_moduleLoaded)
            hostPrintf("*Error* The module is not loaded.\n");
        else if (!m_session.isOpen())
            hostPrintf("*Error* No drawing is open.\n");
        else if (m_session.editGeneralVariables())
            hostPrintf("The general variables of the drawing were changed.\n");
        showTitle();
    });
    refreshApplyMenu();
    buildSpreadsheetMenu();
    buildSectionsMenu();
    buildDialogsMenu();
}

void HostWindow::refreshApplyMenu() {
    m_applyMenu->clear();
    const Vtx_StringArray macros = m_session.macrosWithStandards();
    for (const Vtx_String& macro : macros)
        m_applyMenu->addAction(qtText(macro), this, [this, macro] { applyStandards(macro); });
    if (!macros.isEmpty()) {
        m_applyMenu->addSeparator();
        m_applyMenu->addAction(QStringLiteral("Every macro"), this, [this] { applyStandards({}); });
    }
    m_applyMenu->setEnabled(!macros.isEmpty());

    m_variablesMenu->clear();
    const Vtx_StringArray all = m_session.macroNames();
    for (const Vtx_String& macro : all)
        m_variablesMenu->addAction(qtText(macro), this,
                                   [this, macro] { editGeneralVariables(macro); });
    m_variablesMenu->setEnabled(!all.isEmpty());
}

void HostWindow::loadModule() {
    if (m_moduleLoaded)
        return;
    Vtx_String reason;
    if (Host::current().linker().loadModule(m_modulePath, &reason) == eOk) {
        m_moduleLoaded = true;
        hostPrintf("Module loaded: %s\n", m_modulePath.c_str());
    } else {
        hostPrintf("*Error* The module %s was not loaded: %s\n", m_modulePath.c_str(),
                   reason.c_str());
    }
}

void HostWindow::unloadModule() {
    if (!m_moduleLoaded)
        return;
    m_bill.reset();
    const QString name = QFileInfo(qtText(m_modulePath)).completeBaseName();
    Vtx_String moduleName;
    vtx::ui::moduleText(name, moduleName);
    Vtx_String reason;
    if (Host::current().linker().unloadModule(moduleName, &reason) == eOk) {
        m_moduleLoaded = false;
        hostPrintf("Module unloaded.\n");
    } else {
        hostPrintf("*Error* The module was not unloaded: %s\n", reason.c_str());
    }
}

bool HostWindow::openDrawing(const Vtx_String& path) {
    Vtx_String reason;
    if (!m_session.open(path, reason)) {
        hostPrintf("*Error* %s\n", reason.c_str());
        return false;
    }
    hostPrintf("Drawing opened: %s\n", shownPath(path).c_str());
    refreshApplyMenu();
    showTitle();
    return true;
}

void HostWindow::applyStandards(const Vtx_String& macro) {
    if (!m_moduleLoaded) {
        hostPrintf("*Error* The module is not loaded.\n");
        return;
    }
    const Vtx_StringArray macros =
        macro.isEmpty() ? m_session.macrosWithStandards() : Vtx_StringArray{macro};
    for (const Vtx_String& name : macros)
        m_session.applyStandards(name);
    showTitle();
}

bool HostWindow::saveDrawing(bool askWhere) {
    if (!m_session.isOpen())
        return false;
    Vtx_String target = m_session.savePath();
    if (askWhere || target.isEmpty()) {
        FileDialogRequest request;
        request.mode = FileDialogRequest::Mode::Save;
        request.caption = "Save drawing";
        const QFileInfo read(QString::fromStdString(nativePath(m_session.path()).string()));
        Vtx_String name;
        vtx::ui::moduleText(read.completeBaseName() + QStringLiteral("-changed.vtxd"), name);
        request.fileName = name;
        request.filter = "Drawings (*.vtxd)|*.vtxd";
        request.defaultExtension = "vtxd";
        if (!hostPrompter().fileDialog(request, target))
            return false;
    }
    Vtx_String reason;
    if (!m_session.saveAs(target, reason)) {
        hostPrintf("*Error* The drawing was not saved: %s\n", reason.c_str());
        return false;
    }
    hostPrintf("Drawing saved to %s\n", shownPath(target).c_str());
    statusBar()->showMessage(QStringLiteral("Saved to ") + qtText(target));
    showTitle();
    return true;
}

void HostWindow::showTitle() {
    QString title = QStringLiteral("vtxss host");
    if (m_session.isOpen())
        title = QString::fromStdString(nativePath(m_session.path()).filename().string()) +
                (m_session.isModified() ? QStringLiteral(" *") : QString()) +
                QStringLiteral(" - ") + title;
    setWindowTitle(title);
}

void HostWindow::closeEvent(QCloseEvent* event) {
    if (m_session.isModified()) {
        const MessageResult answer =
            hostPrompter().messageBox("The drawing has changed. Save it?", "vtxss host",
                                      MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageResult::Cancel ||
            (answer == MessageResult::Yes && !saveDrawing(false))) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace host
