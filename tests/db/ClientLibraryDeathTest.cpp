#include "db/IBDatabase.h"
#include "db/IBErrors.h"
#include "db/IBTransaction.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>

// The binding is made once per process, so each case runs in a fresh child process.

namespace {
// Exit code 0 and the message on stderr when constructing a connection raises Error.
template <class Error> [[noreturn]] void ConstructExpecting() {
    try {
        TIBDatabase database;
    } catch (const Error& error) {
        std::cerr << error.ClassName() << ": " << error.Message() << std::endl;
        std::exit(0);
    } catch (...) {
        std::exit(2);
    }
    std::exit(1);
}
} // namespace

TEST(ClientLibraryDeathTest, MissingLibraryIsClientError1AndIsTriedAgain) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("SKEDORA_CLIENT_LIBRARY", "libskedora-missing-client.so", 1);
            try {
                TIBTransaction transaction;
                std::exit(1);
            } catch (const EIBClientError& error) {
                std::cerr << error.SqlCode() << ": " << error.Message() << std::endl;
            }
            unsetenv("SKEDORA_CLIENT_LIBRARY");
            TIBDatabase database; // the next construction loads the real library
            std::exit(database.Connected() ? 1 : 0);
        },
        testing::ExitedWithCode(0),
        "1: InterBase library libskedora-missing-client.so not found in the path. Please install "
        "InterBase to use this functionality");
}

TEST(ClientLibraryDeathTest, MissingEntryPointIsOperatingSystemError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("SKEDORA_CLIENT_LIBRARY", "libc.so.6", 1);
            ConstructExpecting<EOSError>();
        },
        testing::ExitedWithCode(0), "EOSError: System Error.  Code: 127.\r\n.*BLOB_get");
}
