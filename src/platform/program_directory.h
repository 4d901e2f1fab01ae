#pragma once
// The directory of the running executable, in the file system's encoding,
// without a trailing slash: taken once from /proc/self/exe by cutting the path
// before its last slash, then the same for the whole run. An executable in
// the root directory gives "" (so "" + "/" + name names a file there), as
// does a path that cannot be read.

#include <string>

std::string ProgramDirectory();
