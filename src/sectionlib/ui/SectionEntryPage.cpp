#include "sectionlib/ui/SectionEntryPage.h"

#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/ui/UiText.h"
#include "spread/ui/QtDialogHost.h"
#include "spread/ui/SpreadView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vtx::sectionui {

namespace {

using vtx::ui::qtText;
using vtx::ui::uiText;

constexpr int kGroupsTemplate = 8138;
constexpr int kTypesTemplate = 8139;
constexpr int kNameHeaderText = 87;
constexpr int kLanguageColumnWidth = 90; // pixels

/// The text of an editable combo as module text; empty when it holds a
/// character the module's texts cannot hold.
Vtx_String comboText(const QComboBox* combo) {
    Vtx_String text;
    if (!vtx::ui::moduleText(combo->currentText(), text))
        text.clear();
    return text;
}

QToolButton* iconButton(QWidget* parent, int id, QStyle::StandardPixmap icon, int tip) {
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(uiText(tip));
    SectionLibPage::setControlId(button, id);
    return button;
}

} // namespace

SectionEntryPage::SectionEntryPage(Kind kind, DlgEditLibData& record, QWidget* parent)
    : SectionLibPage(kind == Kind::Groups ? kGroupsTemplate : kTypesTemplate, parent), m_kind(kind),
      m_data(record) {
    buildControls();
    m_host = std::make_unique<vtx::spreadui::QtDialogHost>(*this);
    m_names.createInDialog(m_host.get(), kEntryNames, true);
    m_namesView = m_host->view(kEntryNames);
    m_names.applyGridStyle(1);
    start();
}

SectionEntryPage::~SectionEntryPage() = default;

void SectionEntryPage::buildControls() {
    const bool groups = m_kind == Kind::Groups;
    m_list = new QComboBox(this);
    m_list->setModel(new QStandardItemModel(m_list));
    setControlId(m_list, groups ? kGroupList : kTypeList);
    auto* top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    auto* up = iconButton(this, kEntryUp, QStyle::SP_ArrowUp, 173);
    auto* down = iconButton(this, kEntryDown, QStyle::SP_ArrowDown, 174);
    auto* add = new QPushButton(uiText(groups ? 758 : 764), this);
    auto* remove = new QPushButton(uiText(groups ? 759 : 765), this);
    setControlId(add, kEntryNew);
    setControlId(remove, kEntryRemove);
    for (QWidget* widget : {static_cast<QWidget*>(up), static_cast<QWidget*>(down),
                            static_cast<QWidget*>(add), static_cast<QWidget*>(remove)})
        top->addWidget(widget);
    add->setAutoDefault(false);
    remove->setAutoDefault(false);

    m_details = new QGroupBox(uiText(760), this);
    setControlId(m_details, groups ? kGroupDetails : kTypeDetails);
    m_enabled = new QCheckBox(uiText(761), m_details);
    setControlId(m_enabled, kEntryEnabled);
    auto* fields = new QGridLayout;
    const auto addField = [&](int labelId, int text, int comboId, bool editable) {
        auto* label = new QLabel(uiText(text), m_details);
        auto* combo = new QComboBox(m_details);
        combo->setEditable(editable);
        setControlId(label, labelId);
        setControlId(combo, comboId);
        const int row = fields->rowCount();
        fields->addWidget(label, row, 0);
        fields->addWidget(combo, row, 1);
        return combo;
    };
    m_image = addField(kEntryImageLabel, 762, kEntryImage, true);
    if (!groups) {
        m_group = addField(kTypeGroupLabel, 769, kTypeGroup, false);
        m_table = addField(kTypeTableLabel, 770, kTypeTable, true);
    }
    fields->setColumnStretch(1, 1);
    m_namesFrame = new QGroupBox(uiText(groups ? 763 : 771), m_details);
    setControlId(m_namesFrame, kEntryNamesFrame);
    auto* placeholder = new QWidget(m_namesFrame);
    setControlId(placeholder, kEntryNames);
    auto* namesLayout = new QVBoxLayout(m_namesFrame);
    namesLayout->addWidget(placeholder);
    auto* detailsLayout = new QVBoxLayout(m_details);
    detailsLayout->addWidget(m_enabled);
    detailsLayout->addLayout(fields);
    detailsLayout->addWidget(m_namesFrame, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_details, 1);

    connect(m_list, &QComboBox::activated, this, [this](int index) { select(index); });
    connect(up, &QToolButton::clicked, this, [this] { moveEntry(-1); });
    connect(down, &QToolButton::clicked, this, [this] { moveEntry(1); });
    connect(add, &QPushButton::clicked, this, [this] { addEntry(); });
    connect(remove, &QPushButton::clicked, this, [this] { removeEntry(); });
    connect(m_enabled, &QCheckBox::clicked, this, [this] {
        storeCurrent();
        show(m_current);
    });
}

int SectionEntryPage::count() const {
    return m_kind == Kind::Groups ? m_data.groups.length() : m_data.types.length();
}

const Vtx_StringArray& SectionEntryPage::namesOf(int index) const {
    return m_kind == Kind::Groups ? m_data.groups[index].names : m_data.types[index].names;
}

void SectionEntryPage::fillList() {
    auto* model = static_cast<QStandardItemModel*>(m_list->model());
    model->clear();
    for (int i = 0; i < count(); ++i) {
        const bool groups = m_kind == Kind::Groups;
        const Vtx_String fallback = groups ? m_data.groups[i].name : m_data.types[i].tableName;
        auto* item = new QStandardItem(qtText(m_data.shownName(namesOf(i), fallback)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const bool enabled = groups ? m_data.groups[i].enabled : m_data.types[i].enabled;
        item->setData(enabled ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
        model->appendRow(item);
    }
    m_list->setCurrentIndex(m_current);
}

void SectionEntryPage::refresh() {
    m_image->clear();
    for (const Vtx_String& image : m_data.images)
        m_image->addItem(qtText(image));
    if (m_group) {
        m_group->clear();
        for (const SectionGroup& group : m_data.groups)
            m_group->addItem(qtText(m_data.shownName(group.names, group.name)));
        m_table->clear();
        for (const Vtx_String& table : m_data.tableNames)
            m_table->addItem(qtText(table));
    }
    show(m_current < count() ? m_current : count() - 1);
}

void SectionEntryPage::start() {
    m_current = -1;
    refresh();
    show(count() > 0 ? 0 : -1);
}

void SectionEntryPage::show(int index) {
    m_current = count() > 0 && index >= 0 && index < count() ? index : -1;
    fillList();
    const bool valid = m_current >= 0;
    m_details->setEnabled(valid);
    m_enabled->setEnabled(valid);
    if (!valid) {
        m_enabled->setChecked(false);
        m_image->setEditText({});
        m_names.setMaxRows(0, false);
        m_namesView->sync();
        return;
    }
    const bool groups = m_kind == Kind::Groups;
    const bool enabled =
        groups ? m_data.groups[m_current].enabled : m_data.types[m_current].enabled;
    m_enabled->setChecked(enabled);
    m_image->setEditText(
        qtText(groups ? m_data.groups[m_current].image : m_data.types[m_current].image));
    if (!groups) {
        const SectionType& type = m_data.types[m_current];
        m_group->setCurrentIndex(m_data.groups.findId(type.groupId));
        m_table->setEditText(qtText(type.tableName));
    }
    // The names: one row per language, the language as its header.
    const Vtx_StringArray& names = namesOf(m_current);
    m_names.setMaxCols(1, false);
    m_names.setMaxRows(m_data.languages.length(), false);
    m_names.setHeaderRow({dialString(kNameHeaderText)});
    m_names.setHeaderColumn(m_data.languages);
    m_names.setColumn(1, names);
    m_names.setColumnLayoutList(kLayoutColumnList, {0}, {kLanguageColumnWidth});
    m_names.setModified(false);
    m_namesView->sync();
    // Picture and names mean something only for an enabled entry.
    m_image->setEnabled(enabled);
    m_namesFrame->setEnabled(enabled);
    m_namesView->setEnabled(enabled);
}

void SectionEntryPage::storeCurrent() {
    if (m_current < 0 || m_current >= count())
        return;
    m_namesView->finishEditing();
    Vtx_StringArray names;
    m_names.getColumn(1, names);
    while (names.length() > m_data.languages.length())
        names.removeAt(names.length() - 1);
    if (m_kind == Kind::Groups) {
        SectionGroup& group = m_data.groups[m_current];
        group.enabled = m_enabled->isChecked();
        group.image = comboText(m_image);
        group.names = names;
        return;
    }
    SectionType& type = m_data.types[m_current];
    type.enabled = m_enabled->isChecked();
    type.image = comboText(m_image);
    const int group = m_group->currentIndex();
    type.groupId = m_data.groups.isValid(group) ? m_data.groups[group].id : -1;
    type.tableName = comboText(m_table);
    type.names = names;
}

void SectionEntryPage::select(int index) {
    storeCurrent();
    show(index);
}

void SectionEntryPage::addEntry() {
    storeCurrent();
    int added = -1;
    if (m_kind == Kind::Groups) {
        Vtx_StringArray taken;
        for (const SectionGroup& group : m_data.groups)
            taken.append(group.name);
        added = m_data.groups.appendNewGrp(findNonExistingString(dialString(758), taken),
                                           m_data.languages.length());
    } else {
        added = m_data.types.appendNewType(dialStringAllLangs(764, m_data.languages));
    }
    show(added);
}

void SectionEntryPage::removeEntry() {
    if (m_current < 0)
        return;
    if (m_kind == Kind::Groups)
        m_data.removeGroup(m_current);
    else
        m_data.types.removeAt(m_current);
    show(std::min(m_current, count() - 1));
}

void SectionEntryPage::moveEntry(int step) {
    const int other = m_current + step;
    if (m_current < 0 || other < 0 || other >= count())
        return;
    storeCurrent();
    if (m_kind == Kind::Groups)
        m_data.groups.swap(m_current, other);
    else
        m_data.types.swap(m_current, other);
    show(other);
}

} // namespace vtx::sectionui
