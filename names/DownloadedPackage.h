// The box for a downloaded package that does not read, in the user's terms.
#pragma once

#include <string>

#include "zip/CZipException.h"

namespace namelist {

// The package is a file of ours (a temporary, or Temp.zip): it is named by the name it was downloaded for,
// and the archive the user keeps is never blamed for it.
inline std::string DamagedPackageText(const std::string& name, const CZipException& e)
{
    return "The package downloaded for " + name + " is damaged (" + e.GetErrorDescription() +
           ").  Please try again.";
}

} // namespace namelist
