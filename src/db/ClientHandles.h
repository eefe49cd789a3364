#pragma once

// Private to the access layer: owners of the client library's handles.
#include "db/ClientApi.h"

#include <utility>

// A handle of the client library, 0 while none is held. The owners end handles through the
// status check; one still held when its holder goes is ended by End (a ClientLibrary member)
// with failures ignored, as nobody is left to hear of them.
template <auto End> class OwnedHandle {
public:
    OwnedHandle() = default;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, 0)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            Release();
            handle_ = std::exchange(other.handle_, 0);
        }
        return *this;
    }
    ~OwnedHandle() { Release(); }

    // For the client calls that fill or clear the handle.
    FB_API_HANDLE* Ptr() { return &handle_; }
    bool Held() const { return handle_ != 0; }
    // Drops the handle without a client call, when the library has already let it go.
    void Forget() { handle_ = 0; }

private:
    void Release() noexcept {
        if (!Held()) return;
        ISC_STATUS_ARRAY status;
        (LoadClientLibrary().*End)(status, &handle_);
        handle_ = 0;
    }

    FB_API_HANDLE handle_ = 0;
};

// An attachment; detached if still held at the end.
class DatabaseHandle : public OwnedHandle<&ClientLibrary::isc_detach_database> {};

// A server transaction; rolled back if still held at the end.
class TransactionHandle : public OwnedHandle<&ClientLibrary::isc_rollback_transaction> {};
