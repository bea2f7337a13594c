#include "ToolRun.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace tooltest {

int ToolResult::errLines() const {
    return static_cast<int>(std::count(err.begin(), err.end(), '\n'));
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TempFolder::TempFolder() {
    static int serial = 0;
    for (;;) {
        m_path = fs::temp_directory_path() /
                 ("vtxss_test_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
        if (fs::create_directory(m_path))
            return;
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

ToolResult runTool(const std::vector<std::string>& args, const fs::path& folder) {
    return runProgram(VTXSS_BINARY, args, folder);
}

ToolResult runProgram(const fs::path& program, const std::vector<std::string>& args,
                      const fs::path& folder) {
    // The streams go to files, so that neither can fill a pipe and stall.
    TempFolder streams;
    const std::string outFile = streams.file("out");
    const std::string errFile = streams.file("err");
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        if (!folder.empty() && ::chdir(folder.c_str()) != 0)
            ::_exit(126);
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0)
            ::_exit(126);
        ::unsetenv("VTX_LIBRARY");
        ::unsetenv("VTX_INSTALL");
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    ToolResult result;
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.code = WEXITSTATUS(status);
    result.out = readFile(outFile);
    result.err = readFile(errFile);
    return result;
}

} // namespace tooltest
