#include "Output.h"

#include "Cli.h"

#include "platform/core/Files.h"
#include "platform/core/StringUtils.h"
#include "platform/host/Host.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace cli {

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

void printJson(const Json& document) {
    std::cout << document.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

std::ostream& reportStream(const std::string& target) {
    return isStdout(target) ? std::cerr : std::cout;
}

namespace {

// A folder of its own under the system's temporary folder, removed with
// everything in it when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::error_code ec;
        for (int attempt = 0; attempt < 16; ++attempt) {
            m_path = fs::temp_directory_path(ec) /
                     ("vtxss-" + std::to_string(::getpid()) + "-" + generateRandomString(8).str());
            if (fs::create_directory(m_path, ec))
                return;
        }
        fail("cannot make a temporary folder under " + fs::temp_directory_path(ec).string());
    }
    ~TemporaryFolder() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

} // namespace

Vtx_String targetFile(const std::string& path) {
    return isStdout(path) ? Vtx_String(path) : moduleText(path, "--out");
}

void writeTarget(const Vtx_String& target, const std::string& extension, bool binary,
                 const std::function<void(const Vtx_String& path)>& write,
                 const Vtx_String& replaced, const std::string& stem) {
    if (!isStdout(target.str())) {
        refuseReadInput(target, replaced);
        write(target);
        return;
    }
    if (binary && ::isatty(STDOUT_FILENO))
        misuse("will not write a ." + extension +
               " file to a terminal; redirect stdout or name a file with --out");
    TemporaryFolder folder;
    const fs::path file = folder.path() / (stem + "." + extension);
    write(corePath(file));
    std::ifstream in(file, std::ios::binary);
    if (!in)
        fail("cannot read back the temporary file " + file.string());
    std::cout << in.rdbuf();
    std::cout.flush();
    if (!std::cout)
        fail("cannot write to stdout");
}

std::string ModuleMessage::oneLine() const {
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            while (!line.empty() && line.back() == ' ')
                line.pop_back();
            line += ' ';
        } else if (c != ' ' || (!line.empty() && line.back() != ' ')) {
            line += c;
        }
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

std::vector<ModuleMessage> splitModuleMessages(const std::string& commandLineText) {
    static const std::string kError = "*Error*";
    static const std::string kWarning = "Warning: ";
    std::vector<ModuleMessage> messages;
    std::size_t start = 0;
    while (start < commandLineText.size()) {
        std::size_t end = commandLineText.find('\n', start);
        if (end == std::string::npos)
            end = commandLineText.size();
        std::string line = commandLineText.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ModuleMessage message;
        if (line.rfind(kError, 0) == 0) {
            message.kind = ModuleMessage::Kind::Error;
            line.erase(0, kError.size());
            if (!line.empty() && line.front() == ' ')
                line.erase(0, 1);
        } else if (line.rfind(kWarning, 0) == 0) {
            message.kind = ModuleMessage::Kind::Warning;
            line.erase(0, kWarning.size());
        } else if (!messages.empty() && messages.back().kind == ModuleMessage::Kind::Warning) {
            // A message box's text goes on over several lines.
            messages.back().text += "\n" + shown(Vtx_String(line));
            continue;
        } else if (line.empty()) {
            continue;
        }
        message.text = shown(Vtx_String(line));
        messages.push_back(std::move(message));
    }
    for (ModuleMessage& message : messages)
        while (!message.text.empty() && (message.text.back() == '\n' || message.text.back() == ' '))
            message.text.pop_back();
    return messages;
}

ModuleMessages::ModuleMessages()
    : m_echoBefore(static_cast<int>(Host::current().commandLine().echo())) {
    HostCommandLine& line = Host::current().commandLine();
    line.setEcho(CommandLineEcho::Off);
    line.clear();
}

ModuleMessages::~ModuleMessages() {
    Host::current().commandLine().setEcho(static_cast<CommandLineEcho>(m_echoBefore));
}

std::vector<ModuleMessage> ModuleMessages::take() {
    HostCommandLine& line = Host::current().commandLine();
    std::vector<ModuleMessage> messages = splitModuleMessages(line.text());
    line.clear();
    return messages;
}

std::string ModuleMessages::takeErrors() {
    std::string errors;
    for (const ModuleMessage& message : take()) {
        if (message.kind != ModuleMessage::Kind::Error)
            continue;
        if (!errors.empty())
            errors += "; ";
        errors += message.oneLine();
    }
    return errors;
}

void ModuleMessages::printRest(const std::string& command) {
    // The command succeeded: what the module called an error did not stop it.
    for (const ModuleMessage& message : take())
        std::cerr << "vtxss " << command << ": warning: " << message.oneLine() << "\n";
}

} // namespace cli
