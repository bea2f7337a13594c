#pragma once

/// The section chooser of the dialogs in which a user picks a section for a
/// macro: a combo box that lists the sections of the current section's table
/// under their user names (or the one user-defined section), followed by the
/// entry that asks for another section, and the run of the core library's
/// section selection dialog. The names behind it are in SectionNames.h.
///
///     Vtx_StringArray systemNames;
///     fillSectionCombo(combo, systemNames, "IPE-300");
///     ...
///     Vtx_String chosen;
///     if (getSelectedSection(combo, systemNames, chosen))
///         macro.setSection(chosen);
///     else if (chooseSectionIntoCombo(combo, systemNames))   // the last entry
///         ...

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

class QComboBox;

namespace vtx::sectionui {

/// Fills combo with the sections to choose from beside current: a
/// user-defined section alone, shown by its file name without "User
/// Sections\\" and extension; a table section with its table's sections in
/// use. The entry asking for another section comes last. systemNames gets
/// the system names of the entries before it; the entry showing current is
/// selected, when there is one.
void fillSectionCombo(QComboBox* combo, Vtx_StringArray& systemNames, const Vtx_String& current);

/// Runs the section selection dialog with name chosen, first posting
/// "CANCELCMD" to the host's command line when cancelCommand is set. True
/// with name set to the section chosen (a leading library folder removed);
/// false, name unchanged, on Cancel.
bool chooseSection(Vtx_String& name, bool cancelCommand);

/// chooseSection without the cancel command, starting at the combo's
/// selected section; on success the combo is filled again for the section
/// chosen.
bool chooseSectionIntoCombo(QComboBox* combo, Vtx_StringArray& systemNames);

/// The system name of the combo's selected entry; false when nothing is
/// selected or the entry lies beyond systemNames (the entry asking for
/// another section).
bool getSelectedSection(const QComboBox* combo, const Vtx_StringArray& systemNames,
                        Vtx_String& name);

} // namespace vtx::sectionui
