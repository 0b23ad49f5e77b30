// Wildcard matching with ASCII case folding, used by the POSIX directory search.
#include "platform/wildcard_match.h"

#include "platform/ascii_case.h"

namespace platelier {

// Greedy matching with a single backtrack point: the last '*' seen is the only
// one worth retrying, which keeps the match linear in practice.
bool matchesWildcard(const std::string& wildcard, const std::string& name) {
    std::size_t w = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string::npos;
    std::size_t retryFrom = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && wildcard[w] == '*') {
            starAt = w++;
            retryFrom = n;
        } else if (w < wildcard.size() &&
                   (wildcard[w] == '?' || foldAsciiCase(wildcard[w]) == foldAsciiCase(name[n]))) {
            ++w;
            ++n;
        } else if (starAt != std::string::npos) {
            w = starAt + 1;
            n = ++retryFrom;
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
