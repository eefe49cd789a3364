// Status vectors as a failed client call leaves them, of every argument kind the client writes,
// raised as the access layer's errors: the text through the client library, the lost-connection
// check over the clusters.
#include "db/ClientApi.h"
#include "db/IBErrors.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr ISC_STATUS kKinds[] = {
    isc_arg_gds,  isc_arg_string, isc_arg_cstring, isc_arg_number,    isc_arg_interpreted,
    isc_arg_unix, isc_arg_win32,  isc_arg_warning, isc_arg_sql_state, isc_arg_next_mach,
};
constexpr ISC_STATUS kConnectionCodes[] = {kLostConnectionCode, isc_net_read_err,
                                           isc_net_write_err};
constexpr ISC_STATUS kCodeMask = 0x14000000;
// Entries past the end: a pointer no reader may follow.
constexpr ISC_STATUS kPoison = 1;

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "status vector: %s\n", what);
    std::abort();
}

// Mostly codes with a message of their own (a facility and a number within it), some of them
// those of a lost connection, and now and then any value at all.
ISC_STATUS Code(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return input.PickValueInArray(kConnectionCodes);
    case 1:
        return input.ConsumeIntegral<ISC_STATUS>();
    default:
        return kCodeMask | input.ConsumeIntegralInRange<ISC_STATUS>(0, 31) << 16 |
               input.ConsumeIntegralInRange<ISC_STATUS>(0, 1023);
    }
}

// The decoded vector, with the texts its arguments point at.
class Vector {
public:
    explicit Vector(FuzzedDataProvider& input) {
        entries_[0] = isc_arg_gds;
        entries_[1] = Code(input);
        lost_ = IsConnectionCode(entries_[1]);
        int at = 2;
        while (input.remaining_bytes() > 0) {
            const ISC_STATUS kind = input.PickValueInArray(kKinds);
            if (at + (kind == isc_arg_cstring ? 3 : 2) >= ISC_STATUS_LENGTH) break;
            entries_[at++] = kind;
            at = Argument(input, kind, at);
        }
        entries_[at++] = isc_arg_end;
        for (; at < ISC_STATUS_LENGTH; ++at)
            entries_[at] = at % 2 ? kPoison : isc_arg_string;
    }

    const ISC_STATUS* Entries() const { return entries_; }
    bool Lost() const { return lost_; }

private:
    int Argument(FuzzedDataProvider& input, ISC_STATUS kind, int at) {
        switch (kind) {
        case isc_arg_gds:
        case isc_arg_warning:
        case isc_arg_number:
            entries_[at] = Code(input);
            lost_ = lost_ || (kind != isc_arg_warning && IsConnectionCode(entries_[at]));
            return at + 1;
        case isc_arg_string:
        case isc_arg_interpreted:
        case isc_arg_sql_state:
            entries_[at] = Text(input.ConsumeRandomLengthString(64));
            return at + 1;
        case isc_arg_cstring:
            return CountedText(input.ConsumeRandomLengthString(64), at);
        default:
            entries_[at] = input.ConsumeIntegral<ISC_STATUS>();
            return at + 1;
        }
    }

    static bool IsConnectionCode(ISC_STATUS code) {
        for (const ISC_STATUS lost : kConnectionCodes)
            if (code == lost) return true;
        return false;
    }

    ISC_STATUS Text(const std::string& text) {
        texts_.push_back(std::make_unique<std::string>(text));
        return reinterpret_cast<ISC_STATUS>(texts_.back()->c_str());
    }

    // Exactly the counted bytes, so that reading one more is caught.
    int CountedText(const std::string& text, int at) {
        blocks_.push_back(std::make_unique<char[]>(text.size()));
        text.copy(blocks_.back().get(), text.size());
        entries_[at] = static_cast<ISC_STATUS>(text.size());
        entries_[at + 1] = reinterpret_cast<ISC_STATUS>(blocks_.back().get());
        return at + 2;
    }

    ISC_STATUS entries_[ISC_STATUS_LENGTH] = {};
    std::vector<std::unique_ptr<std::string>> texts_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    bool lost_ = false;
};

// Raised as every failed client call is; anything but EIBInterBaseError escapes and fails.
void RequireRaised(const Vector& vector) {
    std::copy_n(vector.Entries(), ISC_STATUS_LENGTH, StatusVector());
    try {
        RaiseStatusError();
    } catch (const EIBInterBaseError& error) {
        Require(error.IBErrorCode() == static_cast<int>(vector.Entries()[1]), "the error code");
        Require(error.Message().find('\0') == std::string::npos, "a NUL in the text");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LoadClientLibrary();
    FuzzedDataProvider input(data, size);
    const Vector vector(input);
    Require(ConnectionLost(vector.Entries()) == vector.Lost(), "the lost-connection check");
    RequireRaised(vector);
    return 0;
}
