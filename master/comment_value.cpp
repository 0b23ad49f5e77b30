// Values of DSC comment lines. A value ends at the line's first CR or LF:
// a master with LF endings must give the same names as one with CR LF, since
// a name is a file name and is written back into the master.
#include "master/comment_value.h"

#include "master/dsc_syntax.h"

namespace platelier {

std::string commentValue(const std::string& line) {
    const std::string text = line.substr(0, line.find_first_of(commentTextEnds));
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return std::string();
    }
    std::string value = text.substr(colon + 1);
    trimLeadingSpaces(value);
    trimTrailingSpaces(value);
    return value;
}

void trimLeadingSpaces(std::string& text) {
    text.erase(0, text.find_first_not_of(' '));
}

void trimTrailingSpaces(std::string& text) {
    const std::size_t last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
}

} // namespace platelier
