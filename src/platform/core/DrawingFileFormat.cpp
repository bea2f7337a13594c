#include "platform/core/DrawingFileFormat.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

namespace drawing_file {

namespace {

constexpr const char* kCutTypeNames[] = {"straight", "polygon", "cope",
                                         "center",   "chamfer", "full"};
constexpr const char* kOffsetNames[] = {"cut",     "poly",     "length",   "center", "inside",
                                        "outside", "chamfer1", "chamfer2", "radius"};
static_assert(std::size(kOffsetNames) == kOffsetTypeCount);

template <std::size_t N> int indexOf(const char* const (&names)[N], std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i])
            return static_cast<int>(i);
    return -1;
}

} // namespace

const char* cutTypeName(int cutType) {
    if (cutType < 0 || cutType >= static_cast<int>(std::size(kCutTypeNames)))
        return nullptr;
    return kCutTypeNames[cutType];
}

int cutTypeFromName(std::string_view name) {
    return indexOf(kCutTypeNames, name);
}

const char* offsetName(int offsetType) {
    if (offsetType < 0 || offsetType >= kOffsetTypeCount)
        return nullptr;
    return kOffsetNames[offsetType];
}

int offsetFromName(std::string_view name) {
    return indexOf(kOffsetNames, name);
}

const char* moduleKindName(Vtx_ModuleKind kind) {
    switch (kind) {
    case Vtx_ModuleKind::Plate:
        return "plate";
    case Vtx_ModuleKind::Bolt:
        return "bolt";
    case Vtx_ModuleKind::Profile:
        return "profile";
    case Vtx_ModuleKind::General:
        break;
    }
    return "general";
}

bool moduleKindFromName(std::string_view name, Vtx_ModuleKind& kind) {
    for (Vtx_ModuleKind candidate : {Vtx_ModuleKind::General, Vtx_ModuleKind::Plate,
                                     Vtx_ModuleKind::Bolt, Vtx_ModuleKind::Profile}) {
        if (name == moduleKindName(candidate)) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- line index

namespace {

struct Frame {
    bool isObject = false;
    int index = 0;
    std::string path;
    std::set<std::string> keys;
};

std::string memberPath(const std::string& parent, const std::string& key) {
    return parent.empty() ? key : parent + "." + key;
}

} // namespace

bool LineIndex::build(std::string_view text, std::string& message, int& line) {
    m_lines.clear();
    std::size_t pos = 0;
    int current = 1;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        pos = 3;
    auto skipBlanks = [&] {
        while (pos < text.size() &&
               (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n')) {
            if (text[pos] == '\n')
                ++current;
            ++pos;
        }
    };
    auto readString = [&] {
        std::size_t start = ++pos;
        while (pos < text.size() && text[pos] != '"')
            pos += text[pos] == '\\' ? 2 : 1;
        std::string result(text.substr(start, std::min(pos, text.size()) - start));
        ++pos;
        return result;
    };
    std::vector<Frame> stack;
    // Reads the key of the next member of the innermost object; false on a
    // duplicate key.
    auto readKey = [&](std::string& path) {
        skipBlanks();
        const std::string key = readString();
        if (!stack.back().keys.insert(key).second) {
            message = "key \"" + key + "\" appears twice in " +
                      (stack.back().path.empty() ? std::string("the file") : stack.back().path);
            line = current;
            return false;
        }
        skipBlanks();
        ++pos; // ':'
        path = memberPath(stack.back().path, key);
        return true;
    };

    std::string path;
    while (pos < text.size()) {
        skipBlanks();
        m_lines.emplace(path, current);
        const char c = pos < text.size() ? text[pos] : '\0';
        bool valueDone = true;
        if (c == '{' || c == '[') {
            if (static_cast<int>(stack.size()) >= kMaxNesting) {
                message = "nesting deeper than " + std::to_string(kMaxNesting) + " levels";
                line = current;
                return false;
            }
            ++pos;
            stack.push_back(Frame{c == '{', 0, path, {}});
            skipBlanks();
            if (pos < text.size() && (text[pos] == '}' || text[pos] == ']')) {
                ++pos;
                stack.pop_back();
            } else if (c == '{') {
                if (!readKey(path))
                    return false;
                valueDone = false;
            } else {
                path = stack.back().path + "[0]";
                valueDone = false;
            }
        } else if (c == '"') {
            readString();
        } else {
            while (pos < text.size() &&
                   std::string_view(",]} \t\r\n").find(text[pos]) == std::string_view::npos)
                ++pos;
        }
        if (!valueDone)
            continue;
        // After a value: close finished containers until the next member.
        bool more = false;
        while (!stack.empty() && !more && pos < text.size()) {
            skipBlanks();
            if (pos < text.size() && text[pos] == ',') {
                ++pos;
                Frame& frame = stack.back();
                if (frame.isObject) {
                    if (!readKey(path))
                        return false;
                } else {
                    path = frame.path + "[" + std::to_string(++frame.index) + "]";
                }
                more = true;
            } else {
                ++pos;
                stack.pop_back();
            }
        }
        if (stack.empty())
            break;
    }
    return true;
}

int LineIndex::lineOf(const std::string& path) const {
    std::string key = path;
    while (true) {
        auto it = m_lines.find(key);
        if (it != m_lines.end())
            return it->second;
        if (key.empty())
            return 0;
        std::size_t cut = key.find_last_of(".[");
        key = cut == std::string::npos ? std::string() : key.substr(0, cut);
    }
}

} // namespace drawing_file
