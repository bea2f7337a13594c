#include "spread/ui/FormulaWindow.h"

#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/ModalStart.h"
#include "platform/ui/UiText.h"
#include "spread/ReadSSFile.h"
#include "spread/ui/QtDialogHost.h"
#include "spread/ui/SpreadView.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vtx::spreadui {

using vtx::ui::kUnholdableTextNumber;
using vtx::ui::qtText;
using vtx::ui::uiText;
using vtx::ui::VtxDialog;

namespace {

constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;
constexpr const char* kSheetFilter = "Spreadsheets (*.sss *.kss)|*.sss;*.kss|All files (*)|*";

QList<FormulaWindow*>& windows() {
    static QList<FormulaWindow*> open;
    return open;
}

QPushButton* button(QWidget* parent, const QString& text, int id) {
    auto* made = new QPushButton(text, parent);
    made->setAutoDefault(false);
    VtxDialog::setControlId(made, id);
    return made;
}

} // namespace

FormulaWindow::FormulaWindow(FormulaDialogMode mode, const Vtx_String& fileName, QWidget* parent)
    : VtxDialog(kFormulaDialogResource, "DLG_FORMULAS", parent),
      m_record(std::make_unique<KsFormulaDialog>(mode, fileName)) {
    setWindowTitle(QString::fromLatin1(kFormulaDialogCaption));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    // Room for a path and a sheet's first columns; the user may resize it.
    resize(760, 520);
    m_host = std::make_unique<QtDialogHost>(*this);
    m_record->setDialogHost(m_host.get());
    windows().append(this);
}

FormulaWindow::~FormulaWindow() {
    windows().removeOne(this);
    // The grid goes before the window that shows it.
    m_record.reset();
    m_host.reset();
}

QList<FormulaWindow*> FormulaWindow::openWindows() {
    return windows();
}

void FormulaWindow::buildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* fileRow = new QHBoxLayout;
    m_fileName = new QLineEdit(this);
    setControlId(m_fileName, kFormulaFileNameEdit);
    auto* browseButton = new QPushButton(QStringLiteral("..."), this);
    browseButton->setObjectName(QStringLiteral("browse"));
    browseButton->setAutoDefault(false);
    browseButton->setToolTip(QStringLiteral("Choose a spreadsheet file"));
    fileRow->addWidget(m_fileName, 1);
    fileRow->addWidget(browseButton);
    QPushButton* loadButton = button(this, QStringLiteral("Load from File"), kFormulaLoadFromFile);
    QPushButton* saveButton = button(this, QStringLiteral("Save to File"), kFormulaSaveToFile);
    fileRow->addWidget(loadButton);
    fileRow->addWidget(saveButton);
    layout->addLayout(fileRow);

    auto* optionsRow = new QHBoxLayout;
    auto* styleBox = new QGroupBox(QStringLiteral("Style"), this);
    auto* styleLayout = new QHBoxLayout(styleBox);
    m_styles = new QButtonGroup(this);
    const std::pair<const char*, int> styles[] = {{"&Default", kFormulaStyleDefaultRadio},
                                                  {"&A1", kFormulaStyleA1Radio},
                                                  {"&R1C1", kFormulaStyleR1C1Radio}};
    int style = kFormulaStyleDefault;
    for (const auto& [text, id] : styles) {
        auto* radio = new QRadioButton(QString::fromLatin1(text), styleBox);
        setControlId(radio, id);
        styleLayout->addWidget(radio);
        m_styles->addButton(radio, style++);
    }
    optionsRow->addWidget(styleBox);
    m_autoCalculate = new QCheckBox(QStringLiteral("Auto calculate"), this);
    setControlId(m_autoCalculate, kFormulaAutoCalculate);
    m_recalculate = button(this, QStringLiteral("Recalculate"), kFormulaRecalculate);
    optionsRow->addWidget(m_autoCalculate);
    optionsRow->addWidget(m_recalculate);
    optionsRow->addStretch(1);
    layout->addLayout(optionsRow);

    auto* placeholder = new QWidget(this);
    placeholder->setMinimumSize(kFormulaGridRect.width(), kFormulaGridRect.height());
    setControlId(placeholder, kFormulaGridPlaceholder);
    layout->addWidget(placeholder, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(uiText(kOkButton), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(uiText(kCancelButton), QDialogButtonBox::RejectRole);
    setControlId(ok, kOkButton);
    setControlId(cancel, kCancelButton);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browseButton, &QPushButton::clicked, this, &FormulaWindow::browse);
    connect(loadButton, &QPushButton::clicked, this, &FormulaWindow::load);
    connect(saveButton, &QPushButton::clicked, this, &FormulaWindow::save);
    connect(m_styles, &QButtonGroup::idClicked, this, [this](int chosen) {
        m_record->onStyle(chosen);
        showRecord();
    });
    connect(m_autoCalculate, &QCheckBox::toggled, this, [this](bool on) {
        m_record->onAutoCalculate(on);
        showRecord();
    });
    connect(m_recalculate, &QPushButton::clicked, this, [this] { m_record->onRecalculate(); });
}

bool FormulaWindow::openRecord() {
    if (!m_record->initDialog())
        return false;
    showRecord();
    show();
    raise();
    activateWindow();
    return true;
}

SpreadView* FormulaWindow::view() const {
    return m_host->view(kFormulaGridPlaceholder);
}

void FormulaWindow::showRecord() {
    const QSignalBlocker blockAuto(m_autoCalculate);
    m_fileName->setText(qtText(m_record->fileName()));
    if (QAbstractButton* radio = m_styles->button(m_record->styleChecked()))
        radio->setChecked(true);
    m_autoCalculate->setChecked(m_record->autoCalculateChecked());
    m_recalculate->setEnabled(m_record->recalculateEnabled());
}

// The field's text as the record's file name; a name the module cannot hold
// is refused (false) with a message.
bool FormulaWindow::takeFileName() {
    Vtx_String name;
    if (!vtx::ui::moduleText(m_fileName->text(), name)) {
        hostPrompter().messageBox(string(kUnholdableTextNumber), kFormulaDialogCaption,
                                  MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    m_record->setFileName(name);
    return true;
}

void FormulaWindow::browse() {
    FileDialogRequest request;
    request.caption = "Spreadsheet file";
    request.fileName = m_record->fileName();
    request.filter = kSheetFilter;
    Vtx_String path;
    if (hostPrompter().fileDialog(request, path))
        m_fileName->setText(qtText(path));
}

void FormulaWindow::load() {
    if (takeFileName() && !m_record->onLoadFromFile())
        hostPrompter().messageBox("The spreadsheet " + m_record->fileName() +
                                      " was not loaded: " + m_record->loadReason() + ".",
                                  kFormulaDialogCaption, MessageButtons::Ok, MessageIcon::Error);
}

void FormulaWindow::save() {
    if (takeFileName() && !m_record->onSaveToFile())
        hostPrompter().messageBox("The spreadsheet was not saved to " + m_record->fileName() +
                                      ": " + m_record->saveReason() + ".",
                                  kFormulaDialogCaption, MessageButtons::Ok, MessageIcon::Error);
}

} // namespace vtx::spreadui

bool openFormulaDialog(const Vtx_String& fileName, int column, int row) {
    using vtx::spreadui::FormulaWindow;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    vtx::ui::ModuleResourcesScope resources;
    auto* window =
        new FormulaWindow(FormulaDialogMode::EvaluateCell, fileName, vtx::ui::hostMainWindow());
    window->record().setCell(column, row);
    if (window->openRecord())
        return true;
    delete window;
    return false;
}

void EvaluateSS() {
    openFormulaDialog(kEvaluateSSFile, kEvaluateSSColumn, kEvaluateSSRow);
}
