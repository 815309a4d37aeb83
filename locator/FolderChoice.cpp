// The Browse buttons' checks: the picked folder with its trailing backslash, Velmora's required to hold it.
#include "locator/FolderChoice.h"

#include "locator/VelmoraSearch.h"

namespace velmora {

FolderChoice ChooseVelmoraFolder(const std::string& picked)
{
    const std::string folder = WithTrailingBackslash(picked);
    if (folder.empty())
        return FolderChoice{};
    if (!HoldsExecutable(folder))
        return FolderChoice{std::string(), kVelmoraNotInFolder};
    return FolderChoice{folder, std::string()};
}

FolderChoice ChooseSaveFolder(const std::string& picked)
{
    return FolderChoice{WithTrailingBackslash(picked), std::string()};
}

} // namespace velmora
