// The tables page's editing: renaming a table, its template and headers,
// copy and paste, and the row buttons.
#include "sectionlib/ui/SectionTablesPage.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/host/Host.h"
#include "platform/ui/UiText.h"
#include "sectionlib/SectionTemplates.h"
#include "spread/ui/SpreadView.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>

#include <algorithm>
#include <filesystem>

namespace vtx::sectionui {

void SectionTablesPage::renameTable() {
    if (m_loaded < 0)
        return;
    const Vtx_String oldName = m_data.tableNames[m_loaded];
    TextInputRequest request;
    request.caption = dialString(790);
    request.prompt = dialString(791);
    request.value = oldName;
    request.okCaption = dialString(1);
    request.cancelCaption = dialString(2);
    if (!hostPrompter().textInput(request))
        return;
    const Vtx_String newName = stripSymbols(request.value);
    if (newName == oldName)
        return;
    if (newName.isEmpty() || hasInvalidFileNameChars(newName)) {
        warn(1771, {});
        return;
    }
    const bool caseOnly = newName.equal(oldName, false);
    if (!caseOnly && (m_data.tableNames.contains(newName, false) ||
                      fileExists(Vtx_ProfValuesTable::filePath(newName)))) {
        warn(1770, newName);
        return;
    }
    Vtx_ProfValuesTable table;
    tableFromGrid(table);
    table.tableName = newName;
    const Vtx_String oldPath = Vtx_ProfValuesTable::filePath(oldName);
    const bool hadFile = !m_unsaved && fileExists(oldPath);
    std::error_code error;
    if (caseOnly && hadFile) {
        // The same file under another spelling: renamed, then written.
        const Vtx_String newPath = gSettings.libDir + "prof\\" + newName + ".pr";
        std::filesystem::rename(nativePath(oldPath), nativePath(newPath), error);
        if (error) {
            warn(1769, newPath);
            return;
        }
    }
    // The new file is written before the old one goes, so a failed write
    // loses nothing.
    Vtx_String reason;
    if (!table.writeToFile(newName, &reason)) {
        warn(1769, reason);
        return;
    }
    if (!caseOnly && hadFile)
        std::filesystem::remove(nativePath(oldPath), error);
    m_data.tableNames[m_loaded] = newName;
    load(m_loaded);
}

void SectionTablesPage::templateChosen(int index) {
    if (index < 0 || m_loaded < 0)
        return;
    m_grid.setModified(true);
    renewHeaders(true);
}

void SectionTablesPage::renewHeaders(bool askToDrop) {
    if (m_loaded < 0)
        return;
    m_view->finishEditing();
    const Vtx_String templateName = chosenTemplate();
    Vtx_StringArray headers;
    m_grid.getHeaderRow(headers);
    const Vtx_StringArray renewed = renewedHeaders(headers, templateName, m_grid.getMaxCols());
    if (renewed.length() > m_grid.getMaxCols())
        m_grid.setMaxCols(renewed.length(), true);
    m_grid.setHeaderRow(renewed);
    if (!(renewed == headers))
        m_grid.setModified(true);
    const int standard = standardHeaderCount(headers, templateName);
    if (askToDrop && standard > 0 && standard < m_grid.getMaxCols()) {
        const Vtx_String question = dialString(793) + " " + shownTemplate(templateName) + " " +
                                    dialString(794) + "\n" + dialString(795);
        if (hostPrompter().messageBox(question, dialString(792), MessageButtons::YesNo,
                                      MessageIcon::Question) == MessageResult::Yes)
            m_grid.setMaxCols(standard, false);
    }
    if (!askToDrop) {
        Vtx_StringArray rowHeaders;
        for (int r = 1; r <= m_grid.getMaxRows(); ++r)
            rowHeaders.append(m_data.tableNames[m_loaded]);
        m_grid.setHeaderColumn(rowHeaders);
        m_grid.resetFonts();
    }
    m_view->sync();
}

void SectionTablesPage::copyCells() {
    m_view->finishEditing();
    int column1 = 0, row1 = 0, column2 = 0, row2 = 0;
    if (m_grid.getMaxRows() < 1 || !m_grid.getSelection(column1, row1, column2, row2))
        return;
    Vtx_String text;
    for (int r = std::min(row1, row2); r <= std::max(row1, row2); ++r) {
        Vtx_StringArray cells;
        for (int c = std::min(column1, column2); c <= std::max(column1, column2); ++c) {
            Vtx_String cell;
            m_grid.getCellText(c, r, cell);
            cells.append(cell);
        }
        text += arrToStr(cells, '\t') + "\n";
    }
    QApplication::clipboard()->setText(vtx::ui::qtText(text));
}

void SectionTablesPage::pasteCells() {
    m_view->finishEditing();
    Vtx_String text;
    int column = 0, row = 0;
    if (!vtx::ui::moduleText(QApplication::clipboard()->text(), text) || m_grid.getMaxRows() < 1 ||
        !m_grid.getActiveCell(column, row))
        return;
    text.replaceSubString("\r\n", "\n");
    Vtx_StringArray lines;
    strToArr(text, '\n', lines);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeAt(lines.length() - 1);
    // Cells beyond the grid's edge are left out: pasting never grows the table.
    for (int i = 0; i < lines.length(); ++i) {
        Vtx_StringArray cells;
        strToArr(lines[i], '\t', cells);
        for (int j = 0; j < cells.length(); ++j)
            m_grid.setCellText(column + j, row + i, cells[j]);
    }
    m_grid.setModified(true);
    m_view->sync();
}

void SectionTablesPage::insertRow() {
    m_view->finishEditing();
    if (m_loaded < 0 || m_grid.getMaxCols() < 1)
        return;
    int column = 1, row = 0;
    if (m_grid.getMaxRows() > 0)
        m_grid.getActiveCell(column, row);
    const int at = row + 1;
    if (!m_grid.insertRow(at, false, false))
        return;
    // A new section is in use and carries the table's name as its header.
    m_grid.setCellText(0, at, m_data.tableNames[m_loaded]);
    m_grid.setCheckBoxCell(kProfInUseColumn + 1, at, false);
    m_grid.setCellText(kProfInUseColumn + 1, at, "1");
    m_grid.setActiveCell(1, at);
    m_grid.selectRange(1, at, 1, at);
    m_view->sync();
}

void SectionTablesPage::deleteRow() {
    m_view->finishEditing();
    int column = 0, row = 0;
    if (m_grid.getMaxRows() < 1 || !m_grid.getActiveCell(column, row))
        return;
    m_grid.deleteRow(row);
    if (m_grid.getMaxRows() > 0)
        m_grid.setActiveCell(column, std::min(row, m_grid.getMaxRows()));
    m_view->sync();
}

void SectionTablesPage::moveRow(bool up) {
    m_view->finishEditing();
    if (m_grid.getMaxRows() < 1)
        return;
    if (up)
        m_grid.moveRowUp();
    else
        m_grid.moveRowDown();
    m_view->sync();
}

} // namespace vtx::sectionui
