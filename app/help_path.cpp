// The help file path rule.
#include "app/help_path.h"

#include "platform/files.h"

namespace platelier {

std::optional<std::string> helpFilePath(const std::string& programPath,
                                        const std::string& extension) {
    const std::size_t dot = programPath.rfind('.');
    if (dot == std::string::npos) {
        return std::nullopt;
    }
    std::string path = programPath.substr(0, dot + 1) + extension;
    if (pathLength(path) >= pathBufferSize) {
        return std::nullopt;
    }
    return path;
}

} // namespace platelier
