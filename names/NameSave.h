// The offline road's save: a listed name's package added to the transfer archive, and the program's copy.
#pragma once

#include <string>

#include "names/CommandOutcome.h"
#include "service/CServiceClient.h"

namespace namelist {

inline constexpr const char kTakeProgramAlong[] =
    "Now take this program, along with the \"VMRNames.zip\" file (both will be found in your save "
    "location), to your computer with the Velmora to complete the installation process.";
inline constexpr const char kTakeProgramAlongCaption[] = "Instructions";

// Downloads the package at url (RequestPackageUrl's answer for name) into a temporary beside the transfer
// archive of saveFolder and makes it the archive, or adds its files to the archive there, all or nothing.
// A file error of the download names the archive, the user's file, not the temporary. The outcome carries
// the closing box: "Name files downloaded." on success, "Unable to download name files." or the damaged
// package's text on failure. Other file and ZIP errors travel out, the archive as it was.
CommandOutcome SaveForTransfer(service::CServiceClient& client, const std::string& url,
                               const std::string& name, const std::string& saveFolder);

// Copies the running program into saveFolder under its own file name, never over an existing file; the
// result is not looked at (a copy already there, or the program's own folder, is no error).
void CopyProgramTo(const std::string& saveFolder);

} // namespace namelist
