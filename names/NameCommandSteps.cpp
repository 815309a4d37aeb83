// The steps the install and save commands share, on the service client and the file layer.
#include "names/NameCommandSteps.h"

#include "names/NameListReply.h"
#include "names/NameOrder.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/FileSystem.h"
#include "service/ServiceRequest.h"

namespace namelist {

std::string ListedName(const std::vector<std::string>& names, const std::string& typed)
{
    std::string listed;
    // Every equal name is taken, so of two that differ only in case the later one wins.
    for (const std::string& name : names)
        if (EqualsFolded(name, typed))
            listed = name;
    return listed;
}

bool NamesFolderTakesFiles(const std::string& namesFolder, service::IServiceUi& ui)
{
    if (CanCreateFilesIn(namesFolder))
        return true;
    const CFileException refused = CFileException::FromLastOsError(namesFolder);
    if (refused.m_cause != CFileException::accessDenied)
        throw refused;
    ui.ShowMessage("You may not change the names folder " + namesFolder +
                       ".  Start Zentrimo again as an administrator and install the name once more.",
                   "Access Denied", false);
    return false;
}

std::string RequestPackageUrl(service::CServiceClient& client, const std::string& name)
{
    return client.XmlValue(client.ServerCall(service::DLRequest(name)), "url", "Read", std::string());
}

bool FetchNameList(service::CServiceClient& client, std::vector<std::string>& names)
{
    const std::string reply = client.ServerCall(service::ListPackagesRequest());
    if (reply.empty())
        return false; // ServerCall has told the user why
    AppendItemNames(client.XmlValue(reply, "rm", "Read", ""), names);
    SortNames(names);
    return true;
}

} // namespace namelist
