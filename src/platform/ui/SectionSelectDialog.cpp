#include "platform/ui/SectionSelectDialog.h"

#include "platform/core/Files.h"
#include "platform/core/SectionTables.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/ui/UiText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vtx::ui {

namespace {

constexpr int kTemplate = 3100;
constexpr int kTitleText = 2400;
constexpr int kTablesText = 2401;
constexpr int kSectionsText = 2402;
constexpr int kSearchText = 2403;
constexpr int kUserSectionsText = 2404;
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr const char* kUserSectionsFolder = "User Sections\\";

/// The table's name without ".pr".
Vtx_String tableNameOf(const Vtx_SectionTable& table) {
    return table.name.endsWith(".pr", false) ? table.name.left(table.name.length() - 3)
                                             : table.name;
}

/// The user-defined sections: every drawing below the library's "User
/// Sections\\" folder, named by its path from the library folder on, sorted.
Vtx_StringArray userSectionFiles() {
    namespace fs = std::filesystem;
    const Vtx_String folder = gSettings.libDir + kUserSectionsFolder;
    const fs::path root = nativePath(folder);
    std::vector<std::string> found;
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        Vtx_String relative = corePath(it->path().lexically_relative(root));
        if (relative.endsWith(".dwg", false))
            found.push_back(relative.str());
    }
    std::sort(found.begin(), found.end());
    Vtx_StringArray files;
    for (const std::string& name : found)
        files.append(folder + Vtx_String(name));
    return files;
}

} // namespace

SectionSelectDialog::SectionSelectDialog(const Vtx_String& initialName,
                                         SectionPictureFinder pictures, QWidget* parent)
    : VtxDialog(kTemplate, "DLG_SELECTSECTION", parent), m_pictures(std::move(pictures)),
      m_tableList(new QListWidget(this)), m_sectionList(new QListWidget(this)),
      m_search(new QLineEdit(this)), m_picture(new QLabel(this)) {
    setWindowTitle(uiText(kTitleText));
    setSizeGripEnabled(true);
    setControlId(m_tableList, kTablesId);
    setControlId(m_sectionList, kSectionsId);
    setControlId(m_search, kSearchId);
    setControlId(m_picture, kPictureId);
    m_search->setPlaceholderText(uiText(kSearchText));
    m_search->setClearButtonEnabled(true);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setMinimumSize(72, 72);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(uiText(kOkId), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(uiText(kCancelId), QDialogButtonBox::RejectRole);
    setControlId(m_ok, kOkId);
    setControlId(cancel, kCancelId);
    connect(buttons, &QDialogButtonBox::accepted, this, &SectionSelectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SectionSelectDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(uiText(kTablesText), this), 0, 0);
    layout->addWidget(new QLabel(uiText(kSectionsText), this), 0, 1);
    layout->addWidget(m_tableList, 1, 0, 2, 1);
    layout->addWidget(m_search, 1, 1);
    layout->addWidget(m_sectionList, 2, 1);
    layout->addWidget(m_picture, 3, 0);
    layout->addWidget(buttons, 3, 1, Qt::AlignBottom);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(2, 1);

    readTables();
    connect(m_tableList, &QListWidget::currentRowChanged, this, &SectionSelectDialog::showTable);
    connect(m_search, &QLineEdit::textChanged, this, &SectionSelectDialog::applySearch);
    connect(m_sectionList, &QListWidget::currentRowChanged, this,
            [this](int row) { m_ok->setEnabled(row >= 0); });
    connect(m_sectionList, &QListWidget::itemActivated, this, &SectionSelectDialog::accept);
    selectInitial(initialName);
}

void SectionSelectDialog::readTables() {
    // The sections in use come from the table files themselves: the
    // registry keeps every row without its in-use flag.
    for (const Vtx_SectionTable& registered : sectionTableManager().tables()) {
        Table table{tableNameOf(registered), registered.templateName, {}, {}};
        Vtx_String fileName;
        Vtx_Array<Vtx_StringArray> rows;
        const Vtx_String path = gSettings.libDir + "prof\\" + table.name + ".pr";
        if (readFile(path, fileName, rows) != eOk)
            continue;
        for (int r = 2; r < rows.length(); ++r) {
            if (rows[r].length() < 2 || rows[r][1] != "1")
                continue;
            const Vtx_String systemName = table.name + "-" + rows[r][0];
            Vtx_String userName;
            if (sectionTableManager().getUserName(systemName, userName) != eOk)
                userName = systemName;
            table.systemNames.append(systemName);
            table.shownNames.append(userName);
        }
        m_tables.push_back(std::move(table));
    }
    Table user{{}, {}, userSectionFiles(), {}};
    const Vtx_String folder = gSettings.libDir + kUserSectionsFolder;
    for (int i = 0; i < user.systemNames.length(); ++i)
        user.shownNames.append(changeExtension(user.systemNames[i].mid(folder.length()), ""));
    if (!user.systemNames.isEmpty())
        m_tables.push_back(std::move(user));

    for (const Table& table : m_tables)
        m_tableList->addItem(table.name.isEmpty() ? uiText(kUserSectionsText) : qtText(table.name));
}

void SectionSelectDialog::showTable(int index) {
    m_sectionList->clear();
    m_picture->clear();
    if (index < 0 || index >= static_cast<int>(m_tables.size())) {
        m_ok->setEnabled(false);
        return;
    }
    const Table& table = m_tables[static_cast<std::size_t>(index)];
    for (int i = 0; i < table.shownNames.length(); ++i)
        m_sectionList->addItem(qtText(table.shownNames[i]));
    if (m_pictures && !table.templateName.isEmpty()) {
        const QPixmap pixmap(
            qtText(Vtx_String(nativePath(m_pictures(table.templateName)).string())));
        m_picture->setPixmap(pixmap);
    }
    applySearch();
    m_ok->setEnabled(m_sectionList->currentRow() >= 0);
}

void SectionSelectDialog::applySearch() {
    const QString wanted = m_search->text().trimmed();
    int firstShown = -1;
    for (int i = 0; i < m_sectionList->count(); ++i) {
        QListWidgetItem* item = m_sectionList->item(i);
        const bool shown = wanted.isEmpty() || item->text().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && firstShown < 0)
            firstShown = i;
    }
    QListWidgetItem* current = m_sectionList->currentItem();
    if (current == nullptr || current->isHidden())
        m_sectionList->setCurrentRow(firstShown);
}

void SectionSelectDialog::selectInitial(const Vtx_String& name) {
    // The initial name may be a system name, a user name or a user section's
    // file (with or without the library folder in front).
    Vtx_String systemName;
    if (sectionTableManager().getSystemName(name, systemName) != eOk)
        systemName = name;
    for (std::size_t t = 0; t < m_tables.size(); ++t) {
        const Vtx_StringArray& names = m_tables[t].systemNames;
        for (int i = 0; i < names.length(); ++i) {
            if (names[i].equal(systemName, false) ||
                names[i].equal(gSettings.libDir + systemName, false)) {
                m_tableList->setCurrentRow(static_cast<int>(t));
                m_sectionList->setCurrentRow(i);
                return;
            }
        }
    }
    // An unknown name opens the table its system name names, or the first.
    const Vtx_String tableName = getSubstrBefore(systemName, '-');
    for (std::size_t t = 0; t < m_tables.size(); ++t)
        if (!m_tables[t].name.isEmpty() && m_tables[t].name.equal(tableName, false)) {
            m_tableList->setCurrentRow(static_cast<int>(t));
            return;
        }
    m_tableList->setCurrentRow(m_tables.empty() ? -1 : 0);
}

void SectionSelectDialog::accept() {
    const int table = m_tableList->currentRow();
    const int row = m_sectionList->currentRow();
    if (table < 0 || row < 0 || m_sectionList->item(row)->isHidden())
        return;
    m_chosen = m_tables[static_cast<std::size_t>(table)].systemNames[row];
    VtxDialog::accept();
}

bool runSectionSelection(Vtx_String& name, const SectionPictureFinder& pictures, QWidget* parent) {
    SectionSelectDialog dialog(name, pictures, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.chosenName();
    return true;
}

} // namespace vtx::ui
