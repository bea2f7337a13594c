#include "CommandRunner.h"

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <vector>

namespace fuzz {

int runCommand(int (*run)(int, char**), std::initializer_list<std::string> arguments) {
    std::vector<std::string> texts(arguments);
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    if (std::getenv("VTX_FUZZ_VERBOSE") != nullptr)
        return run(static_cast<int>(texts.size()), argv.data());
    std::ostringstream sink;
    std::streambuf* out = std::cout.rdbuf(sink.rdbuf());
    std::streambuf* err = std::cerr.rdbuf(sink.rdbuf());
    const int code = run(static_cast<int>(texts.size()), argv.data());
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);
    return code;
}

} // namespace fuzz
