#pragma once

#include "platform/Exports.h"
#include "platform/core/VtxString.h"

#include <chrono>
#include <functional>

/// A named stopwatch for diagnostics: every start/end pair adds its elapsed
/// time to a total and counts one run.
///
///     Vtx_Timer gLoadFile("gLoadFile");
///     gLoadFile.start();
///     ... load ...
///     gLoadFile.end();
///     print(gLoadFile.report());   // "gLoadFile: 1 run(s), 0.012 s"
///
/// An observer, when one is set, sees every start and end of every timer in
/// the process, in order: a trace of the stages that the timers delimit.
class VTX_CORE_API Vtx_Timer {
public:
    explicit Vtx_Timer(const Vtx_String& name = Vtx_String()) : m_name(name) {}
    virtual ~Vtx_Timer() = default;
    Vtx_Timer(const Vtx_Timer&) = default;
    Vtx_Timer& operator=(const Vtx_Timer&) = default;

    /// Starts a run; a start while running restarts the current run.
    void start();
    /// Ends the current run, adding its time and counting it. False (nothing
    /// counted) when the timer is not running.
    bool end();
    /// Clears the total and the count and stops a running run.
    void reset();

    bool isRunning() const { return m_running; }
    /// Time of all ended runs, in seconds.
    double totalSeconds() const;
    /// Number of ended runs.
    long long count() const { return m_count; }
    const Vtx_String& name() const { return m_name; }
    void setName(const Vtx_String& name) { m_name = name; }
    /// One line: name, number of runs and total seconds (3 decimals).
    Vtx_String report() const;

    /// Called after a run starts (started true) and before it ends; not for
    /// an end without a start, nor for reset.
    using Observer = std::function<void(const Vtx_Timer& timer, bool started)>;
    /// Sets the process-wide observer (empty: none); returns the one before.
    static Observer setObserver(Observer observer);

private:
    using Clock = std::chrono::steady_clock;

    Vtx_String m_name;
    Clock::duration m_total{};
    Clock::time_point m_started{};
    long long m_count = 0;
    bool m_running = false;
};
