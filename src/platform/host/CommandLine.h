#pragma once

#include "platform/Exports.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <cstdarg>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

/// Where the command line repeats what is printed on it.
enum class CommandLineEcho {
    Off,    ///< kept in the buffer only (tests, the default)
    Split,  ///< ordinary lines to stdout, "*Error*" lines to stderr
    Stderr, ///< every line to stderr (tools whose stdout carries data)
};

/// The host's command line: everything the module prints lands here as 8-bit
/// text, byte for byte. Lines that begin with "*Error*" are errors.
///
/// The buffer keeps at most kMaxBufferBytes; beyond that the oldest whole
/// lines are dropped and droppedBytes() counts them, so a batch run that
/// prints for hours cannot exhaust memory.
///
///     HostCommandLine& line = Host::current().commandLine();
///     line.printf("Loading spreadsheet:%s\n", name.c_str());
///     EXPECT_EQ(line.errorLines().length(), 0);
class VTX_HOST_API HostCommandLine {
public:
    static constexpr std::size_t kMaxBufferBytes = 8u << 20;
    /// One formatted print may produce at most this many bytes; the rest is cut.
    static constexpr std::size_t kMaxPrintBytes = 1u << 20;

    HostCommandLine() = default;
    /// Writes out a partial line still held back for the echo.
    ~HostCommandLine() { flushEcho(); }
    HostCommandLine(const HostCommandLine&) = delete;
    HostCommandLine& operator=(const HostCommandLine&) = delete;

    /// printf-style formatting in the C locale's rules; "%s" copies bytes
    /// unchanged. A null format prints nothing.
    void printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void vprintf(const char* format, std::va_list args);
    /// Appends text as it stands.
    void print(std::string_view text);

    /// Everything printed since the last clear (less what was dropped).
    const std::string& text() const { return m_buffer; }
    /// The buffer split into lines; a last line without "\n" is included.
    Vtx_StringArray lines() const;
    /// The lines that begin with "*Error*".
    Vtx_StringArray errorLines() const;
    bool hasErrors() const { return errorLines().length() > 0; }
    /// True when text occurs anywhere in the buffer.
    bool contains(std::string_view text) const;
    std::size_t droppedBytes() const { return m_dropped; }

    /// Empties the buffer; a pending partial echo line is written out first.
    void clear();

    void setEcho(CommandLineEcho echo);
    CommandLineEcho echo() const { return m_echo; }
    /// Called with every text printed, as it is printed (a window showing
    /// the command line); an empty function stops it.
    void setListener(std::function<void(std::string_view)> listener) {
        m_listener = std::move(listener);
    }
    /// Writes out a partial line still held back for the echo.
    void flushEcho();

private:
    void echoCompleteLines();
    void writeEchoLine(std::string_view line);
    void trimBuffer();

    std::string m_buffer;
    std::size_t m_dropped = 0;
    CommandLineEcho m_echo = CommandLineEcho::Off;
    std::string m_echoPending;
    std::function<void(std::string_view)> m_listener;
};

/// What a dialog posts to the host to run after the current message: a
/// command text such as "CANCELCMD", or a fresh command prompt.
struct VTX_HOST_API PostedCommand {
    enum class Kind { Command, Prompt };
    Kind kind = Kind::Command;
    Vtx_String text; ///< empty for a prompt
    bool operator==(const PostedCommand&) const = default;
};

/// The queue of posted commands and prompts, in posting order. The stand-in
/// never runs them: a test (or the desktop host) reads and takes them.
class VTX_HOST_API HostCommandQueue {
public:
    void postCommand(const Vtx_String& text) {
        m_posted.push_back({PostedCommand::Kind::Command, text});
    }
    void postCommandPrompt() { m_posted.push_back({PostedCommand::Kind::Prompt, {}}); }

    const std::vector<PostedCommand>& posted() const { return m_posted; }
    /// The texts of posted commands only, prompts left out.
    Vtx_StringArray commandTexts() const;
    int promptCount() const;
    /// Hands over everything posted so far and empties the queue.
    std::vector<PostedCommand> takeAll();
    void clear() { m_posted.clear(); }

private:
    std::vector<PostedCommand> m_posted;
};
