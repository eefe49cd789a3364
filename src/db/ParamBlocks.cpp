#include "db/ParamBlocks.h"

#include "db/IBErrors.h"
#include "platform/Conversions.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

namespace {
// How a parameter travels in a block.
enum class Kind {
    Unsupported,
    Text,      // code, length, bytes
    Dialect,   // as Text, the first character turned into its digit's value
    Byte,      // code, 1, the value as an integer
    Sweep,     // code, 1, 2
    Zero,      // code, 1, 0
    FourBytes, // code, 4, the value as a little-endian integer
    Flag,      // code
};

struct StandardName {
    std::string_view name;
    Kind kind;
};

// The standard isc_dpb_ names; the code is the position counted from 1.
constexpr StandardName kDatabaseParams[] = {
    {"cdd_pathname", Kind::Unsupported},
    {"allocation", Kind::Unsupported},
    {"journal", Kind::Unsupported},
    {"page_size", Kind::Unsupported},
    {"num_buffers", Kind::Byte},
    {"buffer_length", Kind::Unsupported},
    {"debug", Kind::Unsupported},
    {"garbage_collect", Kind::Unsupported},
    {"verify", Kind::Byte},
    {"sweep", Kind::Sweep},
    {"enable_journal", Kind::Unsupported},
    {"disable_journal", Kind::Unsupported},
    {"dbkey_scope", Kind::Byte},
    {"number_of_users", Kind::Unsupported},
    {"trace", Kind::Unsupported},
    {"no_garbage_collect", Kind::Unsupported},
    {"damaged", Kind::Byte},
    {"license", Kind::Text},
    {"sys_user_name", Kind::Text},
    {"encrypt_key", Kind::Text},
    {"activate_shadow", Kind::Zero},
    {"sweep_interval", Kind::FourBytes},
    {"delete_shadow", Kind::Zero},
    {"force_write", Kind::Byte},
    {"begin_log", Kind::Zero},
    {"quit_log", Kind::Zero},
    {"no_reserve", Kind::Byte},
    {"user_name", Kind::Text},
    {"password", Kind::Text},
    {"password_enc", Kind::Text},
    {"sys_user_name_enc", Kind::Unsupported},
    {"interp", Kind::Unsupported},
    {"online_dump", Kind::Unsupported},
    {"old_file_size", Kind::Unsupported},
    {"old_num_files", Kind::Unsupported},
    {"old_file", Kind::Unsupported},
    {"old_start_page", Kind::Unsupported},
    {"old_start_seqno", Kind::Unsupported},
    {"old_start_file", Kind::Unsupported},
    {"drop_walfile", Kind::Unsupported},
    {"old_dump_id", Kind::Unsupported},
    {"wal_backup_dir", Kind::Unsupported},
    {"wal_chkptlen", Kind::Unsupported},
    {"wal_numbufs", Kind::Unsupported},
    {"wal_bufsize", Kind::Unsupported},
    {"wal_grp_cmt_wait", Kind::Unsupported},
    {"lc_messages", Kind::Text},
    {"lc_ctype", Kind::Text},
    {"cache_manager", Kind::Unsupported},
    {"shutdown", Kind::Unsupported},
    {"online", Kind::Unsupported},
    {"shutdown_delay", Kind::Unsupported},
    {"reserved", Kind::Unsupported},
    {"overwrite", Kind::Unsupported},
    {"sec_attach", Kind::Unsupported},
    {"disable_wal", Kind::Unsupported},
    {"connect_timeout", Kind::Unsupported},
    {"dummy_packet_interval", Kind::Unsupported},
    {"gbak_attach", Kind::Unsupported},
    {"sql_role_name", Kind::Text},
    {"set_page_buffers", Kind::Unsupported},
    {"working_directory", Kind::Unsupported},
    {"sql_dialect", Kind::Dialect},
    {"set_db_readonly", Kind::Unsupported},
    {"set_db_sql_dialect", Kind::Unsupported},
    {"gfix_attach", Kind::Unsupported},
    {"gstat_attach", Kind::Unsupported},
};
static_assert(std::size(kDatabaseParams) == 67);

// The standard isc_tpb_ names; the code is the position counted from 1.
constexpr StandardName kTransactionParams[] = {
    {"consistency", Kind::Flag},
    {"concurrency", Kind::Flag},
    {"shared", Kind::Flag},
    {"protected", Kind::Flag},
    {"exclusive", Kind::Flag},
    {"wait", Kind::Flag},
    {"nowait", Kind::Flag},
    {"read", Kind::Flag},
    {"write", Kind::Flag},
    {"lock_read", Kind::Text},
    {"lock_write", Kind::Text},
    {"verb_time", Kind::Unsupported},
    {"commit_time", Kind::Unsupported},
    {"ignore_limbo", Kind::Flag},
    {"read_committed", Kind::Flag},
    {"autocommit", Kind::Unsupported},
    {"rec_version", Kind::Flag},
    {"no_rec_version", Kind::Flag},
    {"restart_requests", Kind::Unsupported},
    {"no_auto_undo", Kind::Unsupported},
    {"lock_timeout", Kind::FourBytes},
};
static_assert(std::size(kTransactionParams) == 21);

constexpr char kDatabaseParamVersion = 1;
constexpr char kTransactionParamVersion = 3;

std::string LowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The name as looked up: lower-cased, without the prefix.
std::string StandardForm(const std::string& writtenName, std::string_view prefix) {
    std::string name = LowerCase(writtenName);
    if (name.starts_with(prefix)) name.erase(0, prefix.size());
    return name;
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
}

// 1-based code of a standard name, 0 when unknown.
template <std::size_t N> int CodeOf(const StandardName (&names)[N], std::string_view name) {
    const auto found = std::find_if(std::begin(names), std::end(names),
                                    [&](const StandardName& entry) { return entry.name == name; });
    return found == std::end(names) ? 0 : static_cast<int>(found - std::begin(names)) + 1;
}

constexpr std::size_t kMaxValueLength = 255;

// The length travels in one byte; a longer value would be cut and the block misread.
void AppendText(std::string& block, int code, const std::string& name, const std::string& value) {
    if (value.size() > kMaxValueLength)
        RaiseClientError(ClientError::ParamValueTooLong, name, static_cast<int>(value.size()));
    block += static_cast<char>(code);
    block += static_cast<char>(value.size());
    block += value;
}

void AppendInteger(std::string& block, int code, int value, int bytes) {
    block += static_cast<char>(code);
    block += static_cast<char>(bytes);
    for (int i = 0; i < bytes; ++i)
        block += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The dialect travels as a binary digit, not as its character.
std::string DialectValue(std::string value) {
    if (!value.empty()) value[0] = static_cast<char>(value[0] - '0');
    return value;
}

// Client error `unsupported` for a known name this block cannot carry.
void Append(std::string& block, int code, Kind kind, const std::string& name,
            const std::string& value, ClientError unsupported) {
    switch (kind) {
    case Kind::Text:
        return AppendText(block, code, name, value);
    case Kind::Dialect:
        return AppendText(block, code, name, DialectValue(value));
    case Kind::Byte:
        return AppendInteger(block, code, StrToInt(value), 1);
    case Kind::Sweep:
        return AppendInteger(block, code, 2, 1);
    case Kind::Zero:
        return AppendInteger(block, code, 0, 1);
    case Kind::FourBytes:
        return AppendInteger(block, code, StrToInt(value), 4);
    case Kind::Flag:
        block += static_cast<char>(code);
        return;
    case Kind::Unsupported:
        RaiseClientError(unsupported, name);
    }
}
} // namespace

std::string BuildDatabaseParamBlock(const std::vector<std::string>& lines) {
    std::string block(1, kDatabaseParamVersion);
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || IsBlank(line.substr(0, equals))) continue;
        const std::string writtenName = line.substr(0, equals);
        const std::string name = StandardForm(writtenName, "isc_dpb_");
        const int code = CodeOf(kDatabaseParams, name);
        if (code == 0) RaiseClientError(ClientError::DpbConstantUnknown, writtenName);
        Append(block, code, kDatabaseParams[code - 1].kind, name, line.substr(equals + 1),
               ClientError::DpbConstantUnsupported);
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
        const std::string name = StandardForm(writtenName, "isc_tpb_");
        const int code = CodeOf(kTransactionParams, name);
        if (code == 0) RaiseClientError(ClientError::TpbConstantUnknown, writtenName);
        const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        Append(block, code, kTransactionParams[code - 1].kind, name, value,
               ClientError::TpbConstantUnsupported);
    }
    return block;
}
