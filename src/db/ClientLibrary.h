#pragma once

// The client library's entry points; complete only inside the access layer (db/ClientApi.h).
struct ClientLibrary;

// Binds the client library on the first call of the process; every access-layer object calls
// it when constructed. A missing library raises client error LibraryNotFound naming the file tried,
// a missing entry point EOSError; a failed load is tried again on the next call.
ClientLibrary& LoadClientLibrary();
