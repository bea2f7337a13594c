#include "platform/sheet/functions/TextUtil.h"

#include "platform/core/VtxString.h"
#include "platform/sheet/functions/TextPieces.h"

#include <vector>

namespace vtx::sheet {

namespace {

struct PatternChar {
    char c;
    enum Kind { Literal, One, Any } kind;
};

std::vector<PatternChar> compile(std::string_view pattern) {
    std::vector<PatternChar> out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '~' && i + 1 < pattern.size()) {
            out.push_back({vtxToUpper(pattern[++i]), PatternChar::Literal});
        } else if (c == '?') {
            out.push_back({c, PatternChar::One});
        } else if (c == '*') {
            out.push_back({c, PatternChar::Any});
        } else {
            out.push_back({vtxToUpper(c), PatternChar::Literal});
        }
    }
    return out;
}

// Length of the longest match of p at the start of text (whole = match must
// reach the end), or npos. Iterative with one backtrack point per "*".
std::size_t matchAt(const std::vector<PatternChar>& p, std::string_view text, bool whole) {
    std::size_t pi = 0;
    std::size_t ti = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starT = 0;
    while (true) {
        if (pi == p.size()) {
            if (!whole || ti == text.size())
                return ti;
        } else if (p[pi].kind == PatternChar::Any) {
            starP = pi++;
            starT = ti;
            continue;
        } else if (ti < text.size() &&
                   (p[pi].kind == PatternChar::One || p[pi].c == vtxToUpper(text[ti]))) {
            ++pi;
            ++ti;
            continue;
        }
        if (starP == std::string_view::npos || starT >= text.size())
            return std::string_view::npos;
        pi = starP + 1;
        ti = ++starT;
    }
}

} // namespace

std::string upperText(std::string_view text) {
    std::string out;
    appendUpper(out, text);
    return out;
}

bool wildcardMatch(std::string_view pattern, std::string_view text) {
    return matchAt(compile(pattern), text, true) != std::string_view::npos;
}

std::size_t wildcardFind(std::string_view pattern, std::string_view text, std::size_t from,
                         std::size_t& length) {
    auto p = compile(pattern);
    for (std::size_t i = from; i <= text.size(); ++i) {
        std::size_t n = matchAt(p, text.substr(i), false);
        if (n != std::string_view::npos) {
            length = n;
            return i;
        }
    }
    return std::string_view::npos;
}

} // namespace vtx::sheet
