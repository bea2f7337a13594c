#include "CommandRunner.h"

#include "Commands.h"

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <vector>

namespace fuzz {

int runCommand(std::initializer_list<std::string> arguments) {
    std::vector<const char*> argv = {"vtxss"};
    for (const std::string& text : arguments)
        argv.push_back(text.c_str());
    const int argc = static_cast<int>(argv.size());
    if (std::getenv("VTX_FUZZ_VERBOSE") != nullptr)
        return cli::runVtxss(argc, argv.data());
    std::ostringstream sink;
    std::streambuf* out = std::cout.rdbuf(sink.rdbuf());
    std::streambuf* err = std::cerr.rdbuf(sink.rdbuf());
    const int code = cli::runVtxss(argc, argv.data());
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);
    return code;
}

} // namespace fuzz
