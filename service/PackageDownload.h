// Downloading one package file from the address a DLRequest reply gave, into a local file.
#pragma once

#include <string>

#include "platform/inet/InternetTypes.h"
#include "service/ServiceUi.h"

namespace service {

struct PackageAddress
{
    std::string host;   // before the first '/'; "" without any '/'
    std::string object; // after the second '/', or after the only one; no leading '/'
};

// "host/folder/file" requests "file": the segment after the host is always dropped.
PackageAddress SplitPackageAddress(const std::string& address);

struct DownloadResult
{
    bool ok = false;
    std::string failure; // for a network failure or an error status: what went wrong, not shown
};

// Uses the proxy settings of the service call, a receive timeout on both paths and a 50-byte copy loop.
// It sets no proxy credentials of its own: the internet layer presents the login the proxy accepted
// earlier in the process (the service call's), so packages pass a proxy that asks for one. Only a final
// status 200 is written: any other answer (an error page, a proxy's 407) gives false without touching the
// local file. Network failures show nothing (callers report false); a local file that cannot be created or
// written shows one box built from the file error. A body cut off part way leaves what arrived in the file. A
// failure to create the session travels out as CInternetException.
DownloadResult DownloadPackage(const std::string& address, const std::string& localPath, IServiceUi& ui,
                               DWORD receiveTimeoutMs = 300000);
// The same into a file of ours that stands for the user's shownPath: the file error's box names shownPath
// (ShownPath.h).
DownloadResult DownloadPackage(const std::string& address, const std::string& localPath,
                               const std::string& shownPath, IServiceUi& ui, DWORD receiveTimeoutMs = 300000);

} // namespace service
