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

TEST(AppFolders, FollowTheXdgVariables) {
    ScopedVariable home("HOME", "/home/anna");
    ScopedVariable data("XDG_DATA_HOME", "/srv/data");
    ScopedVariable config("XDG_CONFIG_HOME", "/srv/config/");
    EXPECT_EQ(UserDataFolder(), "/srv/data/skedora/");
    EXPECT_EQ(UserConfigFolder(), "/srv/config/skedora/");
    EXPECT_EQ(SettingsFilePath(), "/srv/config/skedora/skedora.conf");
    EXPECT_EQ(SystemConfigFolder(), "/etc/skedora/");
}

TEST(AppFolders, UnsetEmptyOrRelativeVariablesGiveTheDefaultsUnderHome) {
    ScopedVariable home("HOME", "/home/anna");
    for (const std::optional<std::string>& value :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>("relative/data")}) {
        ScopedVariable data("XDG_DATA_HOME", value);
        ScopedVariable config("XDG_CONFIG_HOME", value);
        EXPECT_EQ(UserDataFolder(), "/home/anna/.local/share/skedora/");
        EXPECT_EQ(UserConfigFolder(), "/home/anna/.config/skedora/");
    }
}

class InstalledLayout : public testing::Test {
protected:
    void SetUp() override {
        prefix_ = fs::temp_directory_path() / ("skedora-prefix-" + std::to_string(::getpid()));
        fs::create_directories(prefix_ / "bin");
        fs::create_directories(prefix_ / "share/skedora");
    }
    void TearDown() override { fs::remove_all(prefix_); }

    std::string Bin() const { return (prefix_ / "bin").string() + "/"; }

    fs::path prefix_;
};

TEST_F(InstalledLayout, IsBinBesideShareSkedora) {
    EXPECT_EQ(InstalledDataFolder(Bin()), (prefix_ / "share/skedora").string() + "/");
}

TEST_F(InstalledLayout, SqlIniOrKorvenBesideTheExecutableKeepTheSpecifiedPlaces) {
    for (const char* name : {"SQL.ini", "KORVEN.FDB"}) {
        std::ofstream(prefix_ / "bin" / name) << "\n";
        EXPECT_EQ(InstalledDataFolder(Bin()), std::nullopt) << name;
        fs::remove(prefix_ / "bin" / name);
    }
}

TEST_F(InstalledLayout, NeedsBothTheBinFolderAndTheSharedFolder) {
    fs::remove_all(prefix_ / "share/skedora");
    EXPECT_EQ(InstalledDataFolder(Bin()), std::nullopt);
    fs::create_directories(prefix_ / "build/share/skedora");
    EXPECT_EQ(InstalledDataFolder((prefix_ / "build").string() + "/"), std::nullopt);
}

TEST(EngineLock, IsTheUsersOwnUnlessAlreadySet) {
    const fs::path runtime =
        fs::temp_directory_path() / ("skedora-runtime-" + std::to_string(::getpid()));
    fs::create_directories(runtime);
    {
        ScopedVariable lock("FIREBIRD_LOCK", std::nullopt);
        ScopedVariable xdg("XDG_RUNTIME_DIR", runtime.string());
        EXPECT_EQ(UsePerUserEngineLock(), (runtime / "firebird").string());
        EXPECT_EQ(std::string(std::getenv("FIREBIRD_LOCK")), (runtime / "firebird").string());
        EXPECT_TRUE(fs::is_directory(runtime / "firebird"));
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
