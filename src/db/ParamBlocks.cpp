#include "db/ParamBlocks.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <iterator>
#include <string_view>

#include "db/IBErrors.h"

namespace {
// Indexed by code - 1: the standard isc_dpb_ names.
constexpr std::string_view kDatabaseParamNames[] = {
    "cdd_pathname",      "allocation",      "journal",
    "page_size",         "num_buffers",     "buffer_length",
    "debug",             "garbage_collect", "verify",
    "sweep",             "enable_journal",  "disable_journal",
    "dbkey_scope",       "number_of_users", "trace",
    "no_garbage_collect", "damaged",        "license",
    "sys_user_name",     "encrypt_key",     "activate_shadow",
    "sweep_interval",    "delete_shadow",   "force_write",
    "begin_log",         "quit_log",        "no_reserve",
    "user_name",         "password",        "password_enc",
    "sys_user_name_enc", "interp",          "online_dump",
    "old_file_size",     "old_num_files",   "old_file",
    "old_start_page",    "old_start_seqno", "old_start_file",
    "drop_walfile",      "old_dump_id",     "wal_backup_dir",
    "wal_chkptlen",      "wal_numbufs",     "wal_bufsize",
    "wal_grp_cmt_wait",  "lc_messages",     "lc_ctype",
    "cache_manager",     "shutdown",        "online",
    "shutdown_delay",    "reserved",        "overwrite",
    "sec_attach",        "disable_wal",     "connect_timeout",
    "dummy_packet_interval", "gbak_attach", "sql_role_name",
    "set_page_buffers",  "working_directory", "sql_dialect",
    "set_db_readonly",   "set_db_sql_dialect", "gfix_attach",
    "gstat_attach",
};
static_assert(std::size(kDatabaseParamNames) == 67);

// Indexed by code - 1: the standard isc_tpb_ names.
constexpr std::string_view kTransactionParamNames[] = {
    "consistency",   "concurrency",    "shared",         "protected",      "exclusive",
    "wait",          "nowait",         "read",           "write",          "lock_read",
    "lock_write",    "verb_time",      "commit_time",    "ignore_limbo",   "read_committed",
    "autocommit",    "rec_version",    "no_rec_version", "restart_requests", "no_auto_undo",
};
static_assert(std::size(kTransactionParamNames) == 20);

constexpr char kDatabaseParamVersion = 1;
constexpr char kTransactionParamVersion = 3;
constexpr int kSqlDialectCode = 63;
constexpr int kSweepCode = 10;
constexpr int kSweepIntervalCode = 22;
constexpr int kLockReadCode = 10;
constexpr int kLockWriteCode = 11;

std::string LowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string WithoutPrefix(std::string name, std::string_view prefix) {
    if (name.starts_with(prefix)) name.erase(0, prefix.size());
    return name;
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
}

// 1-based code of a standard name, 0 when unknown.
template <std::size_t N>
int CodeOf(const std::string_view (&names)[N], const std::string& name) {
    const auto found = std::find(std::begin(names), std::end(names), name);
    return found == std::end(names) ? 0 : static_cast<int>(found - std::begin(names)) + 1;
}

bool IsDecimalInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == text.size()) return false;
    return std::all_of(text.begin() + i, text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

int StrToInt(const std::string& text) {
    if (IsDecimalInteger(text)) {
        const long long value = std::strtoll(text.c_str(), nullptr, 10);
        if (value >= INT_MIN && value <= INT_MAX) return static_cast<int>(value);
    }
    throw EConvertError(Format("'%s' is not a valid integer value", text.c_str()));
}

void AppendText(std::string& block, int code, const std::string& value) {
    block += static_cast<char>(code);
    block += static_cast<char>(value.size());
    block += value;
}

void AppendLittleEndian(std::string& block, int code, int value, int bytes) {
    block += static_cast<char>(code);
    block += static_cast<char>(bytes);
    for (int i = 0; i < bytes; ++i) block += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The dialect travels as a binary digit, not as its character.
std::string DialectValue(std::string value) {
    if (!value.empty()) value[0] = static_cast<char>(value[0] - '0');
    return value;
}

void AppendDatabaseParam(std::string& block, int code, const std::string& name,
                         const std::string& value) {
    switch (code) {
    // license, sys_user_name, encrypt_key, user_name, password, password_enc, lc_messages,
    // lc_ctype, sql_role_name
    case 18: case 19: case 20: case 28: case 29: case 30: case 47: case 48: case 60:
        return AppendText(block, code, value);
    case kSqlDialectCode:
        return AppendText(block, code, DialectValue(value));
    // num_buffers, verify, dbkey_scope, damaged, force_write, no_reserve
    case 5: case 9: case 13: case 17: case 24: case 27:
        return AppendLittleEndian(block, code, StrToInt(value), 1);
    case kSweepCode:
        return AppendLittleEndian(block, code, 2, 1);
    // activate_shadow, delete_shadow, begin_log, quit_log
    case 21: case 23: case 25: case 26:
        return AppendLittleEndian(block, code, 0, 1);
    case kSweepIntervalCode:
        return AppendLittleEndian(block, code, StrToInt(value), 4);
    default:
        RaiseClientError(ClientError::DpbConstantUnsupported, name);
    }
}

void AppendTransactionParam(std::string& block, int code, const std::string& name,
                            const std::string& value) {
    switch (code) {
    // consistency .. write, ignore_limbo, read_committed, rec_version, no_rec_version
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9:
    case 14: case 15: case 17: case 18:
        block += static_cast<char>(code);
        return;
    case kLockReadCode: case kLockWriteCode:
        return AppendText(block, code, value);
    default:
        RaiseClientError(ClientError::TpbConstantUnsupported, name);
    }
}
} // namespace

std::string BuildDatabaseParamBlock(const std::vector<std::string>& lines) {
    std::string block(1, kDatabaseParamVersion);
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || IsBlank(line.substr(0, equals))) continue;
        const std::string writtenName = line.substr(0, equals);
        const std::string name = WithoutPrefix(LowerCase(writtenName), "isc_dpb_");
        const int code = CodeOf(kDatabaseParamNames, name);
        if (code == 0) RaiseClientError(ClientError::DpbConstantUnknown, writtenName);
        AppendDatabaseParam(block, code, name, line.substr(equals + 1));
    }
    return block;
}

std::string BuildTransactionParamBlock(const std::vector<std::string>& lines) {
    if (lines.empty()) return {};
    std::string block(1, kTransactionParamVersion);
    for (const std::string& line : lines) {
        if (IsBlank(line)) continue;
        const std::size_t equals = line.find('=');
        const std::string writtenName = line.substr(0, equals);
        const std::string name = WithoutPrefix(LowerCase(writtenName), "isc_tpb_");
        const int code = CodeOf(kTransactionParamNames, name);
        if (code == 0) RaiseClientError(ClientError::TpbConstantUnknown, writtenName);
        const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        AppendTransactionParam(block, code, name, value);
    }
    return block;
}
