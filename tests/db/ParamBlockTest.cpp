#include "DbTestSupport.h"
#include "db/IBErrors.h"
#include "db/ParamBlocks.h"

#include <gtest/gtest.h>

namespace {
std::string Bytes(std::initializer_list<int> bytes) {
    std::string block;
    for (int b : bytes)
        block += static_cast<char>(b);
    return block;
}

template <class Error>
std::string MessageOf(const std::vector<std::string>& lines,
                      std::string (*build)(const std::vector<std::string>&)) {
    return ErrorOf<Error>([&] { build(lines); });
}
} // namespace

TEST(DatabaseParamBlock, ApplicationLines) {
    EXPECT_EQ(BuildDatabaseParamBlock(ApplicationParams()), Bytes({1}) + Bytes({28, 6}) + "SYSDBA" +
                                                                Bytes({48, 7}) + "WIN1251" +
                                                                Bytes({29, 9}) + "quarnelby");
}

TEST(DatabaseParamBlock, PrefixCapitalsAndLinesWithoutName) {
    const std::string plain = BuildDatabaseParamBlock({"user_name=SYSDBA"});
    EXPECT_EQ(BuildDatabaseParamBlock({"isc_dpb_user_name=SYSDBA"}), plain);
    EXPECT_EQ(BuildDatabaseParamBlock({"USER_NAME=SYSDBA"}), plain);
    EXPECT_EQ(BuildDatabaseParamBlock({"ISC_DPB_User_Name=SYSDBA"}), plain);
    EXPECT_EQ(BuildDatabaseParamBlock({"no equals sign", "user_name=SYSDBA", "=x", "  =y", ""}),
              plain);
    EXPECT_EQ(BuildDatabaseParamBlock({}), Bytes({1}));
    // Values are sent as written, blanks and further "=" included.
    EXPECT_EQ(BuildDatabaseParamBlock({"password= a=b "}), Bytes({1, 29, 5}) + " a=b ");
}

TEST(DatabaseParamBlock, CodeGroups) {
    EXPECT_EQ(BuildDatabaseParamBlock({"sql_role_name=ADMIN"}), Bytes({1, 60, 5}) + "ADMIN");
    EXPECT_EQ(BuildDatabaseParamBlock({"lc_messages=x", "license=k", "encrypt_key=e"}),
              Bytes({1, 47, 1}) + "x" + Bytes({18, 1}) + "k" + Bytes({20, 1}) + "e");
    EXPECT_EQ(BuildDatabaseParamBlock({"sql_dialect=3"}), Bytes({1, 63, 1, 3}));
    EXPECT_EQ(BuildDatabaseParamBlock({"sql_dialect="}), Bytes({1, 63, 0}));
    EXPECT_EQ(BuildDatabaseParamBlock({"num_buffers=75", "force_write=0", "damaged=258"}),
              Bytes({1, 5, 1, 75, 24, 1, 0, 17, 1, 2}));
    EXPECT_EQ(BuildDatabaseParamBlock({"sweep=anything"}), Bytes({1, 10, 1, 2}));
    EXPECT_EQ(BuildDatabaseParamBlock(
                  {"activate_shadow=", "delete_shadow=1", "begin_log=x", "quit_log=y"}),
              Bytes({1, 21, 1, 0, 23, 1, 0, 25, 1, 0, 26, 1, 0}));
    EXPECT_EQ(BuildDatabaseParamBlock({"sweep_interval=20000"}),
              Bytes({1, 22, 4, 0x20, 0x4E, 0, 0}));
    EXPECT_EQ(BuildDatabaseParamBlock({"sweep_interval=-2"}),
              Bytes({1, 22, 4, 0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(DatabaseParamBlock, Errors) {
    EXPECT_EQ(MessageOf<EIBClientError>({"page_size=4096"}, BuildDatabaseParamBlock),
              "DPB Constant (isc_dpb_page_size) is unsupported");
    EXPECT_EQ(MessageOf<EIBClientError>({"ISC_DPB_Gstat_Attach=1"}, BuildDatabaseParamBlock),
              "DPB Constant (isc_dpb_gstat_attach) is unsupported");
    EXPECT_EQ(MessageOf<EIBClientError>({"user_name=x", "Bogus_Name=1"}, BuildDatabaseParamBlock),
              "DPB Constant (Bogus_Name) is unknown");
    EXPECT_EQ(MessageOf<EConvertError>({"num_buffers=12a"}, BuildDatabaseParamBlock),
              "'12a' is not a valid integer value");
    EXPECT_EQ(MessageOf<EConvertError>({"sweep_interval="}, BuildDatabaseParamBlock),
              "'' is not a valid integer value");
    EXPECT_EQ(MessageOf<EConvertError>({"verify=99999999999"}, BuildDatabaseParamBlock),
              "'99999999999' is not a valid integer value");
    const auto error = RaisedBy<EIBClientError>([] { BuildDatabaseParamBlock({"page_size=1"}); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->SqlCode(), static_cast<int>(ClientError::DpbConstantUnsupported));
    EXPECT_EQ(error->IBErrorCode(), 0);
}

TEST(ParamBlocks, ValueLongerThanItsLengthByteIsRefused) {
    const std::string longest(255, 'p');
    EXPECT_EQ(BuildDatabaseParamBlock({"password=" + longest}), Bytes({1, 29, 255}) + longest);
    EXPECT_EQ(MessageOf<EIBClientError>({"password=" + longest + "p"}, BuildDatabaseParamBlock),
              "Parameter password is 256 bytes long; a parameter block carries at most 255");
    EXPECT_EQ(MessageOf<EIBClientError>({"Lock_Write=" + std::string(300, 'T')},
                                        BuildTransactionParamBlock),
              "Parameter lock_write is 300 bytes long; a parameter block carries at most 255");
}

TEST(TransactionParamBlock, Items) {
    EXPECT_EQ(BuildTransactionParamBlock({}), "");
    EXPECT_EQ(BuildTransactionParamBlock({"read_committed", "rec_version", "nowait", "read"}),
              Bytes({3, 15, 17, 7, 8}));
    EXPECT_EQ(BuildTransactionParamBlock({"ISC_TPB_Concurrency", "", "  ", "wait=ignored"}),
              Bytes({3, 2, 6}));
    EXPECT_EQ(BuildTransactionParamBlock({"lock_read=PROGRAM_TIMELINE", "lock_write=T"}),
              Bytes({3, 10, 16}) + "PROGRAM_TIMELINE" + Bytes({11, 1}) + "T");
}

TEST(TransactionParamBlock, Errors) {
    EXPECT_EQ(MessageOf<EIBClientError>({"autocommit"}, BuildTransactionParamBlock),
              "TPB Constant (isc_tpb_autocommit) is unsupported");
    EXPECT_EQ(MessageOf<EIBClientError>({"Isc_Tpb_Verb_Time=1"}, BuildTransactionParamBlock),
              "TPB Constant (isc_tpb_verb_time) is unsupported");
    EXPECT_EQ(MessageOf<EIBClientError>({"read", "Snapshot"}, BuildTransactionParamBlock),
              "TPB Constant (Snapshot) is unknown");
}
