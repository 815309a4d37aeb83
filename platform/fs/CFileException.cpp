// Causes of file errors and their readable texts.
#include "platform/fs/CFileException.h"

#include "platform/fs/FileSystem.h"
#include "platform/fs/detail/FsBackend.h"

CFileException::CFileException(int cause, long osError, const std::string& fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

std::string CFileException::GetErrorMessage() const
{
    static const char* const texts[] = {
#define FILE_EXCEPTION_CAUSE_TEXT(name, text) text,
        FILE_EXCEPTION_CAUSES(FILE_EXCEPTION_CAUSE_TEXT)
#undef FILE_EXCEPTION_CAUSE_TEXT
    };
    const char* text = (m_cause >= 0 && m_cause <= endOfFile) ? texts[m_cause] : texts[genericException];
    std::string message =
        m_strFileName.empty() ? std::string("File error") : "Error accessing " + m_strFileName;
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

CFileException CFileException::FromLastOsError(const std::string& fileName)
{
    const long error = LastOsError();
    const int cause = error == 0 ? genericException : OsErrorToCause(static_cast<int>(error));
    return CFileException(cause == none ? genericException : cause, error, fileName);
}
