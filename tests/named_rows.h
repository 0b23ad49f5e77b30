// Rows of table tests named by what they are: a TEST_P row's description
// becomes its name, so that a failure names it and a filter runs it alone
// (--gtest_filter='*/a_block_cut_short').
#pragma once

#include <cctype>
#include <gtest/gtest.h>
#include <string>

namespace platelier::testing {

// Letters and digits kept, every run of other characters one underscore.
inline std::string rowNameOf(const std::string& what) {
    std::string name;
    for (const char c : what) {
        if (std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    return name;
}

// The name generator of INSTANTIATE_TEST_SUITE_P for rows with a `what`.
// Each row type also has a PrintTo beside it, printing its `what`, so that a
// test's parameter reads as its description (printRow).
struct RowName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return rowNameOf(info.param.what);
    }
};

inline void printRow(const char* what, std::ostream* out) {
    *out << what;
}

} // namespace platelier::testing
