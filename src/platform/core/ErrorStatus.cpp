#include "platform/core/ErrorStatus.h"

const char* errorStatusText(ErrorStatus status) {
    switch (status) {
    case eOk:
        return "eOk";
    case eNotImplemented:
        return "eNotImplemented";
    case eInvalidInput:
        return "eInvalidInput";
    case eNullPtr:
        return "eNullPtr";
    case eKeyNotFound:
        return "eKeyNotFound";
    case eInvalidIndex:
        return "eInvalidIndex";
    case eOutOfRange:
        return "eOutOfRange";
    case eFileNotFound:
        return "eFileNotFound";
    case eFileAccessErr:
        return "eFileAccessErr";
    case eBadFileFormat:
        return "eBadFileFormat";
    case eNotApplicable:
        return "eNotApplicable";
    case eWasOpenForRead:
        return "eWasOpenForRead";
    case eNotOpenForWrite:
        return "eNotOpenForWrite";
    case eDuplicateKey:
        return "eDuplicateKey";
    case eWrongObjectType:
        return "eWrongObjectType";
    case eInvalidName:
        return "eInvalidName";
    case eCycle:
        return "eCycle";
    case eLimitExceeded:
        return "eLimitExceeded";
    case eUserCancelled:
        return "eUserCancelled";
    case eGeneralError:
        return "eGeneralError";
    }
    return "eUnknown";
}
