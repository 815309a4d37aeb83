// The file layer's travelling error: a cause, the operating system's error number and the file.
#pragma once

#include <string>

#include "platform/core/CException.h"

class CFileException : public CException
{
public:
    enum Cause {
        none = 0,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, long osError = 0, const std::string& fileName = std::string());

    // "Cannot open Z:\tmp\x.zip: the file was not found." style text naming the file.
    std::string GetErrorMessage() const override;

    // The cause that best describes an operating system error: an errno value on Linux, a
    // GetLastError value on Windows.
    static int OsErrorToCause(int error);

    int m_cause;
    long m_lOsError;
    std::string m_strFileName;
};
