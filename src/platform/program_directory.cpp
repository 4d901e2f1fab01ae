#include "program_directory.h"

#include <unistd.h>

namespace {

std::string executablePath() {
    std::string path(256, '\0');
    for (;;) {
        ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            return path;
        }
        // Possibly cut off: try again with more room.
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::string ProgramDirectory() {
    static const std::string directory = [] {
        std::string path = executablePath();
        std::size_t slash = path.rfind('/');
        return slash == std::string::npos ? std::string() : path.substr(0, slash);
    }();
    return directory;
}
