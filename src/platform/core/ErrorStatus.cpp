#include "platform/core/ErrorStatus.h"

namespace {

struct StatusTexts {
    ErrorStatus status;
    const char* name;
    const char* words;
};

// Every status with its name and its words, in one place.
constexpr StatusTexts kStatusTexts[] = {
    {eOk, "eOk", "no error"},
    {eNotImplemented, "eNotImplemented", "not supported"},
    {eInvalidInput, "eInvalidInput", "invalid value"},
    {eNullPtr, "eNullPtr", "nothing to work on"},
    {eKeyNotFound, "eKeyNotFound", "not found"},
    {eInvalidIndex, "eInvalidIndex", "no such entry"},
    {eOutOfRange, "eOutOfRange", "out of range"},
    {eFileNotFound, "eFileNotFound", "file not found"},
    {eFileAccessErr, "eFileAccessErr", "no access to the file"},
    {eBadFileFormat, "eBadFileFormat", "not in the expected format"},
    {eNotApplicable, "eNotApplicable", "not possible here"},
    {eWasOpenForRead, "eWasOpenForRead", "open for reading only"},
    {eNotOpenForWrite, "eNotOpenForWrite", "not open for writing"},
    {eDuplicateKey, "eDuplicateKey", "the name is taken"},
    {eWrongObjectType, "eWrongObjectType", "the wrong kind of object"},
    {eInvalidName, "eInvalidName", "invalid name"},
    {eCycle, "eCycle", "circular reference"},
    {eLimitExceeded, "eLimitExceeded", "over a limit"},
    {eUserCancelled, "eUserCancelled", "cancelled"},
    {eGeneralError, "eGeneralError", "failed"},
};

const StatusTexts* textsOf(ErrorStatus status) {
    for (const StatusTexts& texts : kStatusTexts)
        if (texts.status == status)
            return &texts;
    return nullptr;
}

} // namespace

const char* errorStatusText(ErrorStatus status) {
    const StatusTexts* texts = textsOf(status);
    return texts ? texts->name : "eUnknown";
}

const char* errorStatusWords(ErrorStatus status) {
    const StatusTexts* texts = textsOf(status);
    return texts ? texts->words : "unknown failure";
}
