#include "db/SQLParser.h"

#include "db/IBErrors.h"

namespace {
bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$';
}

[[noreturn]] void ParseError(const char* what) {
    RaiseClientError(ClientError::SqlParseError, what);
}

// One pass with one character of look-ahead; the look-ahead past the end is '\0'.
class Preprocessor {
public:
    explicit Preprocessor(const std::string& sql) : sql_(sql) { result_.text.reserve(sql.size()); }

    PreprocessedSQL Run() {
        while (i_ < sql_.size()) {
            switch (state_) {
            case State::Default:
                Default();
                break;
            case State::Comment:
                Comment();
                break;
            case State::Quoted:
                Quoted();
                break;
            case State::Name:
                Name();
                break;
            }
        }
        return std::move(result_);
    }

private:
    enum class State { Default, Comment, Quoted, Name };

    char Current() const { return sql_[i_]; }
    char Next() const { return i_ + 1 < sql_.size() ? sql_[i_ + 1] : '\0'; }
    void Copy() { result_.text += sql_[i_++]; }

    void Default() {
        const char c = Current();
        if (c == '\'' || c == '"') {
            quote_ = c;
            state_ = State::Quoted;
        } else if (c == '/' && Next() == '*') {
            Copy();
            state_ = State::Comment;
        } else if (c == ':' || c == '?') {
            result_.text += '?';
            ++i_;
            state_ = State::Name;
            return;
        }
        Copy();
    }

    void Comment() {
        if (Next() == '\0') ParseError("EOF in comment detected");
        if (Current() == '*' && Next() == '/') state_ = State::Default;
        Copy();
    }

    void Quoted() {
        if (Next() == '\0') ParseError("EOF in string detected");
        if (Current() == quote_) {
            if (Next() == quote_)
                Copy();
            else
                state_ = State::Default;
        }
        Copy();
    }

    // The character that ends a name is copied without being looked at.
    void Name() {
        std::string name;
        if (Current() == '"') {
            const std::size_t close = sql_.find('"', i_ + 1);
            if (close == std::string::npos) ParseError("EOF in string detected");
            name = sql_.substr(i_ + 1, close - i_ - 1);
            i_ = close + 1;
        } else {
            if (!IsNameChar(Current())) ParseError("Parameter name expected");
            const std::size_t start = i_;
            while (i_ < sql_.size() && IsNameChar(sql_[i_]))
                ++i_;
            name = sql_.substr(start, i_ - start);
        }
        if (i_ < sql_.size()) Copy();
        result_.names.push_back(std::move(name));
        state_ = State::Default;
    }

    const std::string& sql_;
    std::size_t i_ = 0;
    State state_ = State::Default;
    char quote_ = '\0';
    PreprocessedSQL result_;
};

bool IsQuote(char c) {
    return c == '\'' || c == '"' || c == '`';
}

bool EndsName(char c) {
    return c == ' ' || c == ',' || c == ';' || c == ')' || c == '\r' || c == '\n';
}

std::string Unquoted(std::string name) {
    if (name.empty() || !IsQuote(name.front())) return name;
    name.erase(0, 1);
    if (!name.empty()) name.pop_back();
    return name;
}
} // namespace

PreprocessedSQL PreprocessSQL(const std::string& sql) {
    return Preprocessor(sql).Run();
}

std::vector<std::string> ScanParamNames(const std::string& sql) {
    std::vector<std::string> names;
    bool inLiteral = false;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i++];
        if (IsQuote(c)) inLiteral = !inLiteral;
        if (inLiteral || c != ':') continue;
        if (i < sql.size() && sql[i] == ':') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < sql.size() && (inLiteral || !EndsName(sql[i]))) {
            if (IsQuote(sql[i])) inLiteral = !inLiteral;
            ++i;
        }
        names.push_back(Unquoted(sql.substr(start, i - start)));
    }
    return names;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}
