#pragma once

// Control of the fault-injecting client library: the call named (or * for every call that
// reports a status) fails with the status code once it has been made `after` times, `times`
// times in all (0: every later call). Setting starts the counts anew; clearing passes every call.
extern "C" {
void skedora_fault_set(const char* call, long code, long after, long times);
void skedora_fault_clear();
// The calls failed since the fault was set.
long skedora_fault_count();
// The calls the fault was set for that were made since it was set, failed or not: with `after`
// out of reach, the calls of a clean run.
long skedora_fault_seen();
}

// Status codes the tests inject.
constexpr long kFaultConnectionLost = 335544741;
constexpr long kFaultLockConflict = 335544345;
constexpr long kFaultDiskFull = 335544344; // I/O error during a write

// A fault for the lifetime of the scope.
class ScopedFault {
public:
    ScopedFault(const char* call, long code, long after = 0, long times = 0) {
        skedora_fault_set(call, code, after, times);
    }
    ~ScopedFault() { skedora_fault_clear(); }
    ScopedFault(const ScopedFault&) = delete;
    ScopedFault& operator=(const ScopedFault&) = delete;
};

// A hook inside a sequence of calls: `action` runs once, just before the call named is made for
// the (after + 1)-th time since this was set; a null action clears it. The call then goes on.
extern "C" {
void skedora_fault_on_call(const char* call, long after, void (*action)());
}

// An action before a call for the lifetime of the scope.
class ScopedCallHook {
public:
    ScopedCallHook(const char* call, long after, void (*action)()) {
        skedora_fault_on_call(call, after, action);
    }
    ~ScopedCallHook() { skedora_fault_on_call(nullptr, 0, nullptr); }
    ScopedCallHook(const ScopedCallHook&) = delete;
    ScopedCallHook& operator=(const ScopedCallHook&) = delete;
};
