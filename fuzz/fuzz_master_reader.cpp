// Fuzzes readMasterFile: it never fails in an uncontrolled way, delivers
// the title first and the four plate names only all together and only with
// success, and no value holds a line end.
#include "fuzz_input_file.h"
#include "master/master_file_reader.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace platelier;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzing::writeScratchFile(
        "master.eps", std::string(reinterpret_cast<const char*>(data), size));
    std::vector<MasterValue> order;
    const bool read = readMasterFile(path, [&](MasterValue which, const std::string& value) {
        if (value.find_first_of("\r\n") != std::string::npos) {
            std::abort();
        }
        order.push_back(which);
    });
    const std::vector<MasterValue> all = {masterTitle, cyanPlateName, magentaPlateName,
                                          yellowPlateName, blackPlateName};
    const bool titleOnly = order.size() == 1 && order[0] == masterTitle;
    if (read ? order != all : !(order.empty() || titleOnly)) {
        std::abort();
    }
    return 0;
}
