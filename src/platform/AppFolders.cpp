#include "platform/AppFolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr const char* kName = "skedora";

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// An XDG variable counts only when it holds an absolute path.
std::string AbsoluteEnvironment(const char* name) {
    const std::string value = Environment(name);
    return !value.empty() && value.front() == '/' ? value : std::string();
}

#ifndef _WIN32
std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (home.empty())
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) home = entry->pw_dir;
    return WithSeparator(home);
}
#endif

// The folder an XDG variable names, or its default below the home folder.
std::string BaseFolder(const char* variable, const char* homeDefault) {
#ifdef _WIN32
    (void)variable;
    (void)homeDefault;
    return WithSeparator(Environment("APPDATA"));
#else
    const std::string value = AbsoluteEnvironment(variable);
    return value.empty() ? HomeFolder() + homeDefault : WithSeparator(value);
#endif
}

bool Exists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

} // namespace

std::string UserDataFolder() {
    return BaseFolder("XDG_DATA_HOME", ".local/share/") + kName + "/";
}

std::string UserConfigFolder() {
    return BaseFolder("XDG_CONFIG_HOME", ".config/") + kName + "/";
}

std::string SettingsFilePath() {
    return UserConfigFolder() + kName + ".conf";
}

std::string SystemConfigFolder() {
    return std::string("/etc/") + kName + "/";
}

std::optional<std::string> InstalledDataFolder(const std::string& executableFolder) {
    const std::filesystem::path folder = std::filesystem::path(executableFolder).parent_path();
    if (folder.filename() != "bin") return std::nullopt;
    if (Exists(folder / "SQL.ini") || Exists(folder / "KORVEN.FDB")) return std::nullopt;
    const std::filesystem::path shared = folder.parent_path() / "share" / kName;
    std::error_code error;
    if (!std::filesystem::is_directory(shared, error)) return std::nullopt;
    return shared.string() + "/";
}

std::string UsePerUserEngineLock() {
#ifdef _WIN32
    return {};
#else
    if (std::getenv("FIREBIRD_LOCK")) return {};
    const std::string runtime = AbsoluteEnvironment("XDG_RUNTIME_DIR");
    const std::string folder = runtime.empty() ? "/tmp/firebird-" + std::to_string(getuid())
                                               : WithSeparator(runtime) + "firebird";
    ::mkdir(folder.c_str(), 0700); // an existing folder is fine; the engine reports what fails
    ::setenv("FIREBIRD_LOCK", folder.c_str(), 1);
    return folder;
#endif
}
