// One row per return code: its number and its message, kept side by side so they cannot drift.
#include "server/ServiceStatus.h"

namespace {

struct StatusRow
{
    ServiceStatus status;
    const char* message;
};

// The client shows "Error <rc>: <rm>", so each message reads on its own.
constexpr StatusRow kStatusTable[] = {
    {ServiceStatus::Ok, "OK"},
    {ServiceStatus::MalformedEnvelope, "The service could not read this request."},
    {ServiceStatus::UnsupportedVersion,
     "This version of the program is not supported by the service.  Please obtain the current version."},
    {ServiceStatus::UnknownProduct, "The service does not serve this product."},
    {ServiceStatus::UnknownOperation, "The service does not know this operation."},
    {ServiceStatus::UnknownPackageType, "The service only offers name packages."},
    {ServiceStatus::UnknownPackage, "No recording of this name is available."},
    {ServiceStatus::MissingFields, "Please fill in the name to record, your name and your email address."},
    {ServiceStatus::StoreFailed, "The service could not store your request.  Please try again later."},
    {ServiceStatus::EnvelopeTooLong, "The request is too long."},
};

} // namespace

std::string StatusCode(ServiceStatus status)
{
    return std::to_string(static_cast<int>(status));
}

std::string StatusMessage(ServiceStatus status)
{
    for (const StatusRow& row : kStatusTable)
        if (row.status == status)
            return row.message;
    return "The service failed.";
}
