#include "catalogue/ProgramModule.h"
#include "db/IBDataSet.h"
#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "server/ServerFixture.h"

#include <QAction>
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

    app_->main->Planner1->Items().Clear();
    dialogs_.AnswerFile(FileInFolder("day.xml"));
    app_->main->actImport->trigger();
    EXPECT_EQ(PlannerItems(), 3) << "the exported day imports back";
    EXPECT_TRUE(dialogs_.Messages().empty()) << dialogs_.Messages().front();
}

TEST_F(MainRoad, CatalogueEditReachesThePicker) {
    StartOnServer(CatalogueAndDay());
    dialogs_.AnswerWith([](const DialogCall& call) {
        auto& catalogue = static_cast<TfrmPrograms&>(*call.Window);
        catalogue.dstPrograms->Next();
        catalogue.dstPrograms->Edit();
        catalogue.dstPrograms->Field("SNAME").SetAsString("Forecast");
        catalogue.dstPrograms->Post();
        return mrNone;
    });
    app_->main->actShowAllPrograms->trigger();
    AddPrograms("2");
    ASSERT_EQ(PlannerItems(), 2);
    EXPECT_THAT(app_->main->Planner1->Items()[1].Text(),
                testing::Contains("<b>Program:</b> <p>Forecast</p>"));
    EXPECT_TRUE(dialogs_.Messages().empty()) << dialogs_.Messages().front();
}

} // namespace
