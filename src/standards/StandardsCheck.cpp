// The author's checks over a set of standards spreadsheets: each sheet, the
// child sheets it calls (loaded and checked too), the data and size files
// its functions name and its mapping file, each file once.

#include "standards/StandardsCheck.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "standards/DataFiles.h"
#include "standards/EvaluationStack.h"
#include "standards/KsVarCells.h"
#include "standards/StandardsCheckParts.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

namespace {

using check::SheetFacts;

std::string keyOf(const Vtx_String& path) {
    return evaluation::canonicalSheetPath(path).lower().str();
}

class Checker {
public:
    explicit Checker(const StandardsCheckOptions& options) : m_options(options) {}

    std::vector<CheckProblem> run(const std::vector<Vtx_String>& paths) {
        for (const Vtx_String& path : paths)
            load(path);
        // Children are loaded while the list grows.
        for (std::size_t i = 0; i < m_order.size(); ++i)
            for (const check::ChildCall& call : m_order[i]->calls)
                if (Vtx_String child; evaluation::resolveChild(call.file, m_order[i]->path, child))
                    load(child);
        for (SheetFacts* facts : m_order) {
            checkCalls(*facts);
            checkOutputs(*facts);
            noteDataFiles(*facts);
            if (facts->loaded)
                check::checkMappingFile(*facts, m_options, m_problems);
        }
        for (const auto& [path, numeric] : m_tables)
            check::checkTableFile(path, numeric, m_problems);
        for (const Vtx_String& path : m_sizes)
            check::checkSizeFile(path, m_problems);
        return sorted();
    }

private:
    SheetFacts* find(const Vtx_String& path) {
        auto it = m_sheets.find(keyOf(path));
        return it == m_sheets.end() ? nullptr : it->second.get();
    }

    void load(const Vtx_String& path) {
        if (find(path))
            return;
        auto facts = std::make_unique<SheetFacts>();
        check::checkSheet(path, *facts, m_problems);
        m_order.push_back(facts.get());
        m_sheets[keyOf(path)] = std::move(facts);
    }

    void report(const SheetFacts& facts, const check::ChildCall& call, const Vtx_String& text) {
        m_problems.push_back({facts.path, facts.line(call.column, call.row),
                              check::cellName(call.column, call.row), text});
    }

    // The chain of calls from `from` back to `to`, "A.kss -> B.kss", or
    // empty when `from` does not reach `to`.
    Vtx_String chain(const SheetFacts& from, const std::string& to,
                     std::vector<std::string>& seen) {
        for (const check::ChildCall& call : from.calls) {
            Vtx_String child;
            if (!evaluation::resolveChild(call.file, from.path, child))
                continue;
            const std::string key = keyOf(child);
            if (key == to)
                return child;
            if (std::find(seen.begin(), seen.end(), key) != seen.end())
                continue;
            seen.push_back(key);
            if (const SheetFacts* next = find(child)) {
                const Vtx_String rest = chain(*next, to, seen);
                if (!rest.isEmpty())
                    return child + " -> " + rest;
            }
        }
        return {};
    }

    void checkCalls(SheetFacts& facts) {
        for (const check::ChildCall& call : facts.calls) {
            Vtx_String path;
            if (!evaluation::resolveChild(call.file, facts.path, path)) {
                report(facts, call,
                       "CallChild: the child spreadsheet " + call.file +
                           " does not exist (looked beside " + facts.path +
                           " and in the standards folders)");
                continue;
            }
            if (keyOf(path) == keyOf(facts.path)) {
                report(facts, call, "CallChild: the spreadsheet calls itself");
                continue;
            }
            std::vector<std::string> seen;
            const SheetFacts* child = find(path);
            if (const Vtx_String cycle =
                    child ? chain(*child, keyOf(facts.path), seen) : Vtx_String();
                !cycle.isEmpty())
                report(facts, call,
                       "CallChild: the spreadsheets call each other in a cycle: " + facts.path +
                           " -> " + path + " -> " + cycle);
            if (!child || !child->loaded)
                continue;
            matchArguments(facts, call, *child);
        }
    }

    // The child's inputs and outputs pair with the passed variables by
    // position; the child's outputs come back into the caller's variables.
    void matchArguments(SheetFacts& facts, const check::ChildCall& call, const SheetFacts& child) {
        std::vector<const check::Declaration*> params;
        for (const check::Declaration& declaration : child.variables)
            if (declaration.section != kCellLocal)
                params.push_back(&declaration);
        if (params.size() != static_cast<std::size_t>(call.variables.length()))
            report(facts, call,
                   "CallChild passes " + Vtx_String::fromInt(call.variables.length()) +
                       " variables, and " + child.path + " declares " +
                       Vtx_String::fromInt(static_cast<long long>(params.size())) +
                       " inputs and outputs");
        const std::size_t count =
            std::min(params.size(), static_cast<std::size_t>(call.variables.length()));
        for (std::size_t i = 0; i < count; ++i) {
            const check::Declaration* passed = facts.find(call.variables[static_cast<int>(i)]);
            if (!passed || params[i]->section != kCellOutput)
                continue;
            if (passed->section == kCellInput)
                report(facts, call,
                       "CallChild would write the output " + params[i]->name + " of " + child.path +
                           " into the input " + passed->name);
            else
                facts.assigned.insert(passed->name.lower().str());
        }
    }

    void checkOutputs(const SheetFacts& facts) {
        for (const check::Declaration& declaration : facts.variables)
            if (declaration.section == kCellOutput && !declaration.name.isEmpty() &&
                facts.find(declaration.name) == &declaration &&
                !facts.assigned.count(declaration.name.lower().str()))
                m_problems.push_back(
                    {facts.path, facts.line(declaration.column, declaration.row),
                     check::cellName(declaration.column, declaration.row),
                     "the output " + declaration.name +
                         " is never assigned: no equation or child call writes it"});
    }

    void noteDataFiles(const SheetFacts& facts) {
        for (const check::DataUse& use : facts.dataUses) {
            Vtx_String path;
            if (!findDataFile(use.file, path)) {
                m_problems.push_back({facts.path, facts.line(use.column, use.row),
                                      check::cellName(use.column, use.row),
                                      use.function + ": the data file " + use.file +
                                          " is not found (looked in Connection Standards\\Data, "
                                          "Connection Standards and the library folder)"});
                continue;
            }
            if (use.sizeFile) {
                if (std::none_of(m_sizes.begin(), m_sizes.end(), [&](const Vtx_String& known) {
                        return keyOf(known) == keyOf(path);
                    }))
                    m_sizes.push_back(path);
                continue;
            }
            auto it = std::find_if(m_tables.begin(), m_tables.end(), [&](const auto& known) {
                return keyOf(known.first) == keyOf(path);
            });
            if (it == m_tables.end())
                m_tables.emplace_back(path, use.numeric);
            else
                it->second = it->second || use.numeric;
        }
    }

    // Each file's problems together, files in the order they were met,
    // each file's in line order.
    std::vector<CheckProblem> sorted() {
        std::vector<std::string> files;
        for (const CheckProblem& problem : m_problems)
            if (std::find(files.begin(), files.end(), problem.file.str()) == files.end())
                files.push_back(problem.file.str());
        auto rank = [&files](const CheckProblem& p) {
            return std::find(files.begin(), files.end(), p.file.str()) - files.begin();
        };
        std::stable_sort(m_problems.begin(), m_problems.end(),
                         [&rank](const CheckProblem& a, const CheckProblem& b) {
                             const auto ra = rank(a);
                             const auto rb = rank(b);
                             return ra != rb ? ra < rb : a.line < b.line;
                         });
        return m_problems;
    }

    const StandardsCheckOptions& m_options;
    std::vector<CheckProblem> m_problems;
    std::map<std::string, std::unique_ptr<SheetFacts>> m_sheets;
    std::vector<SheetFacts*> m_order;
    std::vector<std::pair<Vtx_String, bool>> m_tables;
    std::vector<Vtx_String> m_sizes;
};

} // namespace

Vtx_String CheckProblem::text() const {
    Vtx_String out = file;
    if (line > 0)
        out += ":" + Vtx_String::fromInt(line);
    out += ": ";
    if (!cell.isEmpty())
        out += cell + ": ";
    return out + message;
}

std::vector<CheckProblem> checkStandards(const std::vector<Vtx_String>& paths,
                                         const StandardsCheckOptions& options) {
    return Checker(options).run(paths);
}

std::vector<Vtx_String> libraryStandards() {
    std::vector<Vtx_String> paths;
    std::error_code ec;
    const std::filesystem::path root = nativePath(gSettings.libDir + "Connection Standards");
    for (std::filesystem::recursive_directory_iterator it(root, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        std::string extension = it->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension == ".kss")
            paths.push_back(corePath(it->path()));
    }
    std::sort(paths.begin(), paths.end(),
              [](const Vtx_String& a, const Vtx_String& b) { return a.str() < b.str(); });
    return paths;
}

std::vector<CheckProblem> checkLibraryStandards(const StandardsCheckOptions& options) {
    return checkStandards(libraryStandards(), options);
}
