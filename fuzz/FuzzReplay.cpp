// The main() of a fuzz target built without libFuzzer: runs every file named
// on the command line, and every file in every folder named there, once
// through LLVMFuzzerTestOneInput. Of libFuzzer's options only -timeout=N is
// read (an input running longer than N seconds is a hang); the others (such
// as -runs=0) are ignored, so one command line serves both builds.
//
// An input that crashes, fails a check or hangs ends the run with exit code
// 1 after a line naming it, so the test that replays the corpus fails.

#include "FuzzSupport.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The input being run, for the signal handlers (which may not allocate).
char g_current[4096] = "";

void say(const char* text) {
    (void)!::write(2, text, std::strlen(text));
}

void onFault(int signal) {
    say(signal == SIGALRM ? "replay: the input ran past its time limit (-timeout): "
                          : "replay: the input crashed or failed a check: ");
    say(g_current);
    say("\n");
    ::_exit(1);
}

// The files to run, in the order given, each folder's files sorted.
bool collectInputs(int argc, char** argv, std::vector<fs::path>& inputs, unsigned& timeout) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.starts_with("-timeout="))
            timeout = static_cast<unsigned>(std::strtoul(argument.c_str() + 9, nullptr, 10));
        if (argument.empty() || argument[0] == '-')
            continue;
        std::error_code error;
        if (fs::is_directory(argument, error)) {
            std::vector<fs::path> files;
            for (const fs::directory_entry& entry : fs::directory_iterator(argument, error))
                if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            inputs.insert(inputs.end(), files.begin(), files.end());
        } else if (fs::is_regular_file(argument, error)) {
            inputs.emplace_back(argument);
        } else {
            std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", argv[i]);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    unsigned timeout = 0;
    if (!collectInputs(argc, argv, inputs, timeout))
        return 2;
    for (int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGALRM})
        std::signal(signal, onFault);
    for (const fs::path& input : inputs) {
        const std::string bytes = fuzz::readWholeFile(input.string());
        std::snprintf(g_current, sizeof g_current, "%s", input.c_str());
        std::fprintf(stderr, "replay: %s (%zu bytes)\n", g_current, bytes.size());
        ::alarm(timeout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ::alarm(0);
    }
    std::printf("replayed %zu input(s)\n", inputs.size());
    return 0;
}
