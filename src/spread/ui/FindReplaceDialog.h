#pragma once

/// The find/replace dialog of a grid (template 218, size kept under
/// "DLG_FINDREPLACE"): a modeless tool window over its grid's view, made by
/// the view on the first F3 or F5 and kept until it is closed or the view
/// goes. Every SpreadView has one; nobody else makes it:
///
///     // F3 in the view:  view.runFind(false)  -> findNext()
///     // F5 in the view:  view.runFind(true)   -> replace()
///
/// While it is open the grid is protected (option 13 on, locked cells refuse
/// the user) and option 20 is off; closing it switches protection off again
/// when it was off at opening.
///
/// Find next searches the value texts (case counts) row by row, left to
/// right: inside the open cell editor from the end of its selection (or its
/// caret), then from the next cell on. A found cell becomes the active cell
/// and opens its editor with the occurrence selected; a cell whose editor
/// would not show its value text (a formula, a formatted number) or that the
/// user may not edit is only made active. At the end of the grid the user is
/// asked whether to go on from the beginning. Questions and messages go
/// through the host's prompter.

#include "platform/ui/VtxDialog.h"

#include <QPointer>

class QLineEdit;
class QPushButton;

namespace vtx::spreadui {

class SpreadView;

class FindReplaceDialog : public vtx::ui::VtxDialog {
    Q_OBJECT
public:
    /// Control ids of template 218.
    enum ControlId {
        kFindLabelId = 1206,
        kFindEditId = 1207,
        kReplaceLabelId = 1208,
        kReplaceEditId = 1209,
        kFindNextId = 1,
        kReplaceId = 1204,
        kReplaceAllId = 1205,
        kCloseId = 2,
    };

    /// A tool window over view; opening protects view's grid (see above).
    explicit FindReplaceDialog(SpreadView& view);
    ~FindReplaceDialog() override;

    QLineEdit* findEdit() const { return m_findEdit; }
    QLineEdit* replaceEdit() const { return m_replaceEdit; }

    /// Button 1 and F3: the next occurrence, with the question at the end of
    /// the grid. True when one was found and selected.
    bool findNext();
    /// Button 1204 and F5: finds the next occurrence and replaces it in its
    /// cell; the replacement stays selected, so the next press goes on after
    /// it. True when one was replaced.
    bool replace();
    /// Button 1205: every occurrence in every cell the user may edit; says
    /// how many cells changed. Returns that count (-1 for an unusable text).
    int replaceAll();

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// The find and replacement texts as the module keeps them; false (after
    /// saying so) when one holds a character the module cannot hold.
    bool texts(Vtx_String& find, Vtx_String& replacement);
    /// One search from where the user stands (the open editor, else the
    /// active cell) to the end of the grid; with fromStart from cell (1, 1).
    bool search(const Vtx_String& find, bool fromStart);
    /// Shows the occurrence at pos of the cell: in its editor when the
    /// editor shows the value text, else by making the cell active.
    void showFound(const Vtx_String& find, int column, int row, int pos);
    void remember(const Vtx_String& find, int column, int row, int pos);
    /// Puts protection back as it was at opening (once).
    void restoreGrid();

    QPointer<SpreadView> m_view;
    QLineEdit* m_findEdit;
    QLineEdit* m_replaceEdit;
    bool m_wasProtected = false;
    bool m_restored = false;
    // Where the last search stopped (cell, end of the occurrence, text), so
    // that a search after the cell's editor closed goes on from there.
    int m_lastColumn = 0;
    int m_lastRow = 0;
    int m_lastEnd = 0;
    Vtx_String m_lastText;
};

} // namespace vtx::spreadui
