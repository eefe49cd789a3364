#include "support/xml/XmlScan.h"

#include <cstdint>

namespace {

bool IsDecodeBlank(char c) {
    return c == ' ' || c == '\r' || c == '\n';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Leading spaces, a sign, then decimal digits or hexadecimal ones after 'x', 'X' or '$'.
bool ReadReferenceNumber(std::string_view body, std::int64_t& number) {
    std::size_t i = body.find_first_not_of(' ');
    if (i == std::string_view::npos) return false;
    const bool negative = body[i] == '-';
    if (body[i] == '-' || body[i] == '+') ++i;
    int base = 10;
    if (i < body.size() && (body[i] == 'x' || body[i] == 'X' || body[i] == '$')) base = 16, ++i;
    if (i == body.size()) return false;
    number = 0;
    for (; i < body.size(); ++i) {
        const int digit = base == 16 ? HexDigit(body[i]) : IsDigit(body[i]) ? body[i] - '0' : -1;
        if (digit < 0) return false;
        number = number * base + digit;
        if (number > INT32_MAX) return false;
    }
    if (negative) number = -number;
    return true;
}

bool SameLetters(std::string_view body, const char* lowerName) {
    return body.size() == 2 && (body[0] | 0x20) == lowerName[0] && (body[1] | 0x20) == lowerName[1];
}

// Reference decoding as a byte-at-a-time state machine; a pending reference is held back
// until it resolves or turns out to be plain text.
class Decoder {
public:
    Decoder(bool trimBlanks, std::size_t size) : trim_(trimBlanks) { out_.reserve(size); }

    void Put(char c) {
        if (trim_ && IsDecodeBlank(c) && LastIsBlank()) return;
        switch (state_) {
        case State::Text:
            return PutText(c);
        case State::Ampersand:
            return PutAfterAmpersand(c);
        case State::Reference:
            return PutInReference(c);
        }
    }

    std::string Finish() {
        if (state_ != State::Text) out_ += pending_;
        return std::move(out_);
    }

private:
    enum class State { Text, Ampersand, Reference };

    bool LastIsBlank() const {
        if (state_ != State::Text) return IsDecodeBlank(pending_.back());
        return !out_.empty() && IsDecodeBlank(out_.back());
    }
    void StartReference() {
        pending_ = "&";
        state_ = State::Ampersand;
    }
    void PutText(char c) {
        if (c == '&') return StartReference();
        out_ += c;
    }
    void PutAfterAmpersand(char c) {
        if (c == '#' || IsLetter(c)) {
            pending_ += c;
            state_ = State::Reference;
        } else if (c == '&') {
            out_ += '&';
        } else {
            out_ += '&';
            out_ += c;
            state_ = State::Text;
        }
    }
    void PutInReference(char c) {
        if (IsLetter(c) || IsDigit(c) || IsDecodeBlank(c)) {
            pending_ += c;
            return;
        }
        if (c == ';') {
            Resolve();
        } else {
            out_ += pending_;
            if (c == '&') return StartReference();
            out_ += c;
        }
        state_ = State::Text;
    }
    void Resolve();

    std::string out_;
    std::string pending_;
    State state_ = State::Text;
    bool trim_;
};

void Decoder::Resolve() {
    const std::string_view body = std::string_view(pending_).substr(pending_[1] == '#' ? 2 : 1);
    std::int64_t number;
    if (ReadReferenceNumber(body, number)) {
        if (number >= 0 && number <= 100) out_ += static_cast<char>(number);
        if (number == 232 || number == 233) out_ += static_cast<char>(number);
    } else if (SameLetters(body, "lt")) {
        out_ += '<';
    } else if (SameLetters(body, "gt")) {
        out_ += '>';
    } else {
        out_ += pending_;
        out_ += ';';
    }
}

// True when decoding would return the text unchanged.
bool NeedsNoDecoding(std::string_view text, bool trimBlanks) {
    bool lastBlank = false;
    for (const char c : text) {
        if (c == '&') return false;
        const bool blank = IsDecodeBlank(c);
        if (trimBlanks && blank && lastBlank) return false;
        lastBlank = blank;
    }
    return true;
}

} // namespace

std::string XmlDecodeText(std::string_view text, bool trimBlanks) {
    if (NeedsNoDecoding(text, trimBlanks)) return std::string(text);
    Decoder decoder(trimBlanks, text.size());
    for (const char c : text)
        decoder.Put(c);
    return decoder.Finish();
}

std::string_view XmlDecodeKept(XmlArena& arena, std::string_view text, bool trimBlanks) {
    if (NeedsNoDecoding(text, trimBlanks)) return text;
    return arena.Copy(XmlDecodeText(text, trimBlanks));
}

std::string XmlEncodeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '"' || c == '&' || c == '\'' || c == '<' || c == '>') {
            out += "&#";
            out += std::to_string(static_cast<int>(c));
            out += ';';
        } else {
            out += c;
        }
    }
    return out;
}
