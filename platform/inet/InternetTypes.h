// Numeric types, option numbers, flags and error codes of the internet layer, with the Windows values.
#pragma once

#include "platform/core/WinDefs.h"

#ifdef _WIN32
#include <wininet.h>
#else
#include <cstdint>

using INTERNET_PORT = std::uint16_t;

// Session access types.
constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0; // the environment's proxy settings (http_proxy, no_proxy)
constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
constexpr DWORD INTERNET_OPEN_TYPE_PROXY = 3;

constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;
constexpr INTERNET_PORT INTERNET_INVALID_PORT_NUMBER = 0; // "use the default", or the port in the host text

// Options for SetOption on a session or a request.
constexpr DWORD INTERNET_OPTION_CONNECT_TIMEOUT = 2;
constexpr DWORD INTERNET_OPTION_RECEIVE_TIMEOUT = 6;
constexpr DWORD INTERNET_OPTION_PROXY_USERNAME = 43;
constexpr DWORD INTERNET_OPTION_PROXY_PASSWORD = 44;

// Request flags.
constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
constexpr DWORD INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;
constexpr DWORD INTERNET_FLAG_KEEP_CONNECTION = 0x00400000;
constexpr DWORD INTERNET_FLAG_EXISTING_CONNECT = 0x20000000;

// Information levels for CHttpFile::QueryInfo.
constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;
constexpr DWORD HTTP_QUERY_RAW_HEADERS_CRLF = 22;

constexpr DWORD HTTP_STATUS_OK = 200;
constexpr DWORD HTTP_STATUS_MOVED = 301;
constexpr DWORD HTTP_STATUS_REDIRECT = 302;
constexpr DWORD HTTP_STATUS_REDIRECT_METHOD = 303;
constexpr DWORD HTTP_STATUS_PROXY_AUTH_REQ = 407;

#endif

// Error codes carried by CInternetException; InternetErrors.cpp holds their texts.
// The two general Windows codes the layer raises keep their numbers under names of the layer's own,
// so that this header can stand beside the other platform headers that define the general names.
namespace inet {
constexpr DWORD kErrorNotEnoughMemory = 8;   // ERROR_NOT_ENOUGH_MEMORY
constexpr DWORD kErrorInvalidParameter = 87; // ERROR_INVALID_PARAMETER
} // namespace inet
#ifndef _WIN32
constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12030;
constexpr DWORD ERROR_INTERNET_CONNECTION_RESET = 12031;
constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
constexpr DWORD ERROR_HTTP_REDIRECT_FAILED = 12156;
#endif
