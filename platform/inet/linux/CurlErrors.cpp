// libcurl results mapped onto the internet error codes of InternetErrors.cpp's table.
#include "platform/inet/linux/CurlErrors.h"

#include <curl/curl.h>

#include <initializer_list>

namespace inet {
namespace {

struct CurlRow
{
    DWORD code;
    std::initializer_list<CURLcode> curlCodes;
};

const CurlRow kCurlErrors[] = {
    {ERROR_NOT_ENOUGH_MEMORY, {CURLE_OUT_OF_MEMORY}},
    {ERROR_INTERNET_TIMEOUT, {CURLE_OPERATION_TIMEDOUT, CURLE_ABORTED_BY_CALLBACK}},
    {ERROR_INTERNET_INVALID_URL, {CURLE_URL_MALFORMAT, CURLE_UNSUPPORTED_PROTOCOL}},
    {ERROR_INTERNET_NAME_NOT_RESOLVED, {CURLE_COULDNT_RESOLVE_HOST, CURLE_COULDNT_RESOLVE_PROXY}},
    {ERROR_INTERNET_CANNOT_CONNECT, {CURLE_COULDNT_CONNECT, CURLE_PROXY}},
    {ERROR_INTERNET_CONNECTION_ABORTED, {CURLE_PARTIAL_FILE}},
    {ERROR_INTERNET_CONNECTION_RESET, {CURLE_SEND_ERROR, CURLE_RECV_ERROR}},
    {ERROR_HTTP_INVALID_SERVER_RESPONSE,
     {CURLE_WEIRD_SERVER_REPLY, CURLE_GOT_NOTHING, CURLE_HTTP2, CURLE_HTTP2_STREAM,
      CURLE_BAD_CONTENT_ENCODING}},
    {ERROR_HTTP_REDIRECT_FAILED, {CURLE_TOO_MANY_REDIRECTS}},
};

} // namespace

DWORD ErrorFromCurl(int curlCode)
{
    for (const CurlRow& row : kCurlErrors)
        for (CURLcode c : row.curlCodes)
            if (c == curlCode)
                return row.code;
    return ERROR_INTERNET_INTERNAL_ERROR;
}

} // namespace inet
