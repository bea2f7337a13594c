#include "platform/host/CommandLine.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::string_view kErrorPrefix = "*Error*";

Vtx_StringArray splitLines(const std::string& text) {
    Vtx_StringArray lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.append(Vtx_String(std::string_view(text).substr(start)));
            break;
        }
        lines.append(Vtx_String(std::string_view(text).substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

} // namespace

void HostCommandLine::printf(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    vprintf(format, args);
    va_end(args);
}

void HostCommandLine::vprintf(const char* format, std::va_list args) {
    if (format == nullptr)
        return;
    char small[512];
    std::va_list again;
    va_copy(again, args);
    int needed = std::vsnprintf(small, sizeof small, format, args);
    if (needed < 0) {
        va_end(again);
        return;
    }
    if (static_cast<std::size_t>(needed) < sizeof small) {
        va_end(again);
        print(std::string_view(small, static_cast<std::size_t>(needed)));
        return;
    }
    std::size_t length = std::min(static_cast<std::size_t>(needed), kMaxPrintBytes);
    std::string large(length + 1, '\0');
    std::vsnprintf(large.data(), large.size(), format, again);
    va_end(again);
    large.resize(length);
    print(large);
}

void HostCommandLine::print(std::string_view text) {
    m_buffer.append(text);
    if (m_echo != CommandLineEcho::Off) {
        m_echoPending.append(text);
        echoCompleteLines();
    }
    trimBuffer();
    if (m_listener)
        m_listener(text);
}

Vtx_StringArray HostCommandLine::lines() const {
    return splitLines(m_buffer);
}

Vtx_StringArray HostCommandLine::errorLines() const {
    Vtx_StringArray errors;
    for (const Vtx_String& line : splitLines(m_buffer))
        if (line.view().starts_with(kErrorPrefix))
            errors.append(line);
    return errors;
}

bool HostCommandLine::contains(std::string_view text) const {
    return m_buffer.find(text) != std::string::npos;
}

void HostCommandLine::clear() {
    flushEcho();
    m_buffer.clear();
    m_dropped = 0;
}

void HostCommandLine::setEcho(CommandLineEcho echo) {
    flushEcho();
    m_echo = echo;
}

void HostCommandLine::flushEcho() {
    if (!m_echoPending.empty())
        writeEchoLine(m_echoPending);
    m_echoPending.clear();
}

void HostCommandLine::echoCompleteLines() {
    std::size_t start = 0;
    for (std::size_t end = m_echoPending.find('\n'); end != std::string::npos;
         end = m_echoPending.find('\n', start)) {
        writeEchoLine(std::string_view(m_echoPending).substr(start, end + 1 - start));
        start = end + 1;
    }
    m_echoPending.erase(0, start);
}

void HostCommandLine::writeEchoLine(std::string_view line) {
    bool toStderr = m_echo == CommandLineEcho::Stderr || line.starts_with(kErrorPrefix);
    std::FILE* stream = toStderr ? stderr : stdout;
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fflush(stream);
}

void HostCommandLine::trimBuffer() {
    if (m_buffer.size() <= kMaxBufferBytes)
        return;
    // Drop the oldest half, cut at a line end where there is one.
    std::size_t cut = m_buffer.size() - kMaxBufferBytes / 2;
    std::size_t lineEnd = m_buffer.find('\n', cut);
    if (lineEnd != std::string::npos)
        cut = lineEnd + 1;
    m_buffer.erase(0, cut);
    m_dropped += cut;
}

Vtx_StringArray HostCommandQueue::commandTexts() const {
    Vtx_StringArray texts;
    for (const PostedCommand& command : m_posted)
        if (command.kind == PostedCommand::Kind::Command)
            texts.append(command.text);
    return texts;
}

int HostCommandQueue::promptCount() const {
    int count = 0;
    for (const PostedCommand& command : m_posted)
        if (command.kind == PostedCommand::Kind::Prompt)
            ++count;
    return count;
}

std::vector<PostedCommand> HostCommandQueue::takeAll() {
    std::vector<PostedCommand> taken;
    taken.swap(m_posted);
    return taken;
}
