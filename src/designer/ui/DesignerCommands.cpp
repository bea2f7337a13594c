// The designer window's commands beyond the tool buttons: undo and redo,
// aligning, distributing and matching sizes. They sit in the design area's
// right-click menu; undo and redo also on their keys.

#include "designer/ui/DesignArea.h"
#include "designer/ui/DesignTracker.h"
#include "designer/ui/DesignerWindow.h"
#include "platform/ui/UiText.h"

#include <QAction>

namespace vtx::designui {

namespace {

struct CommandEntry {
    DesignerCommand command;
    int text;
};

// Dialog texts 1800 to 1812, in menu order.
constexpr CommandEntry kCommands[] = {
    {DesignerCommand::Undo, 1800},         {DesignerCommand::Redo, 1801},
    {DesignerCommand::AlignLeft, 1802},    {DesignerCommand::AlignRight, 1803},
    {DesignerCommand::AlignTop, 1804},     {DesignerCommand::AlignBottom, 1805},
    {DesignerCommand::AlignCentreX, 1806}, {DesignerCommand::AlignCentreY, 1807},
    {DesignerCommand::DistributeX, 1808},  {DesignerCommand::DistributeY, 1809},
    {DesignerCommand::SameWidth, 1810},    {DesignerCommand::SameHeight, 1811},
    {DesignerCommand::SameSize, 1812},
};

} // namespace

void DesignerWindow::buildCommands() {
    for (const CommandEntry& entry : kCommands) {
        auto* action = new QAction(vtx::ui::uiText(entry.text), m_tracker);
        action->setObjectName(QStringLiteral("command%1").arg(entry.text));
        connect(action, &QAction::triggered, this,
                [this, command = entry.command] { runCommand(command); });
        m_commands[entry.command] = action;
        m_tracker->addAction(action);
        if (entry.command == DesignerCommand::Redo || entry.command == DesignerCommand::AlignLeft ||
            entry.command == DesignerCommand::DistributeX ||
            entry.command == DesignerCommand::SameWidth) {
            auto* separator = new QAction(m_tracker);
            separator->setSeparator(true);
            m_tracker->addAction(separator);
        }
    }
    m_commands[DesignerCommand::Undo]->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence::Undo});
    m_commands[DesignerCommand::Redo]->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The keys work anywhere in the window but in the strip's edits, which
    // undo their own typing.
    for (DesignerCommand command : {DesignerCommand::Undo, DesignerCommand::Redo}) {
        m_commands[command]->setShortcutContext(Qt::WindowShortcut);
        addAction(m_commands[command]);
    }
    m_tracker->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QAction* DesignerWindow::commandAction(DesignerCommand command) const {
    auto it = m_commands.find(command);
    return it == m_commands.end() ? nullptr : it->second;
}

void DesignerWindow::runCommand(DesignerCommand command) {
    endTyping();
    Vtx_DlgDesignerData& design = m_area->design();
    bool changed = false;
    switch (command) {
    case DesignerCommand::Undo:
        changed = design.undo();
        break;
    case DesignerCommand::Redo:
        changed = design.redo();
        break;
    case DesignerCommand::AlignLeft:
        changed = design.alignCurCtrls(Vtx_AlignEdge::Left);
        break;
    case DesignerCommand::AlignRight:
        changed = design.alignCurCtrls(Vtx_AlignEdge::Right);
        break;
    case DesignerCommand::AlignTop:
        changed = design.alignCurCtrls(Vtx_AlignEdge::Top);
        break;
    case DesignerCommand::AlignBottom:
        changed = design.alignCurCtrls(Vtx_AlignEdge::Bottom);
        break;
    case DesignerCommand::AlignCentreX:
        changed = design.alignCurCtrls(Vtx_AlignEdge::CentreX);
        break;
    case DesignerCommand::AlignCentreY:
        changed = design.alignCurCtrls(Vtx_AlignEdge::CentreY);
        break;
    case DesignerCommand::DistributeX:
    case DesignerCommand::DistributeY:
        changed = design.distributeCurCtrls(command == DesignerCommand::DistributeX);
        break;
    case DesignerCommand::SameWidth:
        changed = design.matchSizeOfCurCtrls(Vtx_SizeMatch::Width);
        break;
    case DesignerCommand::SameHeight:
        changed = design.matchSizeOfCurCtrls(Vtx_SizeMatch::Height);
        break;
    case DesignerCommand::SameSize:
        changed = design.matchSizeOfCurCtrls(Vtx_SizeMatch::Both);
        break;
    }
    edit(changed);
}

} // namespace vtx::designui
