// File-system operations on POSIX systems (Linux first: the never-replacing
// rename uses renameat2 where the file system offers it).
#include "app/platform/files.h"

#include "app/platform/wildcard_match.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/types.h>
#include <unistd.h>

namespace platelier {

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

// link() refuses an existing target, so link then unlink never replaces a
// file; it serves file systems without renameat2 (it cannot move folders).
bool linkThenUnlink(const std::string& from, const std::string& to) {
    if (link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    if (unlink(from.c_str()) != 0) {
        unlink(to.c_str());
        return false;
    }
    return true;
}

} // namespace

char pathSeparator() {
    return '/';
}

bool moveFileNoReplace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno == EINVAL || errno == ENOSYS) {
        return linkThenUnlink(from, to);
    }
    return false;
}

std::vector<std::string> findMatchingEntries(const std::string& pattern) {
    const std::size_t separator = pattern.rfind('/');
    const std::string folder =
        separator == std::string::npos ? "." : pattern.substr(0, separator + 1);
    const std::string wildcard =
        separator == std::string::npos ? pattern : pattern.substr(separator + 1);
    std::vector<std::string> names;
    std::unique_ptr<DIR, DirectoryCloser> directory(opendir(folder.c_str()));
    if (!directory) {
        return names;
    }
    while (const dirent* entry = readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && matchesWildcard(wildcard, name)) {
            names.push_back(name);
        }
    }
    return names;
}

bool seekStream(std::FILE* stream, std::uint64_t offset) {
    return fseeko(stream, static_cast<off_t>(offset), SEEK_SET) == 0;
}

} // namespace platelier
