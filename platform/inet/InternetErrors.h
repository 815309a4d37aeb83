// The internet layer's error table: libcurl results to numeric internet error codes, codes to texts.
#pragma once

#include <string>

#include "platform/inet/InternetTypes.h"

namespace inet {

// The internet error code for a libcurl result (a CURLcode passed as int); never 0 for a failure.
DWORD ErrorFromCurl(int curlCode);

// A sentence describing the code, for the user; unknown codes get a generic text with the number.
std::string DescribeError(DWORD code);

}  // namespace inet
