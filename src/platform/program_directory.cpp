#include "program_directory.h"

// Placeholder until record storage is written.
std::string ProgramDirectory() { return "."; }
