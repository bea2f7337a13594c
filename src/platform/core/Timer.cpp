#include "platform/core/Timer.h"

#include <utility>

namespace {

Vtx_Timer::Observer& observerSlot() {
    static Vtx_Timer::Observer observer;
    return observer;
}

void notify(const Vtx_Timer& timer, bool started) {
    if (!observerSlot())
        return;
    // A copy: the observer may replace itself while it runs.
    const Vtx_Timer::Observer observer = observerSlot();
    observer(timer, started);
}

} // namespace

Vtx_Timer::Observer Vtx_Timer::setObserver(Observer observer) {
    return std::exchange(observerSlot(), std::move(observer));
}

void Vtx_Timer::start() {
    m_running = true;
    notify(*this, true);
    // The observer's own time is not the stage's.
    m_started = Clock::now();
}

bool Vtx_Timer::end() {
    if (!m_running)
        return false;
    const Clock::time_point ended = Clock::now();
    notify(*this, false);
    m_total += ended - m_started;
    ++m_count;
    m_running = false;
    return true;
}

void Vtx_Timer::reset() {
    m_total = Clock::duration{};
    m_count = 0;
    m_running = false;
}

double Vtx_Timer::totalSeconds() const {
    return std::chrono::duration<double>(m_total).count();
}

Vtx_String Vtx_Timer::report() const {
    Vtx_String text = m_name;
    text += ": ";
    text += Vtx_String::fromInt(m_count);
    text += " run(s), ";
    text += Vtx_String(totalSeconds(), 3);
    text += " s";
    return text;
}
