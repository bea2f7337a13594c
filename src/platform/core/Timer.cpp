#include "platform/core/Timer.h"

void Vtx_Timer::start() {
    m_started = Clock::now();
    m_running = true;
}

bool Vtx_Timer::end() {
    if (!m_running)
        return false;
    m_total += Clock::now() - m_started;
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
