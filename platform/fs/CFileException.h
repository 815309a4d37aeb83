// The file layer's travelling error: a cause, the operating system's error number and the file.
#pragma once

#include <string>

#include "platform/core/CException.h"

// The causes, one row each: name and the text the message gives for it, in the order of their numbers.
#define FILE_EXCEPTION_CAUSES(ROW)                                                                           \
    ROW(none, "no error occurred")                                                                           \
    ROW(genericException, "an unspecified error occurred")                                                   \
    ROW(fileNotFound, "the file was not found")                                                              \
    ROW(badPath, "the path is invalid")                                                                      \
    ROW(tooManyOpenFiles, "too many files are open")                                                         \
    ROW(accessDenied, "access to the file was denied")                                                       \
    ROW(invalidFile, "the file handle is invalid")                                                           \
    ROW(removeCurrentDir, "the current folder cannot be removed")                                            \
    ROW(directoryFull, "the folder is full")                                                                 \
    ROW(badSeek, "the file position cannot be set")                                                          \
    ROW(hardIO, "a hardware input/output error occurred")                                                    \
    ROW(sharingViolation, "the file is in use by another program")                                           \
    ROW(lockViolation, "a part of the file is locked")                                                       \
    ROW(diskFull, "the disk is full")                                                                        \
    ROW(endOfFile, "the end of the file was reached")

class CFileException : public CException
{
public:
    enum Cause {
#define FILE_EXCEPTION_CAUSE_ENUM(name, text) name,
        FILE_EXCEPTION_CAUSES(FILE_EXCEPTION_CAUSE_ENUM)
#undef FILE_EXCEPTION_CAUSE_ENUM
    };

    explicit CFileException(int cause = none, long osError = 0, const std::string& fileName = std::string());

    // "Error accessing Z:\tmp\x.zip: the file was not found (No such file or directory)." - the file,
    // the cause's text and the system's own text for the error number when there is one; "File error: ..."
    // when no file is named.
    std::string GetErrorMessage() const override;

    // The cause that best describes an operating system error: an errno value on Linux, a
    // GetLastError value on Windows.
    static int OsErrorToCause(int error);
    // The error the file layer's last failed call left (LastOsError) for fileName. A failure that left no
    // error number is still a failure: an unspecified error, never "no error occurred".
    static CFileException FromLastOsError(const std::string& fileName);

    int m_cause;
    long m_lOsError;
    std::string m_strFileName;
};
