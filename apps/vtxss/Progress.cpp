#include "Progress.h"

#include <unistd.h>

#include <chrono>
#include <iostream>

namespace cli {

namespace {

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

Progress::Progress(std::string command, std::string unit, long long total, bool show)
    : Progress(std::move(command), std::move(unit), total, show, std::cerr, steadySeconds) {}

Progress::Progress(std::string command, std::string unit, long long total, bool show,
                   std::ostream& out, Clock clock)
    : m_command(std::move(command)), m_unit(std::move(unit)), m_total(total), m_show(show),
      m_out(out), m_clock(std::move(clock)) {
    if (m_show)
        m_start = m_clock();
}

Progress::~Progress() {
    finish();
}

void Progress::update(long long done) {
    if (!m_show)
        return;
    const double now = m_clock();
    if (now - m_start < kDelaySeconds || (m_shown && now - m_lastShown < kIntervalSeconds))
        return;
    m_out << "\rvtxss " << m_command << ": " << done << " of " << m_total << " " << m_unit;
    if (m_total > 0)
        m_out << " (" << done * 100 / m_total << "%)";
    // Erases what a longer earlier line left to the right.
    m_out << "\x1b[K" << std::flush;
    m_lastShown = now;
    m_shown = true;
}

void Progress::finish() {
    if (!m_shown)
        return;
    m_out << "\r\x1b[K" << std::flush;
    m_shown = false;
}

bool Progress::wanted(bool quiet) {
    return !quiet && ::isatty(STDERR_FILENO);
}

} // namespace cli
