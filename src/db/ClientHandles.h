#pragma once

// Private to the access layer: owners of the client library's handles.
#include <utility>

#include "db/ClientApi.h"

// A handle of the client library; 0 while none is held. Move-only.
class ClientHandle {
public:
    ClientHandle(const ClientHandle&) = delete;
    ClientHandle& operator=(const ClientHandle&) = delete;

    // For the client calls that fill or clear the handle.
    FB_API_HANDLE* Ptr() { return &handle_; }
    bool Held() const { return handle_ != 0; }
    // Drops the handle without a client call, when the library has already let it go.
    void Forget() { handle_ = 0; }

protected:
    ClientHandle() = default;
    ClientHandle(ClientHandle&& other) noexcept : handle_(std::exchange(other.handle_, 0)) {}
    ~ClientHandle() = default;

    FB_API_HANDLE handle_ = 0;
};

// An attachment; one still held when the owner goes is detached, failures ignored.
class DatabaseHandle : public ClientHandle {
public:
    DatabaseHandle() = default;
    DatabaseHandle(DatabaseHandle&& other) noexcept = default;
    DatabaseHandle& operator=(DatabaseHandle&& other) noexcept;
    ~DatabaseHandle();

private:
    void Release() noexcept;
};

// A server transaction; one still held when the owner goes is rolled back, failures ignored.
class TransactionHandle : public ClientHandle {
public:
    TransactionHandle() = default;
    TransactionHandle(TransactionHandle&& other) noexcept = default;
    TransactionHandle& operator=(TransactionHandle&& other) noexcept;
    ~TransactionHandle();

private:
    void Release() noexcept;
};
