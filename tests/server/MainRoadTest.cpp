#include "schedule/Main.h"
#include "server/ServerFixture.h"

#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

using MainRoad = ServerFixture;

TEST_F(MainRoad, AddSaveOpenAndExportThroughTheServer) {
    StartOnServer(CatalogueAndDay());
    ASSERT_TRUE(Connected());
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(PlannerItems(), 1) << "the stored day opens at start";

    AddPrograms("2,3");
    Save();
    EXPECT_THAT(StoredRows(),
                ElementsAre("1 2010-06-17 10:00:00.0000", "2 2010-06-17 10:30:00.0000",
                            "3 2010-06-17 11:15:00.0000"));

    app_->main->ChangeScheduleDate(EncodeDate(2010, 6, 18));
    EXPECT_EQ(PlannerItems(), 0);
    app_->main->ChangeScheduleDate(EncodeDate(2010, 6, 17));
    EXPECT_EQ(PlannerItems(), 3);

    const std::string file = ExportTo(FileInFolder("day.xml"));
    EXPECT_THAT(file, HasSubstr("BG - 3"));
    EXPECT_THAT(file, HasSubstr("11:15"));
    EXPECT_TRUE(dialogs_.Messages().empty()) << dialogs_.Messages().front();
}

} // namespace
