#include "sectionlib/ui/SectionChooser.h"

#include "sectionlib/SectionNames.h"

#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/ModalStart.h"
#include "platform/ui/SectionSelectDialog.h"
#include "platform/ui/UiText.h"
#include "spread/SectionImages.h"

#include <QComboBox>

namespace vtx::sectionui {

namespace {

/// The big picture of a table's section type, for the selection dialog.
Vtx_String typePicture(const Vtx_String& templateName) {
    return gSettings.vtxDir + kIconFolder + getSectionImageFile(templateName, "", true);
}

} // namespace

void fillSectionCombo(QComboBox* combo, Vtx_StringArray& systemNames, const Vtx_String& current) {
    Vtx_StringArray shown;
    systemNames.removeAll();
    if (isUserSection(current)) {
        systemNames.append(current);
        shown.append(userSectionShownName(current));
        shown.append(dialString(695));
    } else {
        systemNames = getTableSectionNames(current, shown);
    }
    combo->clear();
    for (int i = 0; i < shown.length(); ++i)
        combo->addItem(vtx::ui::qtText(shown[i]));
    const Vtx_String currentShown =
        isUserSection(current) ? userSectionShownName(current) : getSectionUserName(current);
    int selected = -1;
    for (int i = 0; i < systemNames.length() && selected < 0; ++i)
        if (shown[i] == currentShown)
            selected = i;
    combo->setCurrentIndex(selected);
}

bool chooseSection(Vtx_String& name, bool cancelCommand) {
    if (cancelCommand)
        hostPostCommand("CANCELCMD");
    Vtx_String chosen = name;
    if (!vtx::ui::runSectionSelection(chosen, typePicture, vtx::ui::hostMainWindow()))
        return false;
    name = sectionNameInLibrary(chosen);
    return true;
}

bool chooseSectionIntoCombo(QComboBox* combo, Vtx_StringArray& systemNames) {
    Vtx_String name;
    if (!getSelectedSection(combo, systemNames, name) && !systemNames.isEmpty())
        name = systemNames[0];
    if (!chooseSection(name, false))
        return false;
    fillSectionCombo(combo, systemNames, name);
    return true;
}

bool getSelectedSection(const QComboBox* combo, const Vtx_StringArray& systemNames,
                        Vtx_String& name) {
    const int index = combo->currentIndex();
    if (index < 0 || index >= systemNames.length())
        return false;
    name = systemNames[index];
    return true;
}

} // namespace vtx::sectionui
