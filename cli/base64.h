// Bytes as text for scripts: a name that is not valid UTF-8 is given in JSON
// beside its readable form as its exact bytes in base64, as `base64 -d`
// decodes them.
#pragma once

#include <string>

namespace platelier {

// `bytes` in standard base64 (RFC 4648, with "+", "/" and "=" padding).
std::string base64(const std::string& bytes);

} // namespace platelier
