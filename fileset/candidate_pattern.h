// The pattern with which a plate's separation file is found beside its
// master when the master's plate name leads to none: the master's name with
// the character before its last '.' and everything after that '.' replaced,
// the wildcard STEM*.EXT of the system's search (for IMAGE.EPS and the
// letter C: IMAG*.C). Its parts are taken as they are: a '?' or a '*' in
// the master's own name stands only for itself.
#pragma once

#include <optional>
#include <string>

namespace platelier {

struct CandidatePattern {
    std::string stem;      // IMAG
    std::string extension; // C, without its '.'
};

// The pattern of the master at `masterPath` for `extension`. The '.' and the
// character before it are looked for in the master's own name, so that the
// search stays in the master's folder: none for a name without '.' or one
// that begins with its only '.'.
std::optional<CandidatePattern> candidatePattern(const std::string& masterPath,
                                                 const std::string& extension);

} // namespace platelier
