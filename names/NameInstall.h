// The web road's install: a listed name's package downloaded and unpacked into the names folder.
#pragma once

#include <string>

#include "names/CommandOutcome.h"
#include "service/CServiceClient.h"

namespace namelist {

// Downloads the package at url (RequestPackageUrl's answer for name) into a temporary and unpacks every
// entry into namesFolder, all or nothing. The temporary is moduleFolder + "Temp.zip", or, when that folder
// takes no new files, a file of its own in the user's temporary folder. Boxes of the download show through
// the client; the outcome carries the closing box: "Name files installed." on success, "Unable to download
// name files." or the damaged package's text on failure. A file error, or a ZIP error of anything but the
// package, travels out.
CommandOutcome InstallPackage(service::CServiceClient& client, const std::string& url,
                              const std::string& name, const std::string& namesFolder,
                              const std::string& moduleFolder);

} // namespace namelist
