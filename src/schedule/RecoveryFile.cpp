#include "schedule/RecoveryFile.h"

#include "day/DayText.h"
#include "platform/AppFolders.h"
#include "platform/DateTime.h"
#include "platform/ReplacingFile.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {

// A name for the connection string that stays the same from run to run (FNV-1a).
std::string ServerName(const std::string& server) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : server) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    return name;
}

} // namespace

TRecoveryFile::TRecoveryFile(const std::string& server, TDateTime date)
    : path_(UserDataFolder() + "recovery/" + ServerName(server) + "-" +
            FormatDateTime("yyyy-mm-dd", date) + ".day") {}

void TRecoveryFile::Write(const TScheduleDay& day) const {
    std::error_code ignored;
    std::filesystem::create_directories(PathOfText(path_).parent_path(), ignored);
    TReplacingFile file(path_);
    file.Write(DayToText(day));
    file.Commit();
}

std::optional<TScheduleDay> TRecoveryFile::Read() const {
    std::ifstream stream(PathOfText(path_), std::ios::binary);
    if (!stream) return std::nullopt;
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return DayFromText(bytes.str());
}

void TRecoveryFile::Remove() const {
    std::error_code ignored;
    std::filesystem::remove(PathOfText(path_), ignored);
}
