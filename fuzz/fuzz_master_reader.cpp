// Fuzzes readMasterFile: it never fails in an uncontrolled way, a master
// always has its title, a refused file never has plate names, and no value
// holds a line end.
#include "fixtures.h"
#include "master/master_file_reader.h"

#include <cstdint>
#include <cstdlib>

using namespace platelier;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const testing::TempFolder folder;
    const std::string path =
        folder.write("master.eps", std::string(reinterpret_cast<const char*>(data), size));
    const MasterReading reading = readMasterFile(path);
    const auto holdsLineEnd = [](const std::string& value) {
        return value.find_first_of("\r\n") != std::string::npos;
    };
    bool anyPlate = false;
    for (const std::string& plate : reading.plates) {
        anyPlate = anyPlate || !plate.empty();
        if (holdsLineEnd(plate)) {
            std::abort();
        }
    }
    if ((reading.isMaster() && !reading.title) || (!reading.isMaster() && anyPlate) ||
        (reading.title && holdsLineEnd(*reading.title))) {
        std::abort();
    }
    return 0;
}
