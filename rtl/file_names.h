// File names as the runtime sees them: whether a file is there, and a name's full path.
#pragma once

#include <string>

namespace rtl {

// True when `path` names a file that is not a directory (a link is followed).
bool FileExists(const std::string& path);

// The full path of `path`, taken in the current folder when it is relative, with "." and ".."
// steps resolved by name.
std::string ExpandFileName(const std::string& path);

}  // namespace rtl
