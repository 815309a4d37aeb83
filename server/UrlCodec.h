// Percent-decoding of request targets as the service reads them.
#pragma once

#include <string>
#include <string_view>

namespace urlcodec {

// Decodes every "%XX" with two hex digits into its byte, once. Anything else, a "%" that does not
// start such a pair and "+" included, stays as it is, so that a value typed with "100%" or "a+b"
// arrives as typed.
std::string PercentDecode(std::string_view text);

} // namespace urlcodec
