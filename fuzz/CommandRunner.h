#pragma once

/// Runs a vtxss subcommand in-process, as a user runs it from a shell, with
/// what it prints to stdout and stderr swallowed (the fuzzer would print it
/// for every input). With the environment variable VTX_FUZZ_VERBOSE set it
/// is shown, to see why a reproducer fails.

#include <initializer_list>
#include <string>

namespace fuzz {

/// Calls run(argc, argv) with the arguments that follow the subcommand's name
/// (as main() hands them over); returns its exit code.
int runCommand(int (*run)(int, char**), std::initializer_list<std::string> arguments);

} // namespace fuzz
