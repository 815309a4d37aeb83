// Request strings: fixed literals and the values exactly as given, no escaping of any kind.
#include "service/ServiceRequest.h"

namespace service {

std::string ListPackagesRequest()
{
    return "ProcessReq?clientXMLString=<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod>"
           "<op>ListPackages</op><type>name</type>";
}

std::string DLRequest(const std::string& packageName)
{
    return "ProcessReq?clientXMLString=<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod>"
           "<op>DLRequest</op><type>name</type><packagename>" +
           packageName + "</packagename>";
}

std::string NameRequest(const std::string& recordName, const std::string& requesterName,
                        const std::string& email, const std::string& pronunciation,
                        const std::string& comments)
{
    return std::string("ProcessReq?clientXMLString=") +
           "<comver>1.0</comver><conmeth>direct</conmeth><prod>vmr</prod><op>NameRequest</op>" + "<record>" +
           recordName + "</record>" + "<request>" + requesterName + "</request>" + "<email>" + email +
           "</email>" + "<pron>" + pronunciation + "</pron>" + "<comments>" + comments + "</comments>";
}

std::string FormatNumber(const char* text, unsigned number)
{
    std::string out = text;
    const std::size_t at = out.find("%u");
    if (at != std::string::npos)
        out.replace(at, 2, std::to_string(number));
    return out;
}

} // namespace service
