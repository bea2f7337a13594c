#pragma once

/// The core library's section selection dialog: the section tables of the
/// library on the left, the sections in use of the chosen table under their
/// user names on the right with a search field over them, and the picture of
/// the table's section type. The user sections (drawings below the library's
/// "User Sections\\" folder) come last as a table of their own.
///
///     Vtx_String name = "IPE-300";           // shown chosen when it opens
///     if (vtx::ui::runSectionSelection(name, pictureOfType))
///         use(name);                          // "HEB-240", or a user section's file
///
/// A table section is chosen by its system name ("HEB-240"); a user section
/// by its file with the library folder in front, as a file picker gives it.

#include "platform/Exports.h"
#include "platform/ui/VtxDialog.h"
#ifndef Q_MOC_RUN
#include "platform/core/VtxStringArray.h"
#endif

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vtx::ui {

/// The full path of the big picture of a table's section type (its
/// template), or empty when there is none to show.
using SectionPictureFinder = std::function<Vtx_String(const Vtx_String& templateName)>;

class VTX_UI_API SectionSelectDialog : public VtxDialog {
    Q_OBJECT
public:
    /// Control ids.
    enum : int { kTablesId = 3101, kSectionsId = 3102, kSearchId = 3103, kPictureId = 3104 };

    SectionSelectDialog(const Vtx_String& initialName, SectionPictureFinder pictures,
                        QWidget* parent = nullptr);

    /// The section chosen (set when accepted).
    const Vtx_String& chosenName() const { return m_chosen; }

    void accept() override;

private:
    struct Table {
        Vtx_String name;         ///< "IPE", or empty for the user sections
        Vtx_String templateName; ///< the section type, for the picture
        Vtx_StringArray systemNames;
        Vtx_StringArray shownNames;
    };

    void readTables();
    void showTable(int index);
    void applySearch();
    void selectInitial(const Vtx_String& name);

    std::vector<Table> m_tables;
    SectionPictureFinder m_pictures;
    QListWidget* m_tableList;
    QListWidget* m_sectionList;
    QLineEdit* m_search;
    QLabel* m_picture;
    QPushButton* m_ok;
    Vtx_String m_chosen;
};

/// Runs the dialog modally with name shown chosen; true with name set to the
/// chosen section when the user leaves with OK, false (name unchanged) on
/// Cancel.
VTX_UI_API bool runSectionSelection(Vtx_String& name, const SectionPictureFinder& pictures,
                                    QWidget* parent = nullptr);

} // namespace vtx::ui
