// The one table of internet error codes: which libcurl results map to each, and the text shown for it.
#include "platform/inet/InternetErrors.h"

#include <curl/curl.h>

#include <initializer_list>

namespace inet {
namespace {

struct ErrorRow
{
    DWORD code;
    const char* text;
    std::initializer_list<CURLcode> curlCodes;
};

// Codes follow the Windows internet API where a number fits, so "Error: #%u." reads the same everywhere.
const ErrorRow kErrors[] = {
    {kErrorNotEnoughMemory, "Not enough memory is available to complete this operation.", {CURLE_OUT_OF_MEMORY}},
    {kErrorInvalidParameter, "The proxy list names no usable proxy.", {}},
    {ERROR_INTERNET_TIMEOUT, "The operation timed out.", {CURLE_OPERATION_TIMEDOUT, CURLE_ABORTED_BY_CALLBACK}},
    {ERROR_INTERNET_INTERNAL_ERROR, "An internal error occurred in the internet layer.", {}},
    {ERROR_INTERNET_INVALID_URL, "The server name or the object name is invalid.",
     {CURLE_URL_MALFORMAT, CURLE_UNSUPPORTED_PROTOCOL}},
    {ERROR_INTERNET_NAME_NOT_RESOLVED, "The server name or address could not be resolved.",
     {CURLE_COULDNT_RESOLVE_HOST, CURLE_COULDNT_RESOLVE_PROXY}},
    {ERROR_INTERNET_INCORRECT_HANDLE_STATE, "The request cannot do this in its current state.", {}},
    {ERROR_INTERNET_CANNOT_CONNECT, "A connection with the server could not be established.",
     {CURLE_COULDNT_CONNECT, CURLE_PROXY}},
    {ERROR_INTERNET_CONNECTION_ABORTED, "The connection with the server was terminated abnormally.",
     {CURLE_PARTIAL_FILE}},
    {ERROR_INTERNET_CONNECTION_RESET, "The connection with the server was reset.",
     {CURLE_SEND_ERROR, CURLE_RECV_ERROR}},
    {ERROR_HTTP_INVALID_SERVER_RESPONSE, "The server returned an invalid or unrecognized response.",
     {CURLE_WEIRD_SERVER_REPLY, CURLE_GOT_NOTHING, CURLE_HTTP2, CURLE_HTTP2_STREAM, CURLE_BAD_CONTENT_ENCODING}},
    {ERROR_HTTP_REDIRECT_FAILED, "The redirection failed.", {CURLE_TOO_MANY_REDIRECTS}},
};

}  // namespace

DWORD ErrorFromCurl(int curlCode)
{
    for (const ErrorRow& row : kErrors)
        for (CURLcode c : row.curlCodes)
            if (c == curlCode)
                return row.code;
    return ERROR_INTERNET_INTERNAL_ERROR;
}

std::string DescribeError(DWORD code)
{
    for (const ErrorRow& row : kErrors)
        if (row.code == code)
            return row.text;
    return "Internet error " + std::to_string(code) + ".";
}

}  // namespace inet
