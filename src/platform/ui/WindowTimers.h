#pragma once

/// Window timers: a callback run on the user-interface thread after a delay,
/// named by an id, as the host's thread timers are. The macro dialogs end a
/// modeless dialog 50 ms after a host interaction is over; the constraint
/// editor guards its Esc key for 2 s after a selection.
///
///     vtx::ui::WindowTimers timers;
///     const int id = timers.start(50, [&](int id) { timers.kill(id); endDialog(); });
///     ...
///     timers.restart(id);                  // wait another 50 ms
///
/// A timer fires again every interval until it is killed (a procedure that
/// wants one tick kills its own timer, as the host's do). Destroying the
/// set kills every timer in it. Everything runs on the thread that made the
/// set.

#include "platform/Exports.h"

#include <QObject>

#include <functional>
#include <map>

namespace vtx::ui {

class VTX_UI_API WindowTimers : public QObject {
public:
    using Procedure = std::function<void(int id)>;

    explicit WindowTimers(QObject* parent = nullptr) : QObject(parent) {}
    ~WindowTimers() override;
    WindowTimers(const WindowTimers&) = delete;
    WindowTimers& operator=(const WindowTimers&) = delete;

    /// Starts a timer of ms milliseconds (at least 0) that runs procedure on
    /// every tick; its id (never 0), or 0 when the timer cannot be made.
    int start(int ms, Procedure procedure);
    /// Starts the timer's interval again from now; false when it is not
    /// running.
    bool restart(int id);
    /// Stops the timer (also from its own procedure); false when it is not
    /// running.
    bool kill(int id);
    bool isRunning(int id) const { return m_timers.count(id) != 0; }
    int count() const { return static_cast<int>(m_timers.size()); }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Timer {
        int qtId = 0;
        int ms = 0;
        Procedure procedure;
    };
    // The ids handed out stay the same when a timer restarts; Qt's change.
    std::map<int, Timer> m_timers;
    std::map<int, int> m_byQtId;
    int m_lastId = 0;
};

} // namespace vtx::ui
