#include "platform/DynamicLibrary.h"
#include "platform/Exceptions.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

namespace {

TEST(EOSError, CarriesTheCodeAndTheSystemText) {
    const EOSError error(2, "The system cannot find the file specified");
    EXPECT_EQ(error.Message(),
              "System Error.  Code: 2.\r\nThe system cannot find the file specified");
    EXPECT_EQ(error.ErrorCode(), 2);
    EXPECT_STREQ(error.ClassName(), "EOSError");
}

TEST(DynamicLibrary, AMissingLibraryLoadsAsNothing) {
    EXPECT_EQ(DynamicLibrary::Load("libskedora_no_such_library.so"), nullptr);
}

TEST(DynamicLibrary, FindsEntryPointsAndRaisesForAMissingOne) {
    const auto library = DynamicLibrary::Load("libm.so.6");
    ASSERT_NE(library, nullptr);
    EXPECT_NE(library->Require("cos"), nullptr);
    EXPECT_EQ(library->Find("skedora_no_such_entry"), nullptr);
    const auto error = RaisedBy<EOSError>([&] { library->Require("skedora_no_such_entry"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorCode(), 127);
    EXPECT_EQ(error->Message().rfind("System Error.  Code: 127.\r\n", 0), 0u) << error->Message();
    EXPECT_NE(error->Message().find("skedora_no_such_entry"), std::string::npos);
}

} // namespace
