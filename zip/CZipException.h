// The ZIP component's travelling error: a numeric cause and the path of the file concerned.
#pragma once

#include <string>

#include "platform/core/CException.h"

// The component's own codes, one row each: name, code, text. A null text means "no text of its own":
// the operating system's text for its last error stands in. The codes below 100 are the system's
// error numbers, described in CZipException.cpp's table.
#define ZIP_ERROR_TABLE(ROW)                                                                                 \
    ROW(ZipErrorGeneric, 100, nullptr)                                                                       \
    ROW(ZipErrorBadZipFile, 101, "Damaged or not a zip file")                                                \
    ROW(ZipErrorBadCrc, 102, "Crc mismatched")                                                               \
    ROW(ZipErrorNoCallback, 103, "No disk-spanning callback functor set")                                    \
    ROW(ZipErrorAborted, 104, "Disk change aborted")                                                         \
    ROW(ZipErrorAbortedAction, 105, "Action aborted")                                                        \
    ROW(ZipErrorAbortedSafely, 106, "Action aborted safely")                                                 \
    ROW(ZipErrorNonRemovable, 107, "The device selected for the disk spanning archive is non removable")     \
    ROW(ZipErrorTooManyVolumes, 108, "Limit of the maximum volumes reached")                                 \
    ROW(ZipErrorTooLongData, 109, "The filename of the file being added to the archive is too long")         \
    ROW(ZipErrorBadPassword, 110, "Incorrect password set for the file being decrypted")                     \
    ROW(ZipErrorDirWithSize, 111, "During testing found the directory with the size greater than 0")         \
    ROW(ZipErrorInternal, 112, "Internal error")                                                             \
    ROW(ZipErrorNotRemoved, 113, "Error while removing a file")                                              \
    ROW(ZipErrorNotRenamed, 114, "Error while renaming a file")                                              \
    ROW(ZipErrorPlatformNotSupported, 115, "Cannot create the file for the specified platform")              \
    ROW(ZipErrorCentralDirNotFound, 116,                                                                     \
        "The central directory was not found in the archive (or you were trying to open not the last "       \
        "disk of a multi-disk archive)")                                                                     \
    ROW(ZipErrorStreamEnd, 500, "Zlib Library error (end of stream)")                                        \
    ROW(ZipErrorNeedDict, 501, nullptr)                                                                      \
    ROW(ZipErrorErrNo, 502, nullptr)                                                                         \
    ROW(ZipErrorStream, 503, "Zlib library error (stream error)")                                            \
    ROW(ZipErrorData, 504, "Zlib library error (data error)")                                                \
    ROW(ZipErrorMemory, 505, "Not enough memory")                                                            \
    ROW(ZipErrorBuffer, 506, "Zlib library error (buffer error)")                                            \
    ROW(ZipErrorVersion, 507, "Zlib library error (version error)")

enum ZipErrorCode : int {
    ZipErrorNone = 0,
#define ZIP_ERROR_ENUM(name, code, text) name = code,
    ZIP_ERROR_TABLE(ZIP_ERROR_ENUM)
#undef ZIP_ERROR_ENUM
};

// The system error number the component raises for sizes and offsets past the classic format's 4 GiB.
constexpr int ZipErrorFileTooLarge = 27;

class CZipException : public CException
{
public:
    explicit CZipException(int cause = ZipErrorGeneric, const char* fileName = nullptr);
    CZipException(int cause, const std::string& fileName);

    // The description of the cause (never empty for the codes of the table).
    std::string GetErrorDescription() const;
    // The text of the box an escaping error ends in: "Error in ARCHIVE: " and the description, or the
    // description alone when no file is named.
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
