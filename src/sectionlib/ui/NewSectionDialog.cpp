#include "sectionlib/ui/NewSectionDialog.h"

#include "sectionlib/SectionLibDialogs.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/host/Host.h"
#include "platform/ui/ModalStart.h"
#include "platform/ui/UiText.h"
#include "spread/SectionImages.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

namespace vtx::sectionui {

namespace {

constexpr int kTemplate = 1290;
constexpr int kTitleText = 796;
constexpr int kNameText = 797;
constexpr int kAutoNameText = 1377;
constexpr int kTypedNameText = 1378;
constexpr int kCheckText1 = 1457;
constexpr int kCheckText2 = 1458;
constexpr int kCheckText3 = 888;
constexpr int kCheckCaption = 1098;
constexpr int kNameTakenText = 1459;
constexpr int kNameEmptyText = 1460;
constexpr int kControlCharacterText = 1461;
constexpr int kNoExampleText = 1462;

/// The dialog's size in dialog units, and where its controls stand.
constexpr int kWidthDu = 316;
constexpr int kHeightDu = 263;
constexpr int kValueTopDu = 88;
constexpr int kValueStepDu = 14;

int valueLabelId(int k) {
    return kNewSectionFirstValueLabel + 2 * k;
}
int valueEditId(int k) {
    return kNewSectionFirstValue + 2 * k;
}

} // namespace

NewSectionDialog::NewSectionDialog(const Vtx_String& exampleName, const Vtx_ProfValuesTable& table,
                                   QWidget* parent)
    : VtxDialog(kTemplate, "DLG_EDITLIBSIMPLE", parent), m_table(table) {
    m_example = std::make_unique<NewSectionByExample>(m_table, exampleName);
    setWindowTitle(vtx::ui::uiText(kTitleText));
    setSizeGripEnabled(true);
    buildControls();
    showExample();
    placeControls();
}

NewSectionDialog::~NewSectionDialog() = default;

void NewSectionDialog::buildControls() {
    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::StyledPanel);
    setControlId(m_picture, kNewSectionPicture);

    auto* frame = new QGroupBox(vtx::ui::uiText(kNameText), this);
    setControlId(frame, kNewSectionFrame);
    m_auto = new QRadioButton(vtx::ui::uiText(kAutoNameText), this);
    m_typed = new QRadioButton(vtx::ui::uiText(kTypedNameText), this);
    setControlId(m_auto, kNewSectionAutoName);
    setControlId(m_typed, kNewSectionTypedName);
    auto* nameLabel = new QLabel(vtx::ui::uiText(kNameText) + QStringLiteral(":"), this);
    setControlId(nameLabel, kNewSectionNameLabel);
    m_name = new QLineEdit(this);
    setControlId(m_name, kNewSectionName);

    for (int k = 0; k < kNewSectionValueCount; ++k) {
        auto* label = new QLabel(this);
        auto* edit = new QLineEdit(this);
        setControlId(label, valueLabelId(k));
        setControlId(edit, valueEditId(k));
        label->setBuddy(edit);
        m_valueLabels.push_back(label);
        m_values.push_back(edit);
        // Every value refreshes the made name, so that what the dialog shows
        // is what OK adds.
        connect(edit, &QLineEdit::textChanged, this, [this] { refreshName(); });
    }

    auto* ok = new QPushButton(vtx::ui::uiText(1), this);
    auto* cancel = new QPushButton(vtx::ui::uiText(2), this);
    setControlId(ok, 1);
    setControlId(cancel, 2);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &NewSectionDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &NewSectionDialog::reject);

    connect(m_auto, &QRadioButton::clicked, this, [this] {
        m_name->setEnabled(false);
        refreshName();
    });
    connect(m_typed, &QRadioButton::clicked, this, [this] {
        m_name->setEnabled(true);
        m_name->setFocus();
        m_name->selectAll();
    });
}

void NewSectionDialog::showExample() {
    const Vtx_String picture =
        gSettings.vtxDir + kIconFolder + getSectionImageFile(m_table.templateName, "", true);
    const QPixmap pixmap(QString::fromStdString(nativePath(picture).string()));
    m_picture->setPixmap(pixmap);
    m_picture->setVisible(!pixmap.isNull());

    m_name->setText(vtx::ui::qtText(m_example->exampleUserName()));
    const Vtx_StringArray values = m_example->exampleValues();
    const Vtx_StringArray names = m_example->dimensionNames();
    for (int k = 0; k < kNewSectionValueCount; ++k) {
        const bool shown = values.isValid(k);
        Vtx_String caption = getAlfabet(k).lower() + ". ";
        if (names.isValid(k))
            caption += names[k];
        caption += ":";
        m_valueLabels[k]->setText(vtx::ui::qtText(caption));
        m_values[k]->blockSignals(true);
        m_values[k]->setText(shown ? vtx::ui::qtText(values[k]) : QString());
        m_values[k]->blockSignals(false);
        m_valueLabels[k]->setVisible(shown);
        m_values[k]->setVisible(shown);
    }
    m_auto->setChecked(true);
    m_name->setEnabled(false);
}

void NewSectionDialog::placeControls() {
    // Controls stand at the template's places, in dialog units of the font.
    const QPointF du = dialogUnit();
    const auto place = [&](int id, int x, int y, int w, int h) {
        placeControl(id, du, x, y, w, h);
    };
    place(kNewSectionPicture, 7, 7, 140, 140);
    place(kNewSectionFrame, 155, 5, 154, 78);
    place(kNewSectionAutoName, 163, 17, 140, 12);
    place(kNewSectionTypedName, 163, 31, 140, 12);
    place(kNewSectionNameLabel, 163, 46, 140, 10);
    place(kNewSectionName, 163, 58, 138, 14);
    for (int k = 0; k < kNewSectionValueCount; ++k) {
        place(valueLabelId(k), 155, kValueTopDu + k * kValueStepDu, 90, 12);
        place(valueEditId(k), 247, kValueTopDu + k * kValueStepDu, 62, 12);
    }
    place(1, 183, 243, 60, 15);
    place(2, 249, 243, 60, 15);
    const QSize size(qRound(kWidthDu * du.x()), qRound(kHeightDu * du.y()));
    resize(size);
    setMinimumSize(size); // the size at opening is the smallest

    using vtx::ui::kKeepFar;
    using vtx::ui::kKeepNear;
    using vtx::ui::kKeepSize;
    m_layout.registerControls(this);
    // The frame, the name and the values widen with the dialog; the picture,
    // the labels and the radios keep their places.
    const int stretch = kKeepNear | kKeepFar;
    const int fixed = kKeepNear | kKeepSize;
    for (const int id : {int(kNewSectionFrame), int(kNewSectionName)})
        m_layout.setAnchors(id, stretch, fixed);
    for (const int id :
         {int(kNewSectionAutoName), int(kNewSectionTypedName), int(kNewSectionNameLabel)})
        m_layout.setAnchors(id, fixed, fixed);
    for (int k = 0; k < kNewSectionValueCount; ++k) {
        m_layout.setAnchors(valueLabelId(k), fixed, fixed);
        m_layout.setAnchors(valueEditId(k), stretch, fixed);
    }
    m_layout.setAnchors(kNewSectionPicture, fixed, fixed);
    m_layout.setAnchors(1, kKeepFar | kKeepSize, kKeepFar | kKeepSize);
    m_layout.setAnchors(2, kKeepFar | kKeepSize, kKeepFar | kKeepSize);
}

Vtx_StringArray NewSectionDialog::shownValues() const {
    Vtx_StringArray values;
    for (QLineEdit* edit : m_values) {
        if (edit->isHidden())
            break;
        Vtx_String value;
        if (!vtx::ui::moduleText(edit->text(), value))
            value.clear();
        values.append(value);
    }
    return values;
}

void NewSectionDialog::refreshName() {
    if (!m_auto->isChecked())
        return;
    m_name->setText(
        vtx::ui::qtText(m_example->currentPrefix() + m_example->composeName(shownValues())));
}

void NewSectionDialog::refuse(int text, const Vtx_String& detail) {
    Vtx_String message = text > 0 ? dialString(text) : string(vtx::ui::kUnholdableTextNumber);
    if (!detail.isEmpty())
        message += " " + detail;
    hostPrompter().messageBox(message, dialString(kTitleText), MessageButtons::Ok,
                              MessageIcon::Warning);
}

void NewSectionDialog::accept() {
    Vtx_StringArray values;
    for (QLineEdit* edit : m_values) {
        if (edit->isHidden())
            break;
        Vtx_String value;
        if (!vtx::ui::moduleText(edit->text(), value)) {
            edit->setFocus();
            refuse(0, {});
            return;
        }
        values.append(value);
    }
    const bool automatic = m_auto->isChecked();
    Vtx_String name;
    if (automatic) {
        name = m_example->composeName(values);
    } else if (!vtx::ui::moduleText(m_name->text().trimmed(), name)) {
        refuse(0, {});
        return;
    }
    int row = -1;
    switch (m_example->addSection(m_table, name, automatic, values, row)) {
    case NewSectionResult::Added:
        m_newIndex = m_table.getfilteredIdx(row);
        VtxDialog::accept();
        return;
    case NewSectionResult::NameExists:
        refuse(kNameTakenText, name);
        return;
    case NewSectionResult::EmptyName:
        refuse(kNameEmptyText, {});
        return;
    case NewSectionResult::NoExample:
        refuse(kNoExampleText, {});
        return;
    case NewSectionResult::BadName:
        refuse(kControlCharacterText, {});
        return;
    case NewSectionResult::FailedCheck:
        hostPrompter().messageBox(dialString(kCheckText1) + "\n" + dialString(kCheckText2) +
                                      "\n\n" + dialString(kCheckText3) + ".",
                                  dialString(kCheckCaption), MessageButtons::Ok,
                                  MessageIcon::Warning);
        return;
    }
}

} // namespace vtx::sectionui

bool StartDlgEditLibSimple(const Vtx_String& exampleName, Vtx_ProfValuesTable& table, int& index) {
    vtx::ui::ModuleResourcesScope resources;
    vtx::sectionui::NewSectionDialog dialog(exampleName, table);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    table = dialog.table();
    index = dialog.newIndex();
    return true;
}
