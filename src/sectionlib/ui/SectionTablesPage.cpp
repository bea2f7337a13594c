#include "sectionlib/ui/SectionTablesPage.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/host/Host.h"
#include "platform/ui/UiText.h"
#include "sectionlib/SectionTemplates.h"
#include "spread/ui/QtDialogHost.h"
#include "spread/ui/SpreadView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>

namespace vtx::sectionui {

namespace {

using vtx::ui::qtText;
using vtx::ui::uiText;

constexpr int kTemplate = 8716;
constexpr int kTitleText = 754;

} // namespace

SectionTablesPage::SectionTablesPage(DlgEditLibData& record, QWidget* parent)
    : SectionLibPage(kTemplate, parent), m_data(record) {
    buildControls();
    m_host = std::make_unique<vtx::spreadui::QtDialogHost>(*this);
    m_grid.createInDialog(m_host.get(), kTableGrid, true);
    m_view = m_host->view(kTableGrid);
    m_grid.applyGridStyle(0);
    m_grid.setMaxCols(1, false);
    m_grid.setMaxRows(4, false);
    m_grid.setModified(false);
    fillList(-1);
    enableControls();
}

SectionTablesPage::~SectionTablesPage() = default;

void SectionTablesPage::buildControls() {
    m_list = new QComboBox(this);
    setControlId(m_list, kTableList);
    auto* top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    const auto addButton = [&](int id, int text, auto slot) {
        auto* button = new QPushButton(uiText(text), this);
        button->setAutoDefault(false);
        setControlId(button, id);
        connect(button, &QPushButton::clicked, this, slot);
        top->addWidget(button);
    };
    addButton(kTableNew, 779, [this] { newTable(); });
    addButton(kTableDelete, 780, [this] { deleteTable(); });
    addButton(kTableRenewHeaders, 781, [this] { renewHeaders(false); });
    addButton(kTableRename, 782, [this] { renameTable(); });

    auto* tools = new QHBoxLayout;
    const auto addTool = [&](int id, QStyle::StandardPixmap icon, int tip, auto slot) {
        auto* button = new QToolButton(this);
        button->setIcon(style()->standardIcon(icon));
        button->setToolTip(uiText(tip));
        setControlId(button, id);
        connect(button, &QToolButton::clicked, this, slot);
        tools->addWidget(button);
    };
    addTool(kTableCopy, QStyle::SP_FileDialogDetailedView, 772, [this] { copyCells(); });
    addTool(kTablePaste, QStyle::SP_DialogApplyButton, 773, [this] { pasteCells(); });
    addTool(kTableInsertRow, QStyle::SP_FileDialogNewFolder, 774, [this] { insertRow(); });
    addTool(kTableDeleteRow, QStyle::SP_TrashIcon, 775, [this] { deleteRow(); });
    addTool(kTableRowUp, QStyle::SP_ArrowUp, 776, [this] { moveRow(true); });
    addTool(kTableRowDown, QStyle::SP_ArrowDown, 777, [this] { moveRow(false); });
    addTool(kTableFind, QStyle::SP_FileDialogContentsView, 778, [this] { m_view->runFind(false); });
    tools->addStretch(1);

    auto* frame = new QGroupBox(uiText(783), this);
    setControlId(frame, kTableTemplateFrame);
    m_template = new QComboBox(frame);
    setControlId(m_template, kTableTemplate);
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(m_template);
    tools->addWidget(frame, 1);

    auto* placeholder = new QWidget(this);
    setControlId(placeholder, kTableGrid);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(tools);
    layout->addWidget(placeholder, 1);

    connect(m_list, &QComboBox::activated, this, [this](int index) { switchTo(index); });
    connect(m_template, &QComboBox::activated, this, [this](int index) { templateChosen(index); });
}

void SectionTablesPage::fillList(int selected) {
    m_list->clear();
    for (const Vtx_String& name : m_data.tableNames)
        m_list->addItem(qtText(name));
    m_list->setCurrentIndex(selected);
}

void SectionTablesPage::enableControls() {
    const bool any = !m_data.tableNames.isEmpty();
    for (const int id : {kTableDelete, kTableRenewHeaders, kTableRename, kTableCopy, kTablePaste,
                         kTableGrid, kTableTemplateFrame, kTableTemplate})
        if (QWidget* widget = control(id))
            widget->setEnabled(any);
}

void SectionTablesPage::load(int index) {
    m_table = Vtx_ProfValuesTable();
    m_loaded = m_data.tableNames.isValid(index) ? index : -1;
    m_unsaved = false;
    if (m_loaded >= 0) {
        // A table file that cannot be read leaves an empty grid.
        if (!m_table.readFromFile(m_data.tableNames[m_loaded]))
            m_table = Vtx_ProfValuesTable();
        m_table.tableName = m_data.tableNames[m_loaded];
    }
    m_table.setToSS(m_grid);
    // Widths fitted to the names and values once; a layout that refitted
    // on every change would close the cell editor under the user's keys.
    m_grid.setColumnLayout(kLayoutFit, 0, 0);
    m_grid.setColumnLayout(kLayoutNone, 0, 0);
    m_grid.setModified(false);
    showTemplate();
    fillList(m_loaded);
    enableControls();
    m_view->sync();
}

void SectionTablesPage::showTemplate() {
    m_template->clear();
    for (const Vtx_String& choice : templateChoices(m_data.templateFiles, m_table.templateName))
        m_template->addItem(qtText(choice));
    m_template->setCurrentIndex(
        m_template->findText(qtText(shownTemplate(m_table.templateName)), Qt::MatchFixedString));
}

Vtx_String SectionTablesPage::chosenTemplate() const {
    Vtx_String shown;
    if (m_template->currentIndex() < 0 || !vtx::ui::moduleText(m_template->currentText(), shown))
        return m_table.templateName;
    return templateOfShown(shown);
}

void SectionTablesPage::openAt(const Vtx_String& startText) {
    const int dash = startText.find('-');
    const Vtx_String tableName = dash >= 0 ? startText.left(dash) : startText;
    const int index = m_data.tableNames.find(tableName, false);
    load(index >= 0 ? index : 0);
    if (m_loaded < 0)
        return;
    const Vtx_String& name = m_data.tableNames[m_loaded];
    for (int r = 1; r <= m_grid.getMaxRows(); ++r) {
        Vtx_String sysName;
        m_grid.getCellText(1, r, sysName);
        if ((name + "-" + sysName).equal(startText, false)) {
            m_grid.setActiveCell(1, r);
            m_grid.selectRange(1, r, 1, r);
            break;
        }
    }
    m_view->sync();
}

void SectionTablesPage::tableFromGrid(Vtx_ProfValuesTable& table) {
    m_view->finishEditing();
    table = Vtx_ProfValuesTable();
    // A grid without rows still has its columns.
    if (!table.getFromSS(m_grid))
        m_grid.getHeaderRow(table.columns);
    table.tableName = m_data.tableNames[m_loaded];
    table.templateName = chosenTemplate();
}

bool SectionTablesPage::save() {
    if (m_loaded < 0)
        return true;
    Vtx_ProfValuesTable table;
    tableFromGrid(table);
    Vtx_String reason;
    if (!table.writeToFile(table.tableName, &reason)) {
        warn(1769, reason);
        return false;
    }
    m_table.templateName = table.templateName;
    m_unsaved = false;
    m_grid.setModified(false);
    return true;
}

bool SectionTablesPage::askSave() {
    if (m_loaded < 0)
        return true;
    m_view->finishEditing();
    if (!m_grid.isModified())
        return true;
    const Vtx_String name = m_data.tableNames[m_loaded];
    switch (hostPrompter().messageBox(dialString(785) + " <" + name + "> " + dialString(786),
                                      dialString(784), MessageButtons::YesNoCancel,
                                      MessageIcon::Question)) {
    case MessageResult::Yes:
        return save();
    case MessageResult::No:
        // A new table that was never saved has no file: it goes again.
        if (m_unsaved) {
            m_data.tableNames.removeAt(m_loaded);
            m_loaded = -1;
            m_unsaved = false;
            fillList(-1);
        }
        m_grid.setModified(false);
        return true;
    default:
        return false;
    }
}

void SectionTablesPage::switchTo(int index) {
    if (index == m_loaded || !m_data.tableNames.isValid(index))
        return;
    const Vtx_String target = m_data.tableNames[index];
    if (!askSave()) {
        fillList(m_loaded); // the list shows the table the grid holds
        return;
    }
    load(m_data.tableNames.find(target));
}

void SectionTablesPage::newTable() {
    if (!askSave())
        return;
    const Vtx_String name = findNonExistingString(dialString(779), m_data.tableNames);
    m_loaded = m_data.tableNames.append(name);
    m_unsaved = true;
    m_table = newValuesTable(name, m_data.languages);
    m_table.setToSS(m_grid);
    m_grid.setModified(true);
    showTemplate();
    fillList(m_loaded);
    enableControls();
    m_view->sync();
}

void SectionTablesPage::deleteTable() {
    if (m_loaded < 0)
        return;
    const Vtx_String name = m_data.tableNames[m_loaded];
    if (hostPrompter().messageBox(dialString(788) + " <" + name + "> " + dialString(789),
                                  dialString(787), MessageButtons::YesNo,
                                  MessageIcon::Warning) != MessageResult::Yes)
        return;
    const Vtx_String path = Vtx_ProfValuesTable::filePath(name);
    std::error_code error;
    if (fileExists(path) && !std::filesystem::remove(nativePath(path), error)) {
        warn(1772, path);
        return;
    }
    m_data.tableNames.removeAt(m_loaded);
    load(0);
}

void SectionTablesPage::warn(int text, const Vtx_String& detail) {
    hostPrompter().messageBox(dialString(text) + (detail.isEmpty() ? "" : " " + detail),
                              dialString(kTitleText), MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace vtx::sectionui
