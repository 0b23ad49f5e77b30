// Wildcard matching with ASCII case folding, used by the POSIX directory
// search and, over UTF-8 keys, by the link check on Win32.
#include "platform/wildcard_match.h"

#include "platform/ascii_case.h"

namespace platelier {

namespace {

// The position after the character at `at`: a UTF-8 sequence ends before
// the next byte that is no continuation byte (10xxxxxx).
std::size_t nextCharacter(const std::string& text, std::size_t at, CharacterWidth width) {
    ++at;
    while (width == CharacterWidth::utf8Sequence && at < text.size() &&
           (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
        ++at;
    }
    return at;
}

} // namespace

// Greedy matching with a single backtrack point: the last '*' seen is the only
// one worth retrying, which keeps the match linear in practice.
bool matchesWildcard(const std::string& wildcard, const std::string& name, CharacterWidth width) {
    std::size_t w = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string::npos;
    std::size_t retryFrom = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && wildcard[w] == '*') {
            starAt = w++;
            retryFrom = n;
        } else if (w < wildcard.size() && wildcard[w] == '?') {
            ++w;
            n = nextCharacter(name, n, width);
        } else if (w < wildcard.size() && foldAsciiCase(wildcard[w]) == foldAsciiCase(name[n])) {
            ++w;
            ++n;
        } else if (starAt != std::string::npos) {
            w = starAt + 1;
            n = retryFrom = nextCharacter(name, retryFrom, width);
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == '*') {
        ++w;
    }
    return w == wildcard.size();
}

} // namespace platelier
