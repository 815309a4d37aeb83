// What the folders the user picks with the Browse buttons become.
#pragma once

#include <string>

namespace velmora {

inline constexpr const char kVelmoraNotInFolder[] =
    "Cannot find the Velmora in this directory.  Please choose another folder.";
inline constexpr const char kVelmoraNotInFolderCaption[] = "VMR Not Found";

struct FolderChoice
{
    std::string folder;  // as the location box shows it; "" when nothing is to change
    std::string refusal; // the box's text when the folder was refused, else ""
};

// picked: the picker's path ("" when cancelled). A folder that does not hold the executable is refused.
FolderChoice ChooseVelmoraFolder(const std::string& picked);

// Any folder picked is taken; a cancel changes nothing.
FolderChoice ChooseSaveFolder(const std::string& picked);

} // namespace velmora
