#pragma once
// The directory of the running executable, in the file system's encoding.

#include <string>

std::string ProgramDirectory();
