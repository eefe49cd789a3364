#include "db/ClientHandles.h"

// The owners end handles through the status check; these releases only catch a handle an
// owner failed to end, so there is nobody left to report a failure to.

DatabaseHandle& DatabaseHandle::operator=(DatabaseHandle&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, 0);
    }
    return *this;
}

DatabaseHandle::~DatabaseHandle() { Release(); }

void DatabaseHandle::Release() noexcept {
    if (!Held()) return;
    ISC_STATUS_ARRAY status;
    LoadClientLibrary().isc_detach_database(status, &handle_);
    handle_ = 0;
}

TransactionHandle& TransactionHandle::operator=(TransactionHandle&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, 0);
    }
    return *this;
}

TransactionHandle::~TransactionHandle() { Release(); }

void TransactionHandle::Release() noexcept {
    if (!Held()) return;
    ISC_STATUS_ARRAY status;
    LoadClientLibrary().isc_rollback_transaction(status, &handle_);
    handle_ = 0;
}
