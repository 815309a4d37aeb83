// The internet layer's error texts: one sentence per internet error code.
#pragma once

#include <string>

#include "platform/inet/InternetTypes.h"

namespace inet {

// A sentence describing the code, for the user; unknown codes get a generic text with the number.
std::string DescribeError(DWORD code);

} // namespace inet
