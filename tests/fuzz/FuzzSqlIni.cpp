// SQL.ini as a user may leave it: any bytes, any length.
#include "data/mData.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() /
                          ("skedora-fuzz-ini-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path.string() + "/";
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(Folder() + "SQL.ini", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    ReadConnectionString(Folder());
    return 0;
}
