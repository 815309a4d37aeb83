// The steps the install and save commands share: the typed name, the names folder, the package address.
#pragma once

#include <string>
#include <vector>

#include "service/CServiceClient.h"

namespace namelist {

inline constexpr const char kNoNameGiven[] = "Please specify a name before attempting to download.";
inline constexpr const char kNoNameGivenCaption[] = "No Name Given";
inline constexpr const char kNameNotFound[] =
    "The name you have typed is not in the list of recorded names.  Please either select a name from the "
    "list, or request that the name be recorded for you by clicking the \"Request New Name\" button below.";
inline constexpr const char kNameNotFoundCaption[] = "Name Not Found";
inline constexpr const char kDownloadFailed[] = "Unable to download name files.";
inline constexpr const char kFailureCaption[] = "Failure";

// The listed form of typed: of the names equal to it apart from case the last one in list order, "" when
// none is.
std::string ListedName(const std::vector<std::string>& names, const std::string& typed);

// False, after a box through ui that names the folder, when the user may not add files to namesFolder;
// any other reason it cannot take files travels out as CFileException.
bool NamesFolderTakesFiles(const std::string& namesFolder, service::IServiceUi& ui);

// The url element of the DLRequest reply for the listed name ("Value not found." after a failed call).
std::string RequestPackageUrl(service::CServiceClient& client, const std::string& name);

// The catalogue's names appended to names, sorted with them; false when the call failed (and was told).
bool FetchNameList(service::CServiceClient& client, std::vector<std::string>& names);

} // namespace namelist
