// The one rule for naming the user's file in place of a temporary of ours in what the user is told.
#pragma once

#include <string>

#include "platform/fs/PathCompare.h"

namespace service {

// users when path names ours (compared as the file system compares names), else path unchanged: a
// temporary is ours, the user knows only the file it stands for.
inline std::string ShownPath(const std::string& path, const std::string& ours, const std::string& users)
{
    return !ours.empty() && SamePathText(path, ours) ? users : path;
}

} // namespace service
