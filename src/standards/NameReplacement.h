#pragma once

/// Whole-word replacement of names in the texts of a standards spreadsheet:
/// general variables by their values and, in equations, variables by their
/// cells' addresses.
///
/// A whole word has no ASCII letter, digit or "_" right before or after it;
/// names are compared with ASCII case ignored. The names are replaced in the
/// order they were given, each everywhere in the text before the next name
/// is looked for: what one name puts in is looked at by the names after it,
/// never by itself or the names before it. So with the names Width -> "A1"
/// and A1 -> "B2", the text "Width*2" becomes "B2*2"; and a general variable
/// whose value mentions a later general variable gets that one's value too.
///
///     NameReplacer replacer({"Width", "Height"}, {"B2", "B3"});
///     Vtx_String text = "width*2+Height";
///     replacer.apply(text);                 // "B2*2+B3"

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <string>
#include <unordered_map>
#include <vector>

/// Replaces each whole-word occurrence of name in text (case ignored) by
/// replacement, at most maxCount times, and goes on after what it put in.
/// Returns the number replaced.
int replaceWholeWord(Vtx_String& text, const Vtx_String& name, const Vtx_String& replacement,
                     int maxCount = 99999999);

class NameReplacer {
public:
    /// names[i] is replaced by replacements[i], for the indices both lists
    /// have; empty names are skipped.
    NameReplacer(const Vtx_StringArray& names, const Vtx_StringArray& replacements);

    /// Replaces the names in text as described above; returns the number of
    /// words of the text (not of what was put in) that were replaced.
    int apply(Vtx_String& text) const;

private:
    /// The result of the names from index first on applied to text.
    std::string expand(const std::string& text, std::size_t first, int* count) const;

    std::vector<std::string> m_names;
    std::vector<std::string> m_replacements;
    /// True when every name is made of word characters only: a name then
    /// matches exactly one word, and a text is replaced in one pass with the
    /// replacements expanded beforehand. Otherwise names are replaced one by
    /// one (replaceWholeWord); both give the same result.
    bool m_plain = true;
    std::unordered_map<std::string, std::vector<std::size_t>> m_indices; ///< lower-case name
    std::vector<std::string> m_expanded; ///< replacement i with the names after i applied
    std::size_t m_longest = 0;
};
