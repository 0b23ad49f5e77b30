// Fuzzes the rewrite of a master as it reads, DCS 1.0 or 2.0: whatever the
// input, a refused rewrite leaves the master and nothing else, and a done
// one keeps every promise of rewrite_check.h (the old bytes as the backup,
// the names read back, the previews unchanged, the same file when done
// again, nothing left behind).
#include "rewrite_check.h"

#include <cstdint>
#include <cstdlib>

using namespace platelier;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string before(reinterpret_cast<const char*>(data), size);
    const testing::TempFolder folder;
    const std::string master = folder.write("master.eps", before);
    PlateNames names = {"NEW-NAME.C", "M", "", "name with:colon.N"};
    if (const MasterReading reading = readMasterFile(master);
        reading.format == MasterFormat::dcs2) {
        names.clear();
        for (const Plate& plate : reading.plates) {
            // Every other plate keeps its name, the others take new ones.
            names.push_back(names.size() % 2 ? plate.name : "(new) " + plate.name);
        }
    }
    const RewriteError error = testing::rewriteAsRead(master, names).error;
    if (!testing::rewriteViolation(master, before, names, error).empty()) {
        std::abort();
    }
    return 0;
}
