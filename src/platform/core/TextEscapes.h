#pragma once

/// Backslash escapes of the text formats of ours (properties lists, language
/// texts, table files, the registry file, sheet files). Every format knows
/// \\, \n and \t; each adds what it needs of \r, \" and \xHH.

#include "platform/Exports.h"
#include <cstddef>
#include <string>
#include <string_view>

enum EscapeSet : unsigned {
    kEscapeBasic = 0,  ///< \\ \n \t
    kEscapeReturn = 1, ///< \r
    kEscapeQuote = 2,  ///< \"
    kEscapeHex = 4,    ///< \xHH, two hexadecimal digits
    /// Writing only: the file is UTF-8, so the bytes written as they are
    /// become the UTF-8 form of their Windows-1252 character, and with
    /// kEscapeHex the five bytes Windows-1252 leaves undefined become \xHH.
    kEscapeUtf8 = 8,
};

/// Appends text to out with the escapes of set: \\, \n and \t always, \r
/// and \" when set has them; with kEscapeHex every other control byte, and
/// every byte of hexAlso, as \xHH. The other bytes are appended as they are
/// (or in UTF-8, see kEscapeUtf8). Quotes around the text are the caller's.
VTX_CORE_API void appendEscaped(std::string& out, std::string_view text, unsigned set,
                                std::string_view hexAlso = {});

/// Decodes the escape whose letter is text[pos] (the byte after the
/// backslash) and appends its byte to out. Returns how many bytes of text
/// the escape used after the backslash (1, or 3 for \xHH), or 0 when the
/// letter is not in set, pos is past the end or \x lacks its two digits.
VTX_CORE_API std::size_t decodeEscape(std::string_view text, std::size_t pos, unsigned set,
                                      std::string& out);

/// Undoes every escape of text into out; false for an escape decodeEscape
/// refuses or a backslash at the end.
VTX_CORE_API bool unescapeText(std::string_view text, unsigned set, std::string& out);
