#include "platform/sheet/functions/TextPieces.h"

#include "platform/core/VtxString.h"
#include "platform/sheet/Value.h"

#include <algorithm>

namespace vtx::sheet {

namespace {

// kMaxTextLength as a double, to clamp counts given as numbers.
constexpr auto kTextLengthMax = static_cast<double>(kMaxTextLength);

std::size_t byteCount(double n) {
    return static_cast<std::size_t>(std::min(n, kTextLengthMax));
}

} // namespace

bool leftPart(std::string_view text, double n, std::string_view& out) {
    if (n < 0)
        return false;
    out = text.substr(0, byteCount(n));
    return true;
}

bool rightPart(std::string_view text, double n, std::string_view& out) {
    if (n < 0)
        return false;
    out = text.substr(text.size() - std::min(text.size(), byteCount(n)));
    return true;
}

bool midPart(std::string_view text, double start, double n, std::string_view& out) {
    if (start < 1 || n < 0)
        return false;
    const std::size_t from = byteCount(start - 1);
    out = from >= text.size() ? std::string_view() : text.substr(from, byteCount(n));
    return true;
}

void appendUpper(std::string& out, std::string_view text) {
    const std::size_t first = out.size();
    out += text;
    for (std::size_t i = first; i < out.size(); ++i)
        out[i] = vtxToUpper(out[i]);
}

void appendLower(std::string& out, std::string_view text) {
    const std::size_t first = out.size();
    out += text;
    for (std::size_t i = first; i < out.size(); ++i)
        out[i] = vtxToLower(out[i]);
}

void appendProper(std::string& out, std::string_view text) {
    bool start = true;
    for (char c : text) {
        const char up = vtxToUpper(c);
        const char low = vtxToLower(c);
        const bool letter = up != low;
        out += letter ? (start ? up : low) : c;
        start = !letter;
    }
}

void appendTrimmed(std::string& out, std::string_view text) {
    const std::size_t first = out.size();
    for (char c : text) {
        if (c == ' ' && (out.size() == first || out.back() == ' '))
            continue;
        out += c;
    }
    if (out.size() > first && out.back() == ' ')
        out.pop_back();
}

void appendCleaned(std::string& out, std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 32)
            out += c;
}

bool appendRepeated(std::string& out, std::string_view text, double n) {
    if (n < 0 || n * static_cast<double>(text.size()) > kTextLengthMax)
        return false;
    for (int i = 0; i < clampToInt(n) && !text.empty(); ++i)
        out += text;
    return true;
}

} // namespace vtx::sheet
