// The request strings of the three service operations, handed to ServerCall as composed here.
#pragma once

#include <string>

namespace service {

// Put in front of every request string by the transport.
inline constexpr const char kServicePath[] = "/olvwebservice/default.asmx/";

// The name list.
std::string ListPackagesRequest();

// Where the package of one listed name can be downloaded; the name goes in unescaped.
std::string DLRequest(const std::string& packageName);

// A request to record a new name; every value goes in exactly as typed, empty ones as empty elements.
std::string NameRequest(const std::string& recordName, const std::string& requesterName,
                        const std::string& email, const std::string& pronunciation,
                        const std::string& comments);

// "%u" of a message replaced by the number.
std::string FormatNumber(const char* text, unsigned number);

} // namespace service
