#include "standards/NameReplacement.h"

#include <algorithm>

namespace {

// ASCII letters, digits and "_" (the C locale's alphanumerics).
bool isWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerWord(std::string_view word) {
    std::string out(word);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

bool isPlainWord(const std::string& name) {
    return std::all_of(name.begin(), name.end(), isWordChar);
}

} // namespace

int replaceWholeWord(Vtx_String& text, const Vtx_String& name, const Vtx_String& replacement,
                     int maxCount) {
    if (name.isEmpty())
        return 0;
    int count = 0;
    int from = 0;
    while (count < maxCount) {
        int hit = text.find(name, from, false);
        if (hit < 0)
            break;
        int end = hit + name.length();
        bool startOk = hit == 0 || !isWordChar(text.at(hit - 1));
        bool endOk = end >= text.length() || !isWordChar(text.at(end));
        if (!startOk || !endOk) {
            from = hit + 1;
            continue;
        }
        text.removeAt(hit, name.length());
        text.insertAt(hit, replacement);
        from = hit + replacement.length();
        ++count;
    }
    return count;
}

NameReplacer::NameReplacer(const Vtx_StringArray& names, const Vtx_StringArray& replacements) {
    const int count = std::min(names.length(), replacements.length());
    for (int i = 0; i < count; ++i) {
        if (names[i].isEmpty())
            continue;
        m_names.push_back(names[i].str());
        m_replacements.push_back(replacements[i].str());
        m_plain = m_plain && isPlainWord(m_names.back());
    }
    if (!m_plain)
        return;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        m_indices[lowerWord(m_names[i])].push_back(i);
        m_longest = std::max(m_longest, m_names[i].size());
    }
    // From the last name back: a replacement is looked at by the names after
    // its own, whose replacements are expanded already.
    m_expanded.resize(m_names.size());
    for (std::size_t i = m_names.size(); i-- > 0;)
        m_expanded[i] = expand(m_replacements[i], i + 1, nullptr);
}

std::string NameReplacer::expand(const std::string& text, std::size_t first, int* count) const {
    std::string out;
    std::string word;
    std::size_t copied = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        if (!isWordChar(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < n && isWordChar(text[end]))
            ++end;
        if (end - i <= m_longest) {
            // A word is replaced by the first name equal to it that is still
            // to come; the names before first have had their turn.
            word.assign(text, i, end - i);
            for (char& c : word)
                c = asciiLower(c);
            auto it = m_indices.find(word);
            if (it != m_indices.end()) {
                auto index = std::lower_bound(it->second.begin(), it->second.end(), first);
                if (index != it->second.end()) {
                    out.append(text, copied, i - copied);
                    out += m_expanded[*index];
                    copied = end;
                    if (count)
                        ++*count;
                }
            }
        }
        i = end;
    }
    if (copied == 0)
        return text;
    out.append(text, copied, std::string::npos);
    return out;
}

int NameReplacer::apply(Vtx_String& text) const {
    int count = 0;
    if (!m_plain) {
        for (std::size_t i = 0; i < m_names.size(); ++i)
            count += replaceWholeWord(text, Vtx_String(m_names[i]), Vtx_String(m_replacements[i]));
        return count;
    }
    std::string out = expand(text.str(), 0, &count);
    if (count > 0)
        text = Vtx_String(std::move(out));
    return count;
}
