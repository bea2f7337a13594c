#pragma once

/// Text helpers of the core library: splitting and joining, trimming, number
/// checks, generated names, column letters, rounding to standard sizes and
/// sorting.
///
///     Vtx_StringArray parts;
///     splitStringAtSymbol("a\xBF" "b\xBF\xBF" "c", '\xBF', parts);  // "a", "b", "c"
///     Vtx_String name = findNonExistingString("100", existing);    // "101" when 100 is taken

#include "platform/Exports.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

/// Splits text at every occurrence of symbol into arr (emptied first). An
/// empty text gives an empty list; "a;;b" gives "a", "", "b"; "a;" gives "a", "".
VTX_CORE_API void strToArr(const Vtx_String& text, char symbol, Vtx_StringArray& arr);
/// Joins arr with symbol between the items (the inverse of strToArr for a
/// non-empty list).
VTX_CORE_API Vtx_String arrToStr(const Vtx_StringArray& arr, char symbol);
/// Splits text at symbol into parts (emptied first). With skipEmpty, empty
/// pieces are left out ("a;;b;" gives "a", "b"); without it every piece is
/// kept as strToArr does.
VTX_CORE_API void splitStringAtSymbol(const Vtx_String& text, char symbol, Vtx_StringArray& parts,
                                      bool skipEmpty = true);
/// The text before the first symbol; the whole text when there is none.
VTX_CORE_API Vtx_String getSubstrBefore(const Vtx_String& text, char symbol);
/// The text after the first symbol; empty when there is none.
VTX_CORE_API Vtx_String getSubstrAfter(const Vtx_String& text, char symbol);
/// Removes every byte of symbols from both ends of text, or from everywhere
/// in it with everywhere set. The default set is blanks, tabs and line ends,
/// so "  Distance x" becomes "Distance x".
VTX_CORE_API Vtx_String stripSymbols(const Vtx_String& text, const Vtx_String& symbols = " \t\r\n",
                                     bool everywhere = false);
/// True when the whole text (blanks around it allowed) is a decimal number as
/// Vtx_String::toDouble reads it.
VTX_CORE_API bool isNumber(const Vtx_String& text);
/// True when text holds a character not allowed in file names:
/// \ / : * ? " < > | or a control character (below 0x20). An empty text has
/// none.
VTX_CORE_API bool hasInvalidFileNameChars(const Vtx_String& text);
/// A random text of length ASCII letters and digits (empty for length <= 0).
/// The generator is seeded once per process from std::random_device, so
/// successive calls and successive runs give different texts.
VTX_CORE_API Vtx_String generateRandomString(int length);
/// base when it is not in existing (case ignored). Otherwise base's trailing
/// number is raised ("100" -> "101", "HEA099" -> "HEA100", leading zeros keep
/// the width) or, when base has no trailing number, "1", "2", ... is appended,
/// until the text is not in existing. Always returns a text not in existing.
VTX_CORE_API Vtx_String findNonExistingString(const Vtx_String& base,
                                              const Vtx_StringArray& existing);
/// Index of the first digit ('0'..'9') in text, or -1.
VTX_CORE_API int findFirstNumbers(const Vtx_String& text);
/// "A".."Z" then "AA".."AZ", "BA".. for index 0, 1, ... (column letters);
/// empty for a negative index.
VTX_CORE_API Vtx_String getAlfabet(int index);

/// Rounding to standard sizes. value and step are taken with a small relative
/// tolerance (kRoundTolerance of a step per step counted): a value that lies
/// within it of a multiple, or of a half-way point, counts as lying on it, so
/// floating-point noise such as 12.000000001 never moves a size to the next
/// step. Results are the decimal multiples they stand for (0.1 * 3 gives 0.3,
/// not 0.30000000000000004) when 1/step is a whole number.
constexpr double kRoundTolerance = 1e-9;

/// value rounded to the nearest multiple of step, halves away from zero
/// (step <= 0 or not finite, or value not finite: value).
VTX_CORE_API double ObjectExportRoundTo(double value, double step);
/// value rounded up (towards +infinity) to the next multiple of step; a value
/// on a multiple stays (step <= 0 or not finite, or value not finite: value).
VTX_CORE_API double ObjectExportRoundUp(double value, double step);
/// As the two-argument form. The third argument is the caller's up tolerance,
/// passed through by the standards functions; the caller checks the distance
/// itself, so it does not change the result.
VTX_CORE_API double ObjectExportRoundUp(double value, double step, double upTolerance);

/// Sorts texts ascending, stable. With numeric set, texts that are numbers
/// (isNumber) come first, by value, then the others; other texts are ordered
/// by bytes with case ignored (Windows-1252 letters folded).
VTX_CORE_API void ObjectExportSort(Vtx_StringArray& texts, bool numeric = false);
/// Sorts numbers ascending, stable; NaN goes last.
VTX_CORE_API void ObjectExportSort(Vtx_Array<double>& values);
/// Sorts numbers ascending, stable, and moves positions[i] along with
/// values[i]. False (nothing changed) when the two lengths differ.
VTX_CORE_API bool ObjectExportSort(Vtx_Array<double>& values, Vtx_Array<int>& positions);
/// Inserts text into the sorted list at its place (same order as above, after
/// equal items); returns its index.
VTX_CORE_API int ObjectExportAddToSorted(Vtx_StringArray& texts, const Vtx_String& text,
                                         bool numeric = false);
