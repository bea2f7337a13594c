#pragma once

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"

class HostCommandLine;

#include <cstdint>

/// An opaque window handle of the host stand-in. It identifies a window; it
/// is never dereferenced. Id 0 is no window.
struct VTX_HOST_API HostWindow {
    std::uint64_t id = 0;
    bool isValid() const { return id != 0; }
    bool operator==(const HostWindow&) const = default;
};

/// The host's editor: the editor-command bracket that a dialog puts around
/// work in the drawing (it hides itself, lets the user pick, shows itself
/// again), display updates, and the main window that dialogs are parented to.
///
///     HostEditor& editor = Host::current().editor();
///     editor.beginEditorCommand();
///     ... pick in the drawing ...
///     editor.completeEditorCommand();
///
/// The bracket nests. A complete without a matching begin is a fault of the
/// caller: it is refused with eNotApplicable, counted, and reported on the
/// command line as an "*Error*" line; the depth stays 0.
class VTX_HOST_API HostEditor {
public:
    /// Faults of the bracket are reported on commandLine, which must outlive
    /// the editor.
    explicit HostEditor(HostCommandLine& commandLine) : m_commandLine(commandLine) {}
    HostEditor(const HostEditor&) = delete;
    HostEditor& operator=(const HostEditor&) = delete;

    /// The main window's handle: fixed for the life of the host.
    static constexpr HostWindow kMainWindow{1};

    void beginEditorCommand();
    /// eOk, or eNotApplicable when no editor command is open.
    ErrorStatus completeEditorCommand();
    /// Ends the innermost editor command as cancelled; eNotApplicable when none
    /// is open.
    ErrorStatus cancelEditorCommand();

    /// Open editor commands (0 when none).
    int depth() const { return m_depth; }
    bool inEditorCommand() const { return m_depth > 0; }
    int beginCount() const { return m_begins; }
    int completeCount() const { return m_completes; }
    int cancelCount() const { return m_cancels; }
    /// Completes and cancels that had no open editor command.
    int unbalancedCount() const { return m_unbalanced; }

    /// Asks the host to redraw the drawing; counted so tests can see it.
    void updateDisplay() { ++m_displayUpdates; }
    int displayUpdateCount() const { return m_displayUpdates; }

    HostWindow mainWindow() const { return kMainWindow; }
    /// Hands out a fresh window handle for a window made over the host (the
    /// dialogs' stand-in windows); never kMainWindow, never reused.
    HostWindow newWindow() { return HostWindow{++m_lastWindowId}; }
    /// The window that has the keyboard focus (the main window at start).
    HostWindow focusWindow() const { return m_focus; }
    /// Gives the focus to a window; false (nothing changes) for no window.
    bool setFocus(HostWindow window);

    /// Forgets the counters and open commands; the focus returns to the main
    /// window.
    void reset();

private:
    ErrorStatus endEditorCommand(int& counter, const char* what);

    HostCommandLine& m_commandLine;
    int m_depth = 0;
    int m_begins = 0;
    int m_completes = 0;
    int m_cancels = 0;
    int m_unbalanced = 0;
    int m_displayUpdates = 0;
    std::uint64_t m_lastWindowId = kMainWindow.id;
    HostWindow m_focus = kMainWindow;
};
