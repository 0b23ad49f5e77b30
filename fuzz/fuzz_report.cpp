// Fuzzes the console program's report: whatever bytes a master's path,
// title and plate names hold, each JSON object parses, each text in it reads
// back to those bytes (from NAME_bytes where they are not UTF-8, else from
// the text itself), and the line for people holds no control character, C1
// characters included.
#include "cli/report.h"

#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>

using namespace platelier;

namespace {

// RFC 4648 base64 back to bytes; the input is the program's own.
std::string fromBase64(const std::string& text) {
    const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    std::uint32_t group = 0;
    int bits = 0;
    for (const char digit : text) {
        if (digit == '=') {
            break;
        }
        group = group << 6 | static_cast<std::uint32_t>(digits.find(digit));
        if ((bits += 6) >= 8) {
            bits -= 8;
            bytes += static_cast<char>(group >> bits & 0xFF);
        }
    }
    return bytes;
}

void expectText(const nlohmann::json& object, const std::string& name, const std::string& bytes) {
    if (object[name].is_null() && name == "file" && bytes.empty()) {
        return; // no file
    }
    const bool asBytes = object.contains(name + "_bytes");
    const std::string read = asBytes ? fromBase64(object[name + "_bytes"].get<std::string>())
                                     : object[name].get<std::string>();
    if (read != bytes) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckedMaster master;
    master.path = bytes.substr(0, size / 3);
    master.reading.title = bytes.substr(size / 3, size / 3);
    master.reading.plates.push_back({"cyan", bytes.substr(2 * (size / 3)), 0});
    master.links.push_back({LinkState::renamed, master.path, 1});
    master.contents.resize(1);
    const nlohmann::json object = nlohmann::json::parse(checkAsJson(master));
    expectText(object, "master", master.path);
    expectText(object, "title", *master.reading.title);
    expectText(object["channels"][0], "plate", master.reading.plates[0].name);
    expectText(object["channels"][0], "file", master.path);
    const std::string line = checkForPeople(master);
    for (std::size_t at = 0; at < line.size(); ++at) {
        const auto byte = static_cast<unsigned char>(line[at]);
        const bool c1 = byte == 0xC2 && at + 1 < line.size() &&
                        (static_cast<unsigned char>(line[at + 1]) & 0xE0) == 0x80;
        if (byte < 0x20 || byte == 0x7F || c1) {
            std::abort();
        }
    }
    return 0;
}
