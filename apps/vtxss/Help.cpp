// The help texts of vtxss: the usage line first, then what the command does
// and its options, wrapped for an 80-column terminal.

#include "Options.h"

#include <map>
#include <sstream>

namespace cli {

namespace {

constexpr std::size_t kWidth = 79;
constexpr std::size_t kOptionColumn = 30;

// Paragraphs (separated by an empty line) wrapped at width; every line but
// the first indented by indent blanks.
std::string wrapped(const std::string& text, std::size_t width, std::size_t indent = 0) {
    std::string out;
    std::size_t column = 0;
    bool lineStart = true;
    bool paragraphEnded = false;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find_first_not_of(' ') == std::string::npos) {
            paragraphEnded = !out.empty();
            continue;
        }
        if (paragraphEnded) {
            out += "\n\n" + std::string(indent, ' ');
            column = indent;
            lineStart = true;
            paragraphEnded = false;
        }
        std::istringstream words(line);
        std::string word;
        while (words >> word) {
            if (!lineStart && column + 1 + word.size() > width) {
                out += "\n" + std::string(indent, ' ');
                column = indent;
                lineStart = true;
            }
            if (!lineStart) {
                out += ' ';
                ++column;
            }
            out += word;
            column += word.size();
            lineStart = false;
        }
    }
    return out;
}

std::map<const CLI::App*, std::string>& longDescriptions() {
    static std::map<const CLI::App*, std::string> texts;
    return texts;
}

class HelpFormatter : public CLI::Formatter {
public:
    HelpFormatter() { column_width(kOptionColumn); }

    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override {
        if (mode == CLI::AppFormatMode::Sub)
            return make_expanded(app);
        std::ostringstream out;
        out << make_usage(app, name) << "\n" << make_description(app);
        out << make_positionals(app) << make_groups(app, mode) << make_subcommands(app, mode);
        if (!app->get_footer().empty())
            out << "\n" << wrapped(app->get_footer(), kWidth) << "\n";
        return out.str();
    }

    std::string make_description(const CLI::App* app) const override {
        auto found = longDescriptions().find(app);
        const std::string text =
            found == longDescriptions().end() ? app->get_description() : found->second;
        return wrapped(text, kWidth) + "\n";
    }

    std::string make_option_desc(const CLI::Option* option) const override {
        // Continuation lines are indented to the column by the caller.
        return wrapped(option->get_description(), kWidth - kOptionColumn - 2);
    }
};

} // namespace

void useToolHelp(CLI::App& top) {
    top.formatter(std::make_shared<HelpFormatter>());
}

void setLongDescription(const CLI::App* command, const std::string& text) {
    longDescriptions()[command] = text;
}

} // namespace cli
