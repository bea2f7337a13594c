#include "designer/ui/DesignerWindow.h"

#include "designer/ControlTypes.h"
#include "designer/DesignerDialogs.h"
#include "designer/ui/DesignArea.h"
#include "designer/ui/DesignTracker.h"
#include "designer/ui/DesignWidgets.h"
#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/ModalStart.h"
#include "platform/ui/UiText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace vtx::designui {

using vtx::ui::qtText;
using vtx::ui::uiText;

namespace {

constexpr int kTemplate = 1297;
constexpr int kTitleText = 843;
constexpr int kTypeFrameText = 836;
constexpr int kOkText = 285;
constexpr int kWindowIcon = 148;

/// The window's size in dialog units; the design area is what lies above
/// the strip.
constexpr int kWidthDu = 296;
constexpr int kHeightDu = 164;
constexpr int kStripDu = 46;

/// A module icon (or bitmap, white transparent); a style icon when the
/// module has none.
QIcon moduleIcon(int id, QStyle::StandardPixmap fallback) {
    const QPixmap pixmap = moduleResourcePixmap(id);
    return pixmap.isNull() ? QApplication::style()->standardIcon(fallback) : QIcon(pixmap);
}

QStyle::StandardPixmap fallbackIcon(int icon) {
    switch (icon) {
    case 232:
        return QStyle::SP_DialogOpenButton;
    case 233:
        return QStyle::SP_DialogSaveButton;
    case 212:
        return QStyle::SP_FileIcon;
    case 206:
        return QStyle::SP_TrashIcon;
    case 235:
        return QStyle::SP_ArrowRight;
    case 236:
        return QStyle::SP_ArrowDown;
    case 223:
        return QStyle::SP_FileDialogNewFolder;
    case 231:
        return QStyle::SP_DirIcon;
    default:
        return QStyle::SP_DesktopIcon;
    }
}

} // namespace

DesignerWindow::DesignerWindow(const Vtx_String& startPath, QWidget* parent)
    : VtxDialog(kTemplate, "DLG_DLGDESIGNER", parent) {
    setSizeGripEnabled(true);
    setWindowIcon(moduleIcon(kWindowIcon, fallbackIcon(kWindowIcon)));
    m_area = new DesignArea(this, true);
    setControlId(m_area, kDesignerArea);
    m_area->design().setDynIdRange(kDesignerFirstId, kDesignerLastId);
    m_tracker = new DesignTracker(m_area);
    connect(m_tracker, &DesignTracker::selectionChanged, this, [this] {
        endTyping();
        updateProps();
    });
    connect(m_tracker, &DesignTracker::geometryChanged, this, [this] { edit(true); });
    buildStrip();
    buildCommands();
    placeControls();
    if (!startPath.isEmpty() && fileExists(startPath))
        loadDesign(startPath);
    updateTitle();
    updateProps();
}

DesignerWindow::~DesignerWindow() = default;

Vtx_DlgDesignerData& DesignerWindow::design() {
    return m_area->design();
}

QToolButton* DesignerWindow::toolButton(int id, int icon) {
    auto* button = new QToolButton(this);
    button->setIcon(moduleIcon(icon, fallbackIcon(icon)));
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    setControlId(button, id);
    return button;
}

void DesignerWindow::buildStrip() {
    auto* typeFrame = new QGroupBox(uiText(kTypeFrameText), this);
    setControlId(typeFrame, kDesignerTypeFrame);
    m_contentsFrame = new QGroupBox(this);
    setControlId(m_contentsFrame, kDesignerContentsFrame);
    m_comboFrame = new QGroupBox(this);
    setControlId(m_comboFrame, kDesignerComboFrame);

    m_type = new QComboBox(this);
    setControlId(m_type, kDesignerType);
    for (int type = 0; type < kControlTypeCount; ++type)
        m_type->addItem(qtText(controlTypeText(static_cast<Vtx_ControlType>(type))));
    m_contents = new QLineEdit(this);
    setControlId(m_contents, kDesignerContents);
    m_comboList = new QLineEdit(this);
    setControlId(m_comboList, kDesignerComboList);
    connect(m_type, &QComboBox::activated, this, [this] { propsEdited(true); });
    connect(m_contents, &QLineEdit::textEdited, this, [this] { propsEdited(false); });
    connect(m_comboList, &QLineEdit::textEdited, this, [this] { propsEdited(false); });
    connect(m_contents, &QLineEdit::editingFinished, this, [this] { endTyping(); });
    connect(m_comboList, &QLineEdit::editingFinished, this, [this] { endTyping(); });

    const auto command = [this](int id, int icon, auto what) {
        connect(toolButton(id, icon), &QToolButton::clicked, this, what);
    };
    command(kDesignerOpen, 232, [this] { openDesign(); });
    command(kDesignerSaveAs, 233, [this] { saveDesignAs(); });
    command(kDesignerAdd, 212, [this] { edit(design().addNewControl(ctVarEdit)); });
    command(kDesignerCopy, 223, [this] { edit(design().copyCurCtrls()); });
    command(kDesignerRemove, 206, [this] { edit(design().removeCurControls()); });
    command(kDesignerWidth, 235, [this] { askSize(true); });
    command(kDesignerHeight, 236, [this] { askSize(false); });
    command(kDesignerBackground, 231, [this] { chooseBackground(); });
    for (const auto& [id, caption] :
         {std::pair{int(kDesignerOutline), "_ _"}, std::pair{int(kDesignerStickRight), "| |"}}) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setFocusPolicy(Qt::NoFocus);
        setControlId(button, id);
        connect(button, &QPushButton::clicked, this, [this, id = id] {
            edit(id == kDesignerOutline ? design().outlineCurCtrls()
                                        : design().stickRightCurCtrls());
        });
    }
    auto* ok = new QPushButton(uiText(kOkText), this);
    setControlId(ok, 1);
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &DesignerWindow::accept);
    // Cancel is there, as in every dialog, but never shown: the close box
    // leaves the designer.
    auto* cancel = new QPushButton(uiText(2), this);
    setControlId(cancel, 2);
    cancel->hide();
}

void DesignerWindow::placeControls() {
    // Controls stand at fixed places in dialog units of the font; the strip
    // keeps its distance to the bottom edge.
    const QPointF du = dialogUnit();
    const int top = kHeightDu - kStripDu;
    const auto place = [&](int id, int x, int y, int w, int h) {
        placeControl(id, du, x, top + y, w, h);
    };
    const int tools[] = {kDesignerOpen,       kDesignerSaveAs,    kDesignerAdd,    kDesignerCopy,
                         kDesignerRemove,     kDesignerWidth,     kDesignerHeight, kDesignerOutline,
                         kDesignerStickRight, kDesignerBackground};
    for (int k = 0; k < static_cast<int>(std::size(tools)); ++k)
        place(tools[k], 4 + 17 * k, 2, 16, 14);
    place(kDesignerTypeFrame, 4, 18, 84, 26);
    place(kDesignerType, 8, 27, 76, 12);
    place(kDesignerContentsFrame, 92, 18, 100, 26);
    place(kDesignerContents, 96, 27, 92, 12);
    place(kDesignerComboFrame, 196, 18, 56, 26);
    place(kDesignerComboList, 200, 27, 48, 12);
    place(1, 256, 28, 36, 14);
    place(2, 256, 12, 36, 14);
    const QSize size(qRound(kWidthDu * du.x()), qRound(kHeightDu * du.y()));
    m_area->setGeometry(0, 0, size.width(), qRound(top * du.y()));
    resize(size);
    setMinimumSize(size); // the size at opening is the smallest

    using vtx::ui::kKeepFar;
    using vtx::ui::kKeepNear;
    using vtx::ui::kKeepSize;
    m_layout.registerControls(this);
    const int fixed = kKeepNear | kKeepSize;
    const int farFixed = kKeepFar | kKeepSize;
    const int stretch = kKeepNear | kKeepFar;
    for (const int id : tools)
        m_layout.setAnchors(id, fixed, farFixed);
    for (const int id : {int(kDesignerTypeFrame), int(kDesignerType)})
        m_layout.setAnchors(id, fixed, farFixed);
    for (const int id : {int(kDesignerContentsFrame), int(kDesignerContents)})
        m_layout.setAnchors(id, stretch, farFixed);
    for (const int id : {int(kDesignerComboFrame), int(kDesignerComboList), 1, 2})
        m_layout.setAnchors(id, farFixed, farFixed);
    m_layout.setAnchors(kDesignerArea, stretch, stretch);
}

void DesignerWindow::updateTitle() {
    QString title = uiText(kTitleText);
    if (!design().designName().isEmpty())
        title += QStringLiteral(" - <") + qtText(design().designName()) + QStringLiteral(">");
    setWindowTitle(title);
}

void DesignerWindow::redraw() {
    const Vtx_Array<int> selection = design().getSelectedIds();
    m_area->redrawAllControls();
    design().selectCtrls(selection);
    m_tracker->raise();
    m_tracker->update();
}

void DesignerWindow::updateProps() {
    m_updatingProps = true;
    const int i = design().getCurSel();
    const Vtx_DesignerControl* control = design().getControl(i);
    const bool shown = control != nullptr;
    const bool withList = shown && editsComboList(control->type);
    m_type->setCurrentIndex(shown ? control->type : -1);
    m_contents->setText(shown ? qtText(control->contents) : QString());
    m_contentsFrame->setTitle(shown ? qtText(contentsHint(control->type)) : QString());
    m_comboFrame->setTitle(withList ? qtText(comboListHint(control->type)) : QString());
    m_comboList->setText(withList ? qtText(control->getMergedExtComboList()) : QString());
    m_comboList->setCursorPosition(0); // a long path shows its start
    for (QWidget* widget : {static_cast<QWidget*>(m_type), static_cast<QWidget*>(m_contents),
                            static_cast<QWidget*>(m_contentsFrame)})
        widget->setEnabled(shown);
    m_comboFrame->setEnabled(withList);
    m_comboList->setEnabled(withList);
    m_updatingProps = false;
}

void DesignerWindow::propsEdited(bool typeChanged) {
    const int i = design().getCurSel();
    if (m_updatingProps || i < 0 || m_type->currentIndex() < 0)
        return;
    Vtx_String contents;
    Vtx_String comboList;
    if (!vtx::ui::moduleText(m_contents->text(), contents) ||
        !vtx::ui::moduleText(m_comboList->text(), comboList)) {
        showFailure(string(vtx::ui::kUnholdableTextNumber));
        updateProps();
        return;
    }
    const auto type = static_cast<Vtx_ControlType>(m_type->currentIndex());
    // A type without a combo list keeps the one it has; the strip does not show it.
    if (!editsComboList(type) && !typeChanged)
        comboList = design().getControl(i)->getMergedExtComboList();
    if (typeChanged) {
        endTyping();
        if (!editsComboList(type))
            comboList = design().getControl(i)->getMergedExtComboList();
    } else if (!m_typing) {
        // Typing in the strip is one undo step until the edit is left.
        m_typing = true;
        design().beginChange();
    }
    if (!design().setControlProps(i, type, contents, comboList))
        return;
    redraw();
    if (typeChanged)
        updateProps();
}

void DesignerWindow::endTyping() {
    if (!m_typing)
        return;
    m_typing = false;
    design().endChange();
}

void DesignerWindow::edit(bool changed) {
    endTyping();
    if (changed)
        redraw();
    updateProps();
}

void DesignerWindow::askSize(bool horizontal) {
    endTyping();
    if (design().getSelectedIds().isEmpty())
        return;
    TextInputRequest request;
    request.caption = dialString(horizontal ? 90 : 744);
    request.prompt = dialString(horizontal ? 825 : 826);
    request.value = horizontal ? "30" : "18";
    request.okCaption = dialString(1);
    request.cancelCaption = dialString(2);
    if (!hostPrompter().textInput(request))
        return;
    // Text that is no number counts as 0 pixels, as C's atof reads it.
    edit(design().changeCurCtrlsSize(horizontal, std::atof(request.value.c_str())));
}

void DesignerWindow::keyPressEvent(QKeyEvent* event) {
    // Escape does not leave the designer: only OK and the close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    VtxDialog::keyPressEvent(event);
}

void DesignerWindow::accept() {
    endTyping();
    if (promptToSave())
        VtxDialog::accept();
}

void DesignerWindow::reject() {
    endTyping();
    if (promptToSave())
        VtxDialog::reject();
}

} // namespace vtx::designui

bool StartDlgDesigner(const Vtx_String& path) {
    vtx::ui::ModuleResourcesScope resources;
    vtx::designui::DesignerWindow window(path);
    return window.exec() == QDialog::Accepted;
}
