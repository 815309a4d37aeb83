// Which internet error code stands for each libcurl result.
#pragma once

#include "platform/inet/InternetTypes.h"

namespace inet {

// The internet error code for a libcurl result (a CURLcode passed as int); never 0 for a failure.
DWORD ErrorFromCurl(int curlCode);

} // namespace inet
