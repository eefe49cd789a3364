// A client library for tests: every entry point the access layer binds passes the call to the real
// client library, and a chosen call fails with a chosen status code once it has been made N times.
// Chosen through SKEDORA_FAULT_CALL (an entry point's name, or * for every call that reports a
// status), SKEDORA_FAULT_CODE, SKEDORA_FAULT_AFTER and SKEDORA_FAULT_TIMES (0: every later call),
// or through the control functions in FaultClient.h.
#include "support/FaultClient.h"

#include "db/ClientEntries.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <ibase.h>
#include <mutex>
#include <string>

namespace {
struct Fault {
    std::string call;
    ISC_STATUS code = 0;
    long after = 0;
    long times = 0;
    long seen = 0;
    long failed = 0;
};

long EnvironmentNumber(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::strtol(value, nullptr, 10) : 0;
}

Fault FromEnvironment() {
    Fault fault;
    const char* call = std::getenv("SKEDORA_FAULT_CALL");
    fault.call = call ? call : "";
    fault.code = EnvironmentNumber("SKEDORA_FAULT_CODE");
    fault.after = EnvironmentNumber("SKEDORA_FAULT_AFTER");
    fault.times = EnvironmentNumber("SKEDORA_FAULT_TIMES");
    return fault;
}

std::mutex& FaultLock() {
    static std::mutex lock;
    return lock;
}

Fault& Configured() {
    static Fault fault = FromEnvironment();
    return fault;
}

void* RealLibrary() {
    static void* const handle = [] {
        const char* name = std::getenv("SKEDORA_FAULT_REAL_LIBRARY");
        void* library = dlopen(name && *name ? name : "libfbclient.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library) std::abort();
        return library;
    }();
    return handle;
}

template <class Entry> Entry Real(const char* name) {
    void* entry = dlsym(RealLibrary(), name);
    if (!entry) std::abort();
    return reinterpret_cast<Entry>(entry);
}

// True when this call is to fail.
bool Failing(const char* call) {
    std::lock_guard<std::mutex> guard(FaultLock());
    Fault& fault = Configured();
    if (fault.code == 0 || (fault.call != "*" && fault.call != call)) return false;
    if (fault.seen++ < fault.after) return false;
    if (fault.times > 0 && fault.failed >= fault.times) return false;
    ++fault.failed;
    return true;
}

ISC_STATUS Fail(ISC_STATUS* status) {
    std::lock_guard<std::mutex> guard(FaultLock());
    status[0] = isc_arg_gds;
    status[1] = Configured().code;
    status[2] = isc_arg_end;
    return status[1];
}

// ---- Actions before a call ----

struct CallHook {
    std::string call;
    long after = 0;
    void (*action)() = nullptr;
    long seen = 0;
};

CallHook& ConfiguredHook() {
    static CallHook hook;
    return hook;
}

// Runs outside the lock: the action may take its time, or make calls of its own.
void RunHookBefore(const char* call) {
    void (*action)() = nullptr;
    {
        std::lock_guard<std::mutex> guard(FaultLock());
        CallHook& hook = ConfiguredHook();
        if (!hook.action || hook.call != call || hook.seen++ != hook.after) return;
        action = hook.action;
    }
    action();
}

enum class Handles { Keeps, Releases };

// Passes a call to the real library. Only a call that reports in a status vector can fail.
template <class Entry, ClientEntryName Name, Handles handles> struct Pass;

template <class Result, class... Args, ClientEntryName Name, Handles handles>
struct Pass<Result (*)(Args...), Name, handles> {
    static Result Call(Args... args) {
        static const auto real = Real<Result (*)(Args...)>(Name.text);
        return real(args...);
    }
};

// A call that lets a handle go still reaches the real library when it fails, as a client does
// with a dead connection: no handle the real library tracks outlives its holder.
template <class... Args, ClientEntryName Name, Handles handles>
struct Pass<ISC_STATUS (*)(ISC_STATUS*, Args...), Name, handles> {
    static ISC_STATUS Call(ISC_STATUS* status, Args... args) {
        static const auto real = Real<ISC_STATUS (*)(ISC_STATUS*, Args...)>(Name.text);
        RunHookBefore(Name.text);
        if (handles == Handles::Keeps && Failing(Name.text)) return Fail(status);
        const ISC_STATUS result = real(status, args...);
        return handles == Handles::Releases && Failing(Name.text) ? Fail(status) : result;
    }
};

// The names of the events follow the count; the real function reads as many as that says.
template <ClientEntryName Name, Handles handles>
struct Pass<ISC_LONG (*)(ISC_UCHAR**, ISC_UCHAR**, ISC_USHORT, ...), Name, handles> {
    static ISC_LONG Call(ISC_UCHAR** events, ISC_UCHAR** results, ISC_USHORT count, ...) {
        static const auto real = Real<decltype(&::isc_event_block)>(Name.text);
        constexpr int kMostEvents = 15;
        const char* names[kMostEvents] = {};
        std::va_list arguments;
        va_start(arguments, count);
        for (int i = 0; i < count && i < kMostEvents; ++i)
            names[i] = va_arg(arguments, const char*);
        va_end(arguments);
        return real(events, results, count, names[0], names[1], names[2], names[3], names[4],
                    names[5], names[6], names[7], names[8], names[9], names[10], names[11],
                    names[12], names[13], names[14]);
    }
};
} // namespace

// A function cannot be defined from its type alone, so each entry point is an indirect function:
// its resolver hands the loader the Pass made for the entry point's type.
#define SKEDORA_FAULT_ENTRY(name, handles)                                                         \
    extern "C"                                                                                     \
        __attribute__((visibility("hidden"))) decltype(&::name) skedora_fault_resolve_##name() {   \
        return &Pass<decltype(&::name), #name, Handles::handles>::Call;                            \
    }                                                                                              \
    extern "C" decltype(::name) name __attribute__((ifunc("skedora_fault_resolve_" #name)));

// Naming a deprecated entry point (isc_interprete) to pass it on is not a use of it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
SKEDORA_CLIENT_BASE_ENTRIES(SKEDORA_FAULT_ENTRY)
SKEDORA_CLIENT_VERSION6_ENTRIES(SKEDORA_FAULT_ENTRY)
#pragma GCC diagnostic pop

extern "C" void skedora_fault_set(const char* call, long code, long after, long times) {
    std::lock_guard<std::mutex> guard(FaultLock());
    Configured() = Fault{call ? call : "", code, after, times, 0, 0};
}

extern "C" void skedora_fault_clear() {
    skedora_fault_set(nullptr, 0, 0, 0);
}

extern "C" long skedora_fault_count() {
    std::lock_guard<std::mutex> guard(FaultLock());
    return Configured().failed;
}

extern "C" void skedora_fault_on_call(const char* call, long after, void (*action)()) {
    std::lock_guard<std::mutex> guard(FaultLock());
    ConfiguredHook() = CallHook{call ? call : "", after, action, 0};
}

extern "C" long skedora_fault_seen() {
    std::lock_guard<std::mutex> guard(FaultLock());
    return Configured().seen;
}
