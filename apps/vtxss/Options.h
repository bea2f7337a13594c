#pragma once

// The command-line grammar every vtxss subcommand shares, on CLI11: each
// command has -h/--help and --version; a value option takes exactly one
// value, once; a switch may be repeated (it changes nothing); unknown
// options and stray arguments are refused. parseErrorText turns what CLI11
// reports into one line in the tool's words.

#include <CLI/CLI.hpp>

#include <string>

namespace cli {

/// The tool's version, as --version prints it: "vtxss 0.1.0".
std::string versionText();

/// Gives top (and the subcommands added after) the tool's help layout.
void useToolHelp(CLI::App& top);
/// The paragraphs the help of command shows (its summary otherwise).
void setLongDescription(const CLI::App* command, const std::string& text);

/// A subcommand of parent with the shared flags. description is the help's
/// paragraph; footer (may be empty) follows the option list.
CLI::App* addCommand(CLI::App& parent, const std::string& name, const std::string& summary,
                     const std::string& description, const std::string& footer = {});

/// An option that takes one text (typeName in the help: FILE, NAME, ...).
/// A value that looks like an option ("--all") is refused, so that a
/// forgotten value does not swallow the next option.
CLI::Option* addValueOption(CLI::App& command, const std::string& names, std::string& target,
                            const std::string& typeName, const std::string& description);
/// An option that takes a whole number from min to max.
CLI::Option* addNumberOption(CLI::App& command, const std::string& names, int& target, int min,
                             int max, const std::string& description);
/// A switch (no value).
CLI::Option* addSwitch(CLI::App& command, const std::string& names, bool& target,
                       const std::string& description);

/// One line for a command line CLI11 refused, in the tool's words. command
/// is the subcommand being parsed (nullptr at the top level of top).
std::string parseErrorText(const CLI::ParseError& error, const CLI::App& top,
                           const CLI::App* command);

/// True when option was given on the command line.
inline bool given(const CLI::Option* option) {
    return option->count() > 0;
}

} // namespace cli
