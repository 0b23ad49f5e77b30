// Message and title texts with "%s" placeholders, filled in order.
#pragma once

#include <initializer_list>
#include <string>

namespace platelier {

// `format` with each "%s" replaced by the next of `values`; a placeholder
// without a value is left out.
inline std::string fillPlaceholders(const std::string& format,
                                    std::initializer_list<std::string> values) {
    std::string text;
    auto value = values.begin();
    std::size_t from = 0;
    for (std::size_t at; (at = format.find("%s", from)) != std::string::npos; from = at + 2) {
        text.append(format, from, at - from);
        if (value != values.end()) {
            text += *value++;
        }
    }
    return text.append(format, from, std::string::npos);
}

} // namespace platelier
