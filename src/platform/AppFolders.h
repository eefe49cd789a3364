#pragma once

#include <optional>
#include <string>

// The places of Skedora's own files outside its build folder, by the XDG base directory rules: a
// variable that is unset, empty or not an absolute path gives its default under the home folder.
// Every folder is returned with its trailing path separator; none is created here.

// $XDG_DATA_HOME/skedora/ (~/.local/share/skedora/): the user's database and recovery files.
std::string UserDataFolder();
// $XDG_CONFIG_HOME/skedora/ (~/.config/skedora/): the user's SQL.ini and settings.
std::string UserConfigFolder();
// UserConfigFolder() + "skedora.conf": the one settings file.
std::string SettingsFilePath();
// /etc/skedora/: the SQL.ini an administrator gives every user of the computer.
std::string SystemConfigFolder();

// The shared files of an installed layout, <prefix>/share/skedora/, when the executable's folder
// (with its trailing separator) is <prefix>/bin/, that folder exists and the executable's folder
// holds neither SQL.ini nor KORVEN.FDB; nothing for any other layout (a build folder).
std::optional<std::string> InstalledDataFolder(const std::string& executableFolder);

// Gives the embedded database engine a lock folder of this user's own, FIREBIRD_LOCK =
// $XDG_RUNTIME_DIR/firebird (or /tmp/firebird-<uid> without a runtime folder), unless
// FIREBIRD_LOCK is already set. The engine reads it when it starts: call this before the client
// library is loaded and before any thread runs. Returns the folder in use, or empty when the
// variable was set already.
std::string UsePerUserEngineLock();
