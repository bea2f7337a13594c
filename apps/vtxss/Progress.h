#pragma once

// A progress line for long work: "vtxss apply: 350 of 3000 evaluations
// (11%)", rewritten in place on stderr. It appears only once the work has
// taken a second, only when stderr is a terminal, and never with --quiet;
// it is erased when the work ends, so that what follows starts on a clean
// line.
//
//     cli::Progress progress("apply", "evaluations", total, cli::Progress::wanted(quiet));
//     for (long long i = 0; i < total; ++i) {
//         work(i);
//         progress.update(i + 1);
//     }
//     progress.finish();

#include <functional>
#include <iosfwd>
#include <string>

namespace cli {

class Progress {
public:
    /// Seconds from any fixed point; the steady clock unless a test gives one.
    using Clock = std::function<double()>;

    /// The line appears after this many seconds of work...
    static constexpr double kDelaySeconds = 1.0;
    /// ...and is rewritten at most this often.
    static constexpr double kIntervalSeconds = 0.2;

    /// show false makes every call do nothing.
    Progress(std::string command, std::string unit, long long total, bool show);
    /// The same, writing to out and reading clock (for tests).
    Progress(std::string command, std::string unit, long long total, bool show, std::ostream& out,
             Clock clock);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    /// done of total units are finished.
    void update(long long done);
    /// Erases the line when one was shown.
    void finish();

    /// True when a progress line is wanted: not quiet and stderr a terminal.
    static bool wanted(bool quiet);

private:
    std::string m_command;
    std::string m_unit;
    long long m_total;
    bool m_show;
    std::ostream& m_out;
    Clock m_clock;
    double m_start = 0;
    double m_lastShown = 0;
    bool m_shown = false;
};

} // namespace cli
