// The offline road's install: the names of a transfer archive unpacked into the names folder.
#pragma once

#include <string>

#include "names/CommandOutcome.h"
#include "names/NamesUi.h"

namespace namelist {

// Unpacks the transfer archive into namesFolder, all or nothing, after putting back what a save killed
// while it wrote the archive had begun. Silent when the names folder refuses files (ui has shown why);
// "Name files installed." on success. The archive stays. File and ZIP errors travel out.
CommandOutcome InstallArchive(service::IServiceUi& ui, const std::string& archive,
                              const std::string& namesFolder);

// Unpacks VMRNames.zip from moduleFolder, where it was carried with the program and stays, or else the
// archive the user picks through ui (starting in moduleFolder), which goes once installed. Silent when
// the names folder refuses files (ui has shown why) or no archive was picked; "Name files installed." on
// success. File and ZIP errors travel out.
CommandOutcome InstallSavedNames(INamesUi& ui, const std::string& moduleFolder,
                                 const std::string& namesFolder);

} // namespace namelist
