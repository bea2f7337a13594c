#pragma once

#include "platform/Exports.h"

/// Status codes returned by the core library, the host and the module.
/// eOk is success; every other value is a failure.
enum ErrorStatus : int {
    eOk = 0,
    eNotImplemented = 1,
    eInvalidInput = 2,
    eNullPtr = 3,
    eKeyNotFound = 4,
    eInvalidIndex = 5,
    eOutOfRange = 6,
    eFileNotFound = 7,
    eFileAccessErr = 8,
    eBadFileFormat = 9,
    eNotApplicable = 10,
    eWasOpenForRead = 11,
    eNotOpenForWrite = 12,
    eDuplicateKey = 13,
    eWrongObjectType = 14,
    eInvalidName = 15,
    eCycle = 16,
    eLimitExceeded = 17,
    eUserCancelled = 18,
    eGeneralError = 99,
};

/// A short English name of a status code ("eOk", "eKeyNotFound", ...), for
/// logs and tests.
VTX_CORE_API const char* errorStatusText(ErrorStatus status);
/// The status in words for a user ("file not found", "no access to the
/// file", ...): what a reason shown to a user says instead of the name.
VTX_CORE_API const char* errorStatusWords(ErrorStatus status);
