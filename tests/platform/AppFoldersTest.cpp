#include "platform/AppFolders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Sets an environment variable (or unsets it for nullopt) for the scope.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(AppFolders, FollowTheXdgVariablesOrTheirDefaultsUnderHome) {
    const struct {
        std::optional<std::string> value;
        std::string data, config;
    } cases[] = {
        {"/srv/x", "/srv/x/skedora/", "/srv/x/skedora/"},
        {"/srv/x/", "/srv/x/skedora/", "/srv/x/skedora/"},
        {std::nullopt, "/home/anna/.local/share/skedora/", "/home/anna/.config/skedora/"},
        {"", "/home/anna/.local/share/skedora/", "/home/anna/.config/skedora/"},
        {"relative/x", "/home/anna/.local/share/skedora/", "/home/anna/.config/skedora/"},
    };
    ScopedVariable home("HOME", "/home/anna");
    for (const auto& test : cases) {
        ScopedVariable data("XDG_DATA_HOME", test.value);
        ScopedVariable config("XDG_CONFIG_HOME", test.value);
        EXPECT_EQ(UserDataFolder(), test.data) << test.value.value_or("(unset)");
        EXPECT_EQ(UserConfigFolder(), test.config) << test.value.value_or("(unset)");
        EXPECT_EQ(SettingsFilePath(), test.config + "skedora.conf");
    }
}

TEST(AppFolders, AnInstalledLayoutIsBinBesideShareSkedoraWithNothingOfItsOwn) {
    const fs::path prefix =
        fs::temp_directory_path() / ("skedora-prefix-" + std::to_string(::getpid()));
    const struct {
        const char* bin;
        const char* shared; // made beside, or nothing
        const char* besideExecutable;
        bool installed;
    } cases[] = {
        {"bin", "share/skedora", nullptr, true},       {"bin", "share/skedora", "SQL.ini", false},
        {"bin", "share/skedora", "KORVEN.FDB", false}, {"bin", nullptr, nullptr, false},
        {"build", "share/skedora", nullptr, false},
    };
    for (const auto& test : cases) {
        fs::create_directories(prefix / test.bin);
        if (test.shared) fs::create_directories(prefix / test.shared);
        if (test.besideExecutable) std::ofstream(prefix / test.bin / test.besideExecutable);
        const auto found = InstalledDataFolder((prefix / test.bin).string() + "/");
        EXPECT_EQ(found.has_value(), test.installed)
            << test.bin << " " << (test.besideExecutable ? test.besideExecutable : "");
        if (test.installed) {
            EXPECT_EQ(found, (prefix / "share/skedora").string() + "/");
        }
        fs::remove_all(prefix);
    }
}

TEST(AppFolders, TheEngineLockIsTheUsersOwnUnlessAlreadySet) {
    const fs::path runtime =
        fs::temp_directory_path() / ("skedora-runtime-" + std::to_string(::getpid()));
    fs::create_directories(runtime);
    {
        ScopedVariable lock("FIREBIRD_LOCK", std::nullopt);
        ScopedVariable xdg("XDG_RUNTIME_DIR", runtime.string());
        EXPECT_EQ(UsePerUserEngineLock(), (runtime / "firebird").string());
        EXPECT_EQ(std::string(std::getenv("FIREBIRD_LOCK")), (runtime / "firebird").string());
        EXPECT_EQ(fs::status(runtime / "firebird").permissions() & fs::perms::all,
                  fs::perms::owner_all);
    }
    {
        ScopedVariable lock("FIREBIRD_LOCK", std::nullopt);
        ScopedVariable xdg("XDG_RUNTIME_DIR", std::nullopt);
        EXPECT_EQ(UsePerUserEngineLock(), "/tmp/firebird-" + std::to_string(::getuid()));
    }
    {
        ScopedVariable lock("FIREBIRD_LOCK", "/var/tmp/given");
        EXPECT_EQ(UsePerUserEngineLock(), "");
        EXPECT_EQ(std::string(std::getenv("FIREBIRD_LOCK")), "/var/tmp/given");
    }
    fs::remove_all(runtime);
}

} // namespace
