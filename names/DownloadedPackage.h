// A downloaded package's errors in the user's terms.
#pragma once

#include <string>

#include "platform/fs/CFileException.h"
#include "platform/fs/PathCompare.h"
#include "service/ShownPath.h"
#include "zip/CZipException.h"

namespace namelist {

// The package is a file of ours (a temporary, or Temp.zip): it is named by the name it was downloaded for,
// and the archive the user keeps is never blamed for it.
inline std::string DamagedPackageText(const std::string& name, const CZipException& e)
{
    return "The package downloaded for " + name + " is damaged (" + e.GetErrorDescription() +
           ").  Please try again.";
}

// Runs step, which reads the package downloaded for name to path package. A package that does not read
// gives the text of the box to show ("" when all went well); a file error on it names the folder it
// was downloaded to, the user's own. Other errors travel on unchanged.
template <typename Step>
std::string WithDownloadedPackage(const std::string& name, const std::string& package, Step step)
{
    try {
        step();
    } catch (const CZipException& e) {
        if (!SamePathText(e.m_strFile, package))
            throw;
        return DamagedPackageText(name, e);
    } catch (CFileException& e) {
        e.m_strFileName =
            service::ShownPath(e.m_strFileName, package, package.substr(0, package.find_last_of('\\') + 1));
        throw;
    }
    return std::string();
}

} // namespace namelist
