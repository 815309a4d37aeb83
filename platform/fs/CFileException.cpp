// Causes of file errors and their readable texts.
#include "platform/fs/CFileException.h"

#include "platform/fs/OsErrorText.h"

CFileException::CFileException(int cause, long osError, const std::string& fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

std::string CFileException::GetErrorMessage() const
{
    static const char* const texts[] = {
        "no error occurred",
        "an unspecified error occurred",
        "the file was not found",
        "the path is invalid",
        "too many files are open",
        "access to the file was denied",
        "the file handle is invalid",
        "the current folder cannot be removed",
        "the folder is full",
        "the file position cannot be set",
        "a hardware input/output error occurred",
        "the file is in use by another program",
        "a part of the file is locked",
        "the disk is full",
        "the end of the file was reached",
    };
    const char* text = (m_cause >= 0 && m_cause <= endOfFile) ? texts[m_cause] : texts[genericException];
    std::string message = m_strFileName.empty() ? std::string("File error") : "Error accessing " + m_strFileName;
    message += ": ";
    message += text;
    if (m_lOsError != 0) {
        message += " (";
        message += OsErrorText(m_lOsError);
        message += ")";
    }
    message += ".";
    return message;
}
