// The one table of internet error codes and the text shown for each.
#include "platform/inet/InternetErrors.h"

namespace inet {
namespace {

struct ErrorRow
{
    DWORD code;
    const char* text;
};

// Codes follow the Windows internet API, so "Error: #%u." reads the same on both builds.
const ErrorRow kErrors[] = {
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory is available to complete this operation."},
    {ERROR_INVALID_PARAMETER, "The proxy list names no usable proxy."},
    {ERROR_INTERNET_TIMEOUT, "The operation timed out."},
    {ERROR_INTERNET_INTERNAL_ERROR, "An internal error occurred in the internet layer."},
    {ERROR_INTERNET_INVALID_URL, "The server name or the object name is invalid."},
    {ERROR_INTERNET_NAME_NOT_RESOLVED, "The server name or address could not be resolved."},
    {ERROR_INTERNET_INCORRECT_HANDLE_STATE, "The request cannot do this in its current state."},
    {ERROR_INTERNET_CANNOT_CONNECT, "A connection with the server could not be established."},
    {ERROR_INTERNET_CONNECTION_ABORTED, "The connection with the server was terminated abnormally."},
    {ERROR_INTERNET_CONNECTION_RESET, "The connection with the server was reset."},
    {ERROR_HTTP_INVALID_SERVER_RESPONSE, "The server returned an invalid or unrecognized response."},
    {ERROR_HTTP_REDIRECT_FAILED, "The redirection failed."},
};

} // namespace

std::string DescribeError(DWORD code)
{
    for (const ErrorRow& row : kErrors)
        if (row.code == code)
            return row.text;
    return "Internet error " + std::to_string(code) + ".";
}

} // namespace inet
