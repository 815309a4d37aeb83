// The ZIP component's travelling error: a numeric cause and the path of the file concerned.
#pragma once

#include <string>

#include "platform/core/CException.h"

enum ZipErrorCode : int {
    ZipErrorNone = 0,
    ZipErrorGeneric = 100,
    ZipErrorBadZipFile = 101,
    ZipErrorBadCrc = 102,
    ZipErrorNoCallback = 103,
    ZipErrorAborted = 104,
    ZipErrorAbortedAction = 105,
    ZipErrorAbortedSafely = 106,
    ZipErrorNonRemovable = 107,
    ZipErrorTooManyVolumes = 108,
    ZipErrorTooLongData = 109,
    ZipErrorBadPassword = 110,
    ZipErrorDirWithSize = 111,
    ZipErrorInternal = 112,
    ZipErrorNotRemoved = 113,
    ZipErrorNotRenamed = 114,
    ZipErrorPlatformNotSupported = 115,
    ZipErrorCentralDirNotFound = 116,
    ZipErrorStreamEnd = 500,
    ZipErrorNeedDict = 501,
    ZipErrorErrNo = 502,
    ZipErrorStream = 503,
    ZipErrorData = 504,
    ZipErrorMemory = 505,
    ZipErrorBuffer = 506,
    ZipErrorVersion = 507,
};

class CZipException : public CException
{
public:
    explicit CZipException(int cause = ZipErrorGeneric, const char* fileName = nullptr);
    CZipException(int cause, const std::string& fileName);

    // The description of the cause (never empty for the codes of the table).
    std::string GetErrorDescription() const;
    std::string GetErrorMessage() const override;

    // Copies the description, cut to capacity - 1 characters, and terminates it. False without
    // writing when the buffer is null, the capacity 0 or the description empty.
    using CException::GetErrorMessage;
    bool GetErrorMessage(char* buffer, unsigned capacity, unsigned* helpContext = nullptr) const;

    // The description of any code under the rules of the error table.
    static std::string DescribeCode(int code);
    // zlib result -> the component's code (1 -> 500 ... -6 -> 507, anything else 100).
    static int ZlibToZipError(int zlibResult);

    std::string m_strFile;
    int m_iCode;
};
