// The return codes the service puts in "rc" and the message a person reads in "rm" for each.
#pragma once

#include <string>

enum class ServiceStatus : int {
    Ok = 0,
    MalformedEnvelope = 1,
    UnsupportedVersion = 2,
    UnknownProduct = 3,
    UnknownOperation = 4,
    UnknownPackageType = 5,
    UnknownPackage = 6,
    MissingFields = 7,
    StoreFailed = 8,
    EnvelopeTooLong = 9,
};

// "rc" as sent: the decimal code.
std::string StatusCode(ServiceStatus status);

// The fixed message of a code; callers may add details of their own after it.
std::string StatusMessage(ServiceStatus status);
