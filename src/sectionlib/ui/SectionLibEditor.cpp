#include "sectionlib/ui/SectionLibEditor.h"

#include "platform/ui/ModalStart.h"
#include "platform/ui/UiText.h"
#include "sectionlib/SectionLibDialogs.h"
#include "sectionlib/ui/SectionEntryPage.h"
#include "sectionlib/ui/SectionTablesPage.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vtx::sectionui {

namespace {

using vtx::ui::uiText;

/// The editor's own template; its pages are 8138, 8139 and 8716.
constexpr int kTemplate = 8137;
constexpr int kDefaultWidth = 760;
constexpr int kDefaultHeight = 520;

} // namespace

SectionLibEditor::SectionLibEditor(const Vtx_String& startText, QWidget* parent)
    : VtxDialog(kTemplate, "DLG_EDIT_SECTIONLIB", parent), m_startText(startText) {
    setWindowTitle(uiText(754));
    setSizeGripEnabled(true);
    m_tabs = new QTabWidget(this);
    m_groups = new SectionEntryPage(SectionEntryPage::Kind::Groups, m_data, m_tabs);
    m_types = new SectionEntryPage(SectionEntryPage::Kind::Types, m_data, m_tabs);
    m_tables = new SectionTablesPage(m_data, m_tabs);
    m_tabs->addTab(m_groups, uiText(755));
    m_tabs->addTab(m_types, uiText(756));
    m_tabs->addTab(m_tables, uiText(757));

    auto* ok = new QPushButton(uiText(1), this);
    auto* cancel = new QPushButton(uiText(2), this);
    setControlId(ok, 1);
    setControlId(cancel, 2);
    // Enter belongs to the grids' cell editors: no button takes it.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &SectionLibEditor::accept);
    connect(cancel, &QPushButton::clicked, this, &SectionLibEditor::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    resize(kDefaultWidth, kDefaultHeight);
    connect(m_tabs, &QTabWidget::currentChanged, this, &SectionLibEditor::tabChanged);
}

SectionLibEditor::~SectionLibEditor() = default;

void SectionLibEditor::setRecord(const DlgEditLibData& record) {
    m_data = record;
    m_groups->start();
    m_types->start();
    m_tables->openAt(m_startText);
    m_tabs->setCurrentIndex(m_startText.isEmpty() ? kGroupsTab : kTablesTab);
}

void SectionLibEditor::storePage(int index) {
    if (index == kGroupsTab)
        m_groups->storeCurrent();
    else if (index == kTypesTab)
        m_types->storeCurrent();
}

void SectionLibEditor::tabChanged(int index) {
    // The page left keeps what was typed; the types page shows the groups
    // as they are now.
    storePage(m_shownTab);
    m_shownTab = index;
    if (index == kTypesTab)
        m_types->refresh();
}

void SectionLibEditor::accept() {
    if (!m_tables->askSave())
        return;
    storePage(m_tabs->currentIndex());
    VtxDialog::accept();
}

} // namespace vtx::sectionui

bool StartDlgEditLibSections(DlgEditLibData& data, const Vtx_String& startText) {
    return vtx::ui::runModalStart<vtx::sectionui::SectionLibEditor>(data, startText);
}
