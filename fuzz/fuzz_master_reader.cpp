// Fuzzes readMasterFile: it never fails in an uncontrolled way, delivers
// the title first and the four plate names only all together and only with
// success, and no value holds a line end.
#include "fixtures.h"
#include "master/master_file_reader.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace platelier;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const testing::TempFolder folder;
    const std::string path =
        folder.write("master.eps", std::string(reinterpret_cast<const char*>(data), size));
    std::vector<MasterValue> order;
    const bool read = readMasterFile(path, [&](MasterValue which, const std::string& value) {
        if (value.find_first_of("\r\n") != std::string::npos ||
            static_cast<std::size_t>(which) != order.size()) {
            std::abort();
        }
        order.push_back(which);
    });
    if (read ? order.size() != 5 : order.size() > 1) {
        std::abort();
    }
    return 0;
}
