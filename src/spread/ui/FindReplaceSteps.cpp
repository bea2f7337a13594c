// FindReplaceDialog: find next, replace, replace all.
#include "spread/ui/FindReplaceDialog.h"

#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/UiText.h"
#include "spread/VtxSpread.h"
#include "spread/ui/SheetTableModel.h"
#include "spread/ui/SpreadView.h"

#include <QLineEdit>

namespace vtx::spreadui {

using vtx::ui::moduleText;
using vtx::ui::qtText;

namespace {

// True when the user may type into the cell (its editor can open).
bool userEditable(SpreadView& view, int column, int row) {
    const QModelIndex index = view.sheetModel().index(row - 1, column - 1);
    return index.isValid() && (view.sheetModel().flags(index) & Qt::ItemIsEditable);
}

} // namespace

bool FindReplaceDialog::texts(Vtx_String& find, Vtx_String& replacement) {
    if (moduleText(m_findEdit->text(), find) && moduleText(m_replaceEdit->text(), replacement))
        return true;
    hostPrompter().messageBox(string(vtx::ui::kUnholdableTextNumber), dialString(1136),
                              MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

bool FindReplaceDialog::findNext() {
    Vtx_String find;
    Vtx_String replacement;
    if (!texts(find, replacement) || !m_view || !m_view->grid())
        return false;
    // An empty text would be in every cell: nothing is searched.
    if (find.isEmpty()) {
        m_findEdit->setFocus();
        return false;
    }
    if (search(find, false))
        return true;
    const Vtx_String question = dialString(1142) + "\n" + dialString(1143) + "\n";
    if (hostPrompter().messageBox(question, dialString(1144), MessageButtons::YesNo,
                                  MessageIcon::Question) != MessageResult::Yes)
        return false;
    if (search(find, true))
        return true;
    hostPrompter().messageBox(dialString(1145), dialString(1146), MessageButtons::Ok,
                              MessageIcon::Information);
    return false;
}

bool FindReplaceDialog::search(const Vtx_String& find, bool fromStart) {
    SpreadView& view = *m_view;
    Vtx_Spread& grid = *view.grid();
    view.setFocus(Qt::OtherFocusReason);
    int column = 1;
    int row = 1;
    if (!fromStart) {
        grid.getActiveCell(column, row);
        if (QLineEdit* editor = view.cellEditor()) {
            // Inside the cell being edited, after what is selected.
            const int from =
                editor->hasSelectedText() ? editor->selectionEnd() : editor->cursorPosition();
            const QString wanted = qtText(find);
            const int pos = editor->text().indexOf(wanted, from);
            if (pos >= 0) {
                editor->setSelection(pos, static_cast<int>(wanted.size()));
                remember(find, column, row, pos);
                return true;
            }
            ++column;
        } else if (column == m_lastColumn && row == m_lastRow && find == m_lastText) {
            // The cell found last, its editor closed since (the focus went
            // to this dialog): go on after the occurrence found.
            int pos = 0;
            if (grid.findInCell(find, column, row, m_lastEnd, pos)) {
                showFound(find, column, row, pos);
                return true;
            }
            ++column;
        }
    }
    int foundColumn = 0;
    int foundRow = 0;
    if (!grid.findNext(find, true, column, row, foundColumn, foundRow))
        return false;
    int pos = 0;
    grid.findInCell(find, foundColumn, foundRow, 0, pos);
    showFound(find, foundColumn, foundRow, pos);
    return true;
}

void FindReplaceDialog::remember(const Vtx_String& find, int column, int row, int pos) {
    m_lastColumn = column;
    m_lastRow = row;
    m_lastEnd = pos + find.length();
    m_lastText = find;
}

void FindReplaceDialog::showFound(const Vtx_String& find, int column, int row, int pos) {
    SpreadView& view = *m_view;
    Vtx_Spread& grid = *view.grid();
    remember(find, column, row, pos);
    // The editor shows the data text or the formula: only when that is the
    // value text searched can the occurrence be selected in it.
    Vtx_String value;
    grid.getCellText(column, row, value, kTextValue);
    const QModelIndex index = view.sheetModel().index(row - 1, column - 1);
    if (!userEditable(view, column, row) || index.data(Qt::EditRole).toString() != qtText(value)) {
        view.finishEditing();
        grid.setActiveCell(column, row);
        grid.selectRange(column, row, column, row);
        view.sync();
        return;
    }
    grid.selectFound(find, column, row, pos);
    view.sync();
    // An editor already open on this cell keeps its text: select in it here.
    if (QLineEdit* editor = view.cellEditor())
        editor->setSelection(pos, find.length());
}

bool FindReplaceDialog::replace() {
    if (!findNext())
        return false;
    SpreadView& view = *m_view;
    Vtx_Spread& grid = *view.grid();
    Vtx_String find;
    Vtx_String replacement;
    QLineEdit* editor = view.cellEditor();
    // Only the occurrence just found is replaced, never a selection of the
    // user's that happens to be there.
    if (!texts(find, replacement) || !editor || editor->selectedText() != qtText(find))
        return false;
    const int start = editor->selectionStart();
    QString text = editor->text();
    text.replace(start, static_cast<int>(editor->selectedText().size()), qtText(replacement));
    Vtx_String stored;
    int column = 0;
    int row = 0;
    grid.getActiveCell(column, row);
    if (!moduleText(text, stored) || !grid.setCellText(column, row, stored))
        return false;
    grid.setModified(true);
    grid.setActiveCell(column, row);
    view.sync();
    if ((editor = view.cellEditor())) {
        if (editor->text() != text)
            editor->setText(text);
        editor->setSelection(start, static_cast<int>(qtText(replacement).size()));
    }
    return true;
}

int FindReplaceDialog::replaceAll() {
    Vtx_String find;
    Vtx_String replacement;
    if (!texts(find, replacement) || !m_view || !m_view->grid())
        return -1;
    if (find.isEmpty()) {
        m_findEdit->setFocus();
        return 0;
    }
    SpreadView& view = *m_view;
    Vtx_Spread& grid = *view.grid();
    // An open editor would write its old text back over the replaced one.
    view.finishEditing();
    int count = 0;
    int column = 1;
    int row = 1;
    int foundColumn = 0;
    int foundRow = 0;
    while (grid.findNext(find, true, column, row, foundColumn, foundRow)) {
        // Cells the user may not change (locked while protected, check
        // boxes, pictures, covered cells) are left alone.
        if (userEditable(view, foundColumn, foundRow) &&
            grid.replaceInCell(foundColumn, foundRow, find, replacement))
            ++count;
        column = foundColumn + 1;
        row = foundRow;
    }
    view.sync();
    hostPrompter().messageBox(dialString(1147) + " " + Vtx_String::fromInt(count) + " " +
                                  dialString(1148),
                              dialString(1149), MessageButtons::Ok, MessageIcon::Information);
    return count;
}

} // namespace vtx::spreadui
