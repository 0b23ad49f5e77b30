// The candidate pattern rule.
#include "fileset/candidate_pattern.h"

#include "platform/path_parts.h"

namespace platelier {

std::optional<CandidatePattern> candidatePattern(const std::string& masterPath,
                                                 const std::string& extension) {
    const std::string name = fileNamePart(masterPath);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return std::nullopt;
    }
    return CandidatePattern{name.substr(0, dot - 1), extension};
}

} // namespace platelier
