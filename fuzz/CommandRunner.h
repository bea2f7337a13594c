#pragma once

/// Runs a vtxss subcommand in-process, as a user runs it from a shell, with
/// what it prints to stdout and stderr swallowed (the fuzzer would print it
/// for every input). With the environment variable VTX_FUZZ_VERBOSE set it
/// is shown, to see why a reproducer fails.

#include <initializer_list>
#include <string>

namespace fuzz {

/// Runs `vtxss <arguments>` (the subcommand's name first) and returns its
/// exit code.
int runCommand(std::initializer_list<std::string> arguments);

} // namespace fuzz
