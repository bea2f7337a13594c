#include "platform/sheet/FormulaError.h"

#include "platform/core/VtxString.h"

#include <array>

namespace vtx::sheet {

namespace {

struct ErrorEntry {
    FormulaError error;
    std::string_view text;
};

constexpr std::array<ErrorEntry, 8> kErrors = {{
    {FormulaError::Div0, "#DIV/0!"},
    {FormulaError::Value, "#VALUE!"},
    {FormulaError::Ref, "#REF!"},
    {FormulaError::Name, "#NAME?"},
    {FormulaError::NA, "#N/A"},
    {FormulaError::Num, "#NUM!"},
    {FormulaError::Null, "#NULL!"},
    {FormulaError::Circular, "#CIRC!"},
}};

struct ParseEntry {
    ParseErrorCode code;
    std::string_view text;
};

constexpr std::array<ParseEntry, 13> kParseErrors = {{
    {ParseErrorCode::None, "no error"},
    {ParseErrorCode::Empty, "empty formula"},
    {ParseErrorCode::UnexpectedChar, "unexpected character"},
    {ParseErrorCode::UnterminatedText, "text without closing quote"},
    {ParseErrorCode::UnexpectedToken, "unexpected token"},
    {ParseErrorCode::MissingOperand, "missing operand"},
    {ParseErrorCode::UnbalancedParen, "unbalanced parenthesis"},
    {ParseErrorCode::BadReference, "invalid reference"},
    {ParseErrorCode::TooManyArguments, "too many arguments"},
    {ParseErrorCode::NestingTooDeep, "formula nested too deeply"},
    {ParseErrorCode::FormulaTooLong, "formula too long"},
    {ParseErrorCode::UnknownFunction, "argument list without a function name"},
    {ParseErrorCode::UnknownName, "unknown name"},
}};

} // namespace

std::string_view errorText(FormulaError error) {
    for (const auto& entry : kErrors)
        if (entry.error == error)
            return entry.text;
    return {};
}

FormulaError errorFromText(std::string_view text) {
    for (const auto& entry : kErrors) {
        if (entry.text.size() != text.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < text.size() && same; ++i)
            same = vtxToUpper(text[i]) == entry.text[i];
        if (same)
            return entry.error;
    }
    return FormulaError::None;
}

std::string_view parseErrorText(ParseErrorCode code) {
    for (const auto& entry : kParseErrors)
        if (entry.code == code)
            return entry.text;
    return "unknown error";
}

std::string ParseError::message() const {
    return std::string(parseErrorText(code)) + " at " + std::to_string(position);
}

} // namespace vtx::sheet
