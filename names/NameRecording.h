// Where an installed name's recording lies.
#pragma once

#include <string>

#include "locator/VelmoraSearch.h"

namespace namelist {

// The .wav of name in the names folder of velmoraFolder, joined as plain text.
inline std::string RecordingPath(const std::string& velmoraFolder, const std::string& name)
{
    return velmora::NamesFolder(velmoraFolder) + "\\" + name + ".wav";
}

} // namespace namelist
