#include "Options.h"

#include <charconv>

namespace cli {

std::string versionText() {
    return std::string("vtxss ") + VTXSS_VERSION;
}

CLI::App* addCommand(CLI::App& parent, const std::string& name, const std::string& summary,
                     const std::string& description, const std::string& footer) {
    CLI::App* command = parent.add_subcommand(name, summary);
    command->set_help_flag("-h,--help", "show this help and exit");
    command->set_version_flag("--version", versionText(), "show the version and exit");
    setLongDescription(command, description);
    // Always set: a command without a footer of its own would otherwise show
    // the top level's.
    command->footer(footer);
    return command;
}

namespace {

// A value that is an option name: the option before it had its value
// forgotten. "-" (stdout) and negative numbers are values.
bool looksLikeOption(const std::string& value) {
    if (value.size() < 2 || value[0] != '-')
        return false;
    double number = 0;
    const char* end = value.data() + value.size();
    auto [rest, error] = std::from_chars(value.data() + 1, end, number);
    return !(error == std::errc() && rest == end);
}

CLI::Validator valueValidator() {
    return CLI::Validator(
        [](std::string& value) {
            return looksLikeOption(value) ? "needs a value (got the option '" + value + "')"
                                          : std::string();
        },
        "");
}

std::string beforeColon(const std::string& text) {
    const auto colon = text.find(": ");
    return colon == std::string::npos ? std::string() : text.substr(0, colon);
}

std::string afterColon(const std::string& text) {
    const auto colon = text.find(": ");
    return colon == std::string::npos ? text : text.substr(colon + 2);
}

std::string firstExtra(const CLI::App* command) {
    if (!command)
        return {};
    for (const std::string& argument : command->remaining())
        if (argument != "--")
            return argument;
    return {};
}

} // namespace

CLI::Option* addValueOption(CLI::App& command, const std::string& names, std::string& target,
                            const std::string& typeName, const std::string& description) {
    return command.add_option(names, target, description)
        ->type_name(typeName)
        ->check(valueValidator());
}

CLI::Option* addNumberOption(CLI::App& command, const std::string& names, int& target, int min,
                             int max, const std::string& description) {
    const std::string range = std::to_string(min) + " to " + std::to_string(max);
    CLI::Validator number(
        [min, max, range](std::string& value) {
            int parsed = 0;
            const char* end = value.data() + value.size();
            auto [rest, error] = std::from_chars(value.data(), end, parsed);
            if (error != std::errc() || rest != end || parsed < min || parsed > max)
                return "takes a whole number from " + range + ", not '" + value + "'";
            return std::string();
        },
        "");
    return command.add_option(names, target, description)->type_name("N")->check(number);
}

CLI::Option* addSwitch(CLI::App& command, const std::string& names, bool& target,
                       const std::string& description) {
    return command.add_flag(names, target, description)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

std::string parseErrorText(const CLI::ParseError& error, const CLI::App& top,
                           const CLI::App* command) {
    const std::string message = error.what();
    const std::string seeHelp =
        command ? " (see vtxss " + command->get_name() + " --help)" : " (see vtxss --help)";
    if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
        const std::string extra = firstExtra(command ? command : &top);
        if (extra.empty())
            return message;
        if (extra.size() > 1 && extra[0] == '-')
            return "unknown option '" + extra + "'" + seeHelp;
        return (command ? "unexpected argument '" : "unknown command '") + extra + "'" + seeHelp;
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
        const std::string name = beforeColon(message);
        if (message.find("missing") != std::string::npos)
            return name + " needs a value";
        if (message.find("At Most") != std::string::npos)
            return name + " is given more than once";
        return message;
    }
    if (dynamic_cast<const CLI::ValidationError*>(&error) ||
        dynamic_cast<const CLI::ConversionError*>(&error))
        return beforeColon(message) + " " + afterColon(message);
    return message;
}

} // namespace cli
