#include "catalogue/ProgramModule.h"
#include "db/IBDataSet.h"
#include "platform/HandledAction.h"
#include "schedule/Main.h"
#include "schedule/ScheduleHistory.h"
#include "server/ServerFixture.h"
#include "support/navigator/DBNavigator.h"

#include <QAction>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <sstream>
#include <sys/mount.h>

using testing::ElementsAre;
using testing::HasSubstr;
using testing::SizeIs;

namespace {

// A tmpfs mounted over a folder, holding the folder's database with little room to spare, so
// that the server's writes to it meet a full disk. A mount the system refuses leaves the folder
// as it was and says why. Unmounted when it goes, also while the server still holds the file.
class SmallDisk {
public:
    SmallDisk(const std::string& folder, const std::string& database, std::uintmax_t spare)
        : folder_(folder) {
        const std::string bytes = ReadBytes(database);
        const std::string options = "size=" + std::to_string(bytes.size() + spare) + ",mode=0755";
        if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
            refusal_ =
                "cannot mount a small tmpfs for the database: " + std::string(std::strerror(errno));
            return;
        }
        std::ofstream(database, std::ios::binary) << bytes;
    }
    ~SmallDisk() {
        if (refusal_.empty()) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    const std::string& Refusal() const { return refusal_; }

private:
    std::string folder_;
    std::string refusal_;
};

constexpr int kLargeDay = 4000;
constexpr int kLargeRows = 190;
// Room for SQL.ini and a few pages: the start-up fits; a save of kLargeDay broadcasts needs some
// 280 KB more than the database file holds free, kLargeRows catalogue rows hold 380 KB of text.
constexpr std::uintmax_t kSpareBytes = 32 * 1024;

class DiskFull : public ServerFixture {
protected:
    // Starts the application on a database holding `sql`, on a disk with little room left.
    // False, with the reason, when the disk cannot be made.
    bool StartOnSmallDisk(const std::string& sql) {
        database_ = std::make_unique<TempDatabase>(sql);
        disk_ = std::make_unique<SmallDisk>(database_->Folder(), database_->Path(), kSpareBytes);
        if (!disk_->Refusal().empty()) return false;
        StartWith(Server().ConnectionString(database_->Path()));
        return true;
    }
    void TearDown() override {
        ServerFixture::TearDown();
        disk_.reset();
    }
    std::vector<std::string> StoredProgrammes() const {
        std::istringstream output(
            Server().Isql(database_->Path(),
                          "SET HEADING OFF;\nSELECT NID FROM PROGRAM_DESCRIPTION ORDER BY NID;"));
        std::vector<std::string> ids;
        for (std::string id; output >> id;)
            ids.push_back(id);
        return ids;
    }

    std::unique_ptr<SmallDisk> disk_;
};

// The catalogue and, on the form's date, kLargeDay broadcasts of ten seconds, twenty apart.
std::string CatalogueAndLargeDay() {
    return CatalogueAndDay() +
           "SET TERM ^;\nEXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN\n"
           "WHILE (I < " +
           std::to_string(kLargeDay) +
           ") DO BEGIN\n"
           "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, TSTART_TIME, TDURATION) "
           "VALUES (1, '2010-06-17', TIME '10:30' + 20 * :I, '00:00:10');\n"
           "I = I + 1; END END^\nSET TERM ;^\n";
}

TEST_F(DiskFull, ALargeSaveShowsTheServerErrorOnceAndKeepsTheStoredAndThePlannedDay) {
    if (!StartOnSmallDisk(CatalogueAndLargeDay())) GTEST_SKIP() << disk_->Refusal();
    const std::vector<std::string> before = StoredRows();
    ASSERT_THAT(before, SizeIs(kLargeDay + 1));
    AddPrograms("2");
    Save();
    ASSERT_THAT(dialogs_.Messages(), SizeIs(1));
    EXPECT_THAT(dialogs_.Messages()[0], HasSubstr("No space left on device"))
        << dialogs_.Messages()[0];
    EXPECT_EQ(PlannerItems(), kLargeDay + 2);
    EXPECT_TRUE(app_->main->History().Unsaved());
    EXPECT_EQ(StoredRows(), before) << "nothing of the save is stored";
}

// A description of 2000 letters that record compression cannot shorten.
std::string LongDescription(int seed) {
    std::string text(2000, ' ');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>('a' + (i * 7 + seed * 13 + i * i) % 26);
    return text;
}

// Large rows are typed into the catalogue window and posted one by one until the post of one
// meets the full disk: that error is shown, and the row stays in the window with its typing. The
// rows posted before took pages the server cannot write either, so the commit at closing fails
// and says so too: nothing of the typing is stored, and nothing is reported stored.
TEST_F(DiskFull, ACatalogueThatFillsTheDiskSaysSoAtThePostAndAtTheCommitAndStoresNothing) {
    if (!StartOnSmallDisk(CatalogueAndDay())) GTEST_SKIP() << disk_->Refusal();
    int posted = 0;
    dialogs_.AnswerWith([&](const DialogCall& call) {
        auto& window = static_cast<TfrmPrograms&>(*call.Window);
        TIBDataSet& set = *window.dstPrograms;
        for (int id = 10; set.State() != dsInsert && id < 10 + kLargeRows; ++id) {
            set.Append();
            set.Field("NID").SetAsInteger(id);
            set.Field("SDESCRIPTION").SetAsString(LongDescription(id));
            RunHandled([&] { window.nv1->BtnClick(nbPost); });
            if (set.State() != dsInsert) ++posted;
        }
        EXPECT_EQ(set.State(), dsInsert) << "the row that did not fit stays in the window";
        EXPECT_EQ(set.Field("SDESCRIPTION").AsString(),
                  LongDescription(set.Field("NID").AsInteger()));
        dialogs_.Answer(mrNo);
        window.reject();
        return window.result();
    });
    app_->main->actShowAllPrograms->trigger();
    EXPECT_THAT(dialogs_.Messages(),
                ElementsAre(HasSubstr("No space left on device"), "Save changes?",
                            HasSubstr("No space left on device")));
    EXPECT_GT(posted, 0) << "the disk filled part-way";
    EXPECT_THAT(StoredProgrammes(), ElementsAre("1", "2", "3"));
}

} // namespace
