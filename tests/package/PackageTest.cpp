#include "support/Command.h"
#include "support/TempDatabase.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool Have(const std::string& tool) {
    return RunCommand("command -v " + tool + " >/dev/null 2>&1").exitCode == 0;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// The package made from this build folder and unpacked, shared by every test here.
class Package : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("skedora-package-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        if (!Have("dpkg-deb") || !Have("dpkg-shlibdeps")) {
            problem_ = "dpkg-deb or dpkg-shlibdeps is missing (package dpkg-dev)";
            return;
        }
        const CommandResult made = RunCommand(
            std::string(SKEDORA_CPACK) + " --config " SKEDORA_BINARY_DIR "/CPackConfig.cmake -B " +
            (folder_ / "out").string() + " 2>&1");
        for (const auto& entry : fs::directory_iterator(folder_ / "out", error_))
            if (entry.path().extension() == ".deb") deb_ = entry.path();
        if (made.exitCode != 0 || deb_.empty()) {
            problem_ = "cpack failed: " + made.output;
            return;
        }
        root_ = folder_ / "root";
        const CommandResult unpacked =
            RunCommand("dpkg-deb -x " + deb_.string() + " " + root_.string() + " 2>&1");
        if (unpacked.exitCode != 0) problem_ = "dpkg-deb -x failed: " + unpacked.output;
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    void SetUp() override {
        ASSERT_EQ(problem_, "");
        home_ =
            folder_ /
            ("home-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(home_ / "run");
        fs::permissions(home_ / "run", fs::perms::owner_all);
    }

    static fs::path Installed(const std::string& path) { return root_ / "usr" / path; }

    // Starts the unpacked executable offscreen with HOME and the XDG folders in an empty
    // folder of the test; the window stays up until the timeout kills it (exit code 137).
    CommandResult Start(const std::string& extraEnvironment = {}) const {
        const std::string home = home_.string();
        return RunCommand("timeout -s KILL 6 env -u FIREBIRD_LOCK QT_QPA_PLATFORM=offscreen "
                          "SKEDORA_AUTO_DIALOGS=1 HOME=" +
                          home + " XDG_DATA_HOME=" + home + "/data XDG_CONFIG_HOME=" + home +
                          "/config XDG_RUNTIME_DIR=" + home + "/run " + extraEnvironment + " " +
                          Installed("bin/skedora").string() + " 2>&1");
    }
    fs::path UsersDatabase() const { return home_ / "data/skedora/KORVEN.FDB"; }
    // An administrator's SQL.ini on this computer would name its database: the user's own
    // SQL.ini with an empty SERVER comes first and means the user's database again.
    void ShieldFromTheSystemsSqlIni() const {
        if (!fs::exists("/etc/skedora/SQL.ini")) return;
        fs::create_directories(home_ / "config/skedora");
        std::ofstream(home_ / "config/skedora/SQL.ini") << "[DATABASE]\nSERVER=\n";
    }

    static inline fs::path folder_;
    static inline fs::path deb_;
    static inline fs::path root_;
    static inline std::string problem_;
    static inline std::error_code error_;
    fs::path home_;
};

TEST_F(Package, HoldsTheInstalledTreeAndNamesWhatItNeeds) {
    const std::string arch = Trimmed(RunCommand("dpkg --print-architecture").output);
    EXPECT_EQ(deb_.filename().string(), "skedora_" SKEDORA_VERSION "_" + arch + ".deb");
    for (const char* path :
         {"bin/skedora", "share/applications/skedora.desktop",
          "share/icons/hicolor/scalable/apps/skedora.svg",
          "share/icons/hicolor/48x48/apps/skedora.png",
          "share/icons/hicolor/256x256/apps/skedora.png",
          "share/metainfo/org.skedora.skedora.metainfo.xml", "share/skedora/schema.sql",
          "share/man/man1/skedora.1.gz", "share/doc/skedora/README.md",
          "share/doc/skedora/changelog.gz", "share/doc/skedora/copyright"})
        EXPECT_TRUE(fs::is_regular_file(Installed(path))) << path;
    // Found by dpkg-shlibdeps, and what the executable loads at run time.
    const std::string depends = RunCommand("dpkg-deb -f " + deb_.string() + " Depends").output;
    for (const char* package :
         {"libqt6widgets6", "libc6", "libfbclient2", "firebird3.0-server-core"})
        EXPECT_NE(depends.find(package), std::string::npos) << package << " in " << depends;
}

TEST_F(Package, LintianFindsNoError) {
    if (!Have("lintian")) GTEST_SKIP() << "lintian is not installed";
    const CommandResult result = RunCommand("lintian --fail-on error " + deb_.string() + " 2>&1");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output.find("\nE: "), std::string::npos) << result.output;
    EXPECT_NE(result.output.rfind("E: ", 0), 0u) << result.output;
}

TEST_F(Package, DesktopEntryAndAppStreamMetadataValidate) {
    if (!Have("desktop-file-validate") || !Have("appstreamcli"))
        GTEST_SKIP() << "desktop-file-validate or appstreamcli is not installed";
    const CommandResult desktop =
        RunCommand("desktop-file-validate " +
                   Installed("share/applications/skedora.desktop").string() + " 2>&1");
    EXPECT_EQ(desktop.exitCode, 0) << desktop.output;
    EXPECT_EQ(desktop.output, "");
    const CommandResult metainfo =
        RunCommand("appstreamcli validate --no-net " +
                   Installed("share/metainfo/org.skedora.skedora.metainfo.xml").string() + " 2>&1");
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo.output;
}

TEST_F(Package, FirstStartCreatesTheUsersDatabaseAndTheSecondOpensIt) {
    ShieldFromTheSystemsSqlIni();
    const CommandResult first = Start();
    EXPECT_EQ(first.exitCode, 128 + 9) << "the window should stay up: " << first.output;
    EXPECT_EQ(first.output.find("DIALOG"), std::string::npos) << first.output;
    ASSERT_TRUE(fs::is_regular_file(UsersDatabase()));
    EXPECT_FALSE(fs::exists(UsersDatabase().string() + ".part"));
    EXPECT_TRUE(fs::is_directory(home_ / "run/firebird")) << "the user's own engine lock";

    struct stat before {};
    ::stat(UsersDatabase().c_str(), &before);
    const CommandResult second = Start();
    EXPECT_EQ(second.exitCode, 128 + 9) << second.output;
    EXPECT_EQ(second.output.find("DIALOG"), std::string::npos) << second.output;
    struct stat after {};
    ::stat(UsersDatabase().c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the database was made again";
}

TEST_F(Package, SqlIniInTheUsersConfigFolderNamesAnotherDatabase) {
    TempDatabase other;
    fs::create_directories(home_ / "config/skedora");
    std::ofstream(home_ / "config/skedora/SQL.ini")
        << "[DATABASE]\nSERVER=" << other.Path() << "\n";
    const CommandResult result = Start();
    EXPECT_EQ(result.exitCode, 128 + 9) << result.output;
    EXPECT_EQ(result.output.find("DIALOG"), std::string::npos) << "attached: " << result.output;
    EXPECT_FALSE(fs::exists(UsersDatabase())) << "the user's own database is not needed";
}

} // namespace
