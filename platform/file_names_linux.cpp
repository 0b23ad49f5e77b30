// File names on Linux: bytes, letter case included, of at most NAME_MAX
// (255) bytes, the limit of its usual file systems. The program's own
// search, which Linux lacks, ignores the case of the letters A-Z. A plate
// names the file of its own bytes.
#include "platform/file_names.h"

#include "platform/ascii_case.h"
#include "platform/files.h"

#include <algorithm>

namespace platelier {

bool sameFileName(const std::string& a, const std::string& b) {
    return a == b;
}

std::string fileNameKey(const std::string& name) {
    return name;
}

std::string searchKey(const std::string& name) {
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(), foldAsciiCase);
    return key;
}

// A control character would also cut the line of a master that names the
// file, and blanks at either end would be trimmed from it.
bool acceptableFileName(const std::string& name) {
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return !name.empty() && name.size() <= 255 && name != "." && name != ".." && !control &&
           name.front() != ' ' && name.back() != ' ' &&
           name.find_first_of(folderSeparators()) == std::string::npos;
}

std::string fileNameOfPlate(const std::string& plateBytes) {
    return plateBytes;
}

std::optional<std::string> plateOfFileName(const std::string& name) {
    return name;
}

} // namespace platelier
