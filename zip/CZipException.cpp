// The ZIP component's error table: every code with its text, and the rules for codes without one.
#include "zip/CZipException.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

struct ErrorText
{
    int code;
    const char* text;
};

// The system's error numbers the component reports with their texts, then the component's own rows.
// A null text means "no text of its own" (the system error text is used).
constexpr ErrorText kErrorTable[] = {{1, "Not super-user"},
                                     {2, "No such file or directory"},
                                     {4, "Interrupted system call"},
                                     {5, "I/O error"},
                                     {6, "No such device or address"},
                                     {9, "Bad file number"},
                                     {12, "Not enough space"},
                                     {13, "Permission denied"},
                                     {14, "Bad address"},
                                     {17, "File exists"},
                                     {18, "Cross-device link"},
                                     {19, "No such device"},
                                     {20, "Not a directory"},
                                     {21, "Is a directory"},
                                     {22, "Invalid argument"},
                                     {23, "File table overflow"},
                                     {24, "Too many open files"},
                                     {27, "File too large"},
                                     {28, "No space left on device"},
                                     {29, "Illegal seek"},
                                     {30, "Read-only file system"},
#define ZIP_ERROR_ROW(name, code, text) {name, text},
                                     ZIP_ERROR_TABLE(ZIP_ERROR_ROW)
#undef ZIP_ERROR_ROW
};

const char* TableText(int code)
{
    for (const ErrorText& entry : kErrorTable)
        if (entry.code == code)
            return entry.text;
    return nullptr;
}

std::string Describe(int code, bool systemAsked, int runtimeError);

// The operating system's text for its last error; with no error, the runtime library's current
// error number described without asking the system again ("Unknown error" when it has no text).
std::string SystemErrorText(bool systemAsked, int runtimeError)
{
    if (!systemAsked && runtimeError != 0)
        return std::strerror(runtimeError);
    if (systemAsked)
        return "Unknown error";
    return Describe(runtimeError == 0 ? ZipErrorGeneric : runtimeError, true, runtimeError);
}

std::string Describe(int code, bool systemAsked, int runtimeError)
{
    if (code == ZipErrorErrNo) {
        const int described = runtimeError == ZipErrorErrNo ? ZipErrorGeneric : runtimeError;
        return Describe(described, systemAsked, runtimeError);
    }
    if (code == ZipErrorNotRemoved || code == ZipErrorNotRenamed)
        return std::string(TableText(code)) + " (" + SystemErrorText(systemAsked, runtimeError) + ")";
    if (const char* text = TableText(code))
        return text;
    return SystemErrorText(systemAsked, runtimeError);
}

} // namespace

CZipException::CZipException(int cause, const char* fileName)
    : m_strFile(fileName ? fileName : ""), m_iCode(cause)
{
}

CZipException::CZipException(int cause, const std::string& fileName) : m_strFile(fileName), m_iCode(cause) {}

std::string CZipException::DescribeCode(int code)
{
    return Describe(code, false, errno);
}

std::string CZipException::GetErrorDescription() const
{
    return DescribeCode(m_iCode);
}

std::string CZipException::GetErrorMessage() const
{
    // The box a command's escaping error ends in names the archive, so that the user knows which file it is.
    const std::string description = GetErrorDescription();
    return m_strFile.empty() ? description : "Error in " + m_strFile + ": " + description;
}

bool CZipException::GetErrorMessage(char* buffer, unsigned capacity, unsigned*) const
{
    if (buffer == nullptr || capacity == 0)
        return false;
    const std::string text = GetErrorDescription();
    if (text.empty())
        return false;
    const size_t count = std::min<size_t>(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return true;
}

int CZipException::ZlibToZipError(int zlibResult)
{
    switch (zlibResult) {
    case 1:
        return ZipErrorStreamEnd;
    case 2:
        return ZipErrorNeedDict;
    case -1:
        return ZipErrorErrNo;
    case -2:
        return ZipErrorStream;
    case -3:
        return ZipErrorData;
    case -4:
        return ZipErrorMemory;
    case -5:
        return ZipErrorBuffer;
    case -6:
        return ZipErrorVersion;
    default:
        return ZipErrorGeneric;
    }
}
