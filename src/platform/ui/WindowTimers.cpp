#include "platform/ui/WindowTimers.h"

#include <QTimerEvent>

#include <algorithm>
#include <utility>

namespace vtx::ui {

WindowTimers::~WindowTimers() {
    for (const auto& [id, timer] : m_timers)
        killTimer(timer.qtId);
}

int WindowTimers::start(int ms, Procedure procedure) {
    if (!procedure)
        return 0;
    ms = std::max(ms, 0);
    const int qtId = startTimer(ms, Qt::PreciseTimer);
    if (qtId == 0)
        return 0;
    const int id = ++m_lastId;
    m_timers[id] = Timer{qtId, ms, std::move(procedure)};
    m_byQtId[qtId] = id;
    return id;
}

bool WindowTimers::restart(int id) {
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return false;
    Timer& timer = it->second;
    m_byQtId.erase(timer.qtId);
    killTimer(timer.qtId);
    timer.qtId = startTimer(timer.ms, Qt::PreciseTimer);
    if (timer.qtId == 0) {
        m_timers.erase(it);
        return false;
    }
    m_byQtId[timer.qtId] = id;
    return true;
}

bool WindowTimers::kill(int id) {
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return false;
    killTimer(it->second.qtId);
    m_byQtId.erase(it->second.qtId);
    m_timers.erase(it);
    return true;
}

void WindowTimers::timerEvent(QTimerEvent* event) {
    auto byQt = m_byQtId.find(event->timerId());
    if (byQt == m_byQtId.end())
        return;
    const int id = byQt->second;
    // The procedure may kill its own timer or start others: call a copy.
    const Procedure procedure = m_timers.at(id).procedure;
    procedure(id);
}

} // namespace vtx::ui
