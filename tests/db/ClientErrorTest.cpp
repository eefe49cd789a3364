#include "db/ClientApi.h"
#include "db/IBErrors.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

namespace {
template <class... Args> std::string RaisedText(ClientError error, const Args&... args) {
    const auto raised = RaisedBy<EIBClientError>([&] { RaiseClientError(error, args...); });
    if (!raised) return "no error";
    EXPECT_EQ(raised->SqlCode(), static_cast<int>(error));
    return raised->Message();
}
} // namespace

TEST(ClientErrors, TextsWithArguments) {
    EXPECT_EQ(RaisedText(ClientError::LibraryNotFound, std::string("gds32.dll")),
              "InterBase library gds32.dll not found in the path. Please install InterBase to "
              "use this functionality");
    EXPECT_EQ(RaisedText(ClientError::StringTooLong, 12, 10),
              "Trying to store a string of length 12 into a field that can only contain 10");
    EXPECT_EQ(RaisedText(ClientError::SqlParseError, "Parameter name expected"),
              "SQL Parse Error:\r\n\r\nParameter name expected");
    EXPECT_EQ(RaisedText(ClientError::FieldNotFound, "NID"), "Field \"NID\" not found");
    EXPECT_EQ(RaisedText(ClientError::DatabaseClosed),
              "Cannot perform operation -- DB is not open");
    EXPECT_STREQ(ClientErrorText(static_cast<ClientError>(2)), "Unknown error");
}

TEST(StatusVectorScan, ComparesOnlyErrorCodeAndNumberClusters) {
    const ISC_STATUS lost = kLostConnectionCode;
    const ISC_STATUS asError[] = {isc_arg_gds, 335544721, isc_arg_gds, lost, isc_arg_end};
    const ISC_STATUS asNumber[] = {isc_arg_gds, 335544721, isc_arg_number, lost, isc_arg_end};
    EXPECT_TRUE(StatusVectorHas(asError, lost));
    EXPECT_TRUE(StatusVectorHas(asNumber, lost));

    // A string pointer or a counted string's length that happens to equal the code is no code.
    const ISC_STATUS asString[] = {isc_arg_gds, 1, isc_arg_string, lost, isc_arg_end};
    const ISC_STATUS countedLength[] = {isc_arg_gds, 1, isc_arg_cstring, lost, 0, isc_arg_end};
    EXPECT_FALSE(StatusVectorHas(asString, lost));
    EXPECT_FALSE(StatusVectorHas(countedLength, lost));

    // A counted string is three entries long: the cluster after it is still found.
    const ISC_STATUS afterCounted[] = {isc_arg_cstring, 3, 0, isc_arg_gds, lost, isc_arg_end};
    EXPECT_TRUE(StatusVectorHas(afterCounted, lost));

    // The walk stops at the end marker.
    const ISC_STATUS afterEnd[] = {isc_arg_gds, 1, isc_arg_end, lost, 0};
    EXPECT_FALSE(StatusVectorHas(afterEnd, lost));
}

TEST(ClientLibraryBinding, Version5SubstitutesRaiseClientError3) {
    ClientLibrary api;
    BindVersion5Substitutes(api);
    EXPECT_EQ(api.ClientVersion, 5);
    const auto error =
        RaisedBy<EIBClientError>([&] { api.isc_encode_timestamp(nullptr, nullptr); });
    ASSERT_TRUE(error) << "the substitute returned";
    EXPECT_EQ(error->SqlCode(), static_cast<int>(ClientError::NeedsVersion6));
    EXPECT_EQ(error->Message(), "isc_encode_sql_timestamp is an InterBase 6 function. Please "
                                "upgrade to InterBase 6 to use this functonality");
    EXPECT_THROW(api.isc_rollback_retaining(nullptr, nullptr), EIBClientError);
    EXPECT_EQ(ErrorOf<EIBClientError>([&] {
                  api.isc_service_query(nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr, 0,
                                        nullptr);
              }).substr(0, 21),
              "isc_service_query is ");
}

TEST(ClientLibraryBinding, BindsVersion6) {
    EXPECT_EQ(LoadClientLibrary().ClientVersion, 6);
    EXPECT_EQ(&LoadClientLibrary(), &LoadClientLibrary());
}
