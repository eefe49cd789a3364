#include "catalogue/CatalogueFixture.h"

#include "data/mData.h"
#include "platform/ErrorHandler.h"
#include "support/TestApplication.h"
#include "support/grid/RecordGrid.h"

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
// Before any test binds the client library.
[[maybe_unused]] const bool kFaultClientChosen =
    setenv("SKEDORA_CLIENT_LIBRARY", SKEDORA_FAULT_CLIENT, 0) == 0;
} // namespace

CatalogueFixture::CatalogueFixture() {
    TestApplication();
    SetApplicationTitle("Skedora");
}

CatalogueFixture::~CatalogueFixture() = default;

void CatalogueFixture::Start(const std::string& sql) {
    database_ = std::make_unique<TempDatabase>(sql);
    std::ofstream(database_->Folder() + "/SQL.ini")
        << "[DATABASE]\nSERVER=" << database_->Path() << "\n";
    data_ = std::make_unique<TmodData>(database_->Folder() + "/");
    ASSERT_TRUE(dialogs_.Messages().empty()) << dialogs_.Messages().front();
}

void CatalogueFixture::ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    QCoreApplication::processEvents();
}

void CatalogueFixture::ClickRow(TRecordGrid& grid, int row, Qt::KeyboardModifiers modifiers) {
    const TRect cell = grid.CellRect(0, row);
    ASSERT_FALSE(cell.Empty()) << "row " << row << " is not shown";
    QTest::mouseClick(&grid, Qt::LeftButton, modifiers,
                      QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2));
}

void CatalogueFixture::ClickTitle(TRecordGrid& grid, int dataCol) {
    const TRect cell = grid.CellRect(dataCol, 0);
    const TGridGeometry geometry = grid.Geometry();
    QTest::mouseClick(&grid, Qt::LeftButton, {},
                      QPoint((cell.Left + cell.Right) / 2, geometry.TitleHeight / 2));
}

std::string Programme(int id, const std::string& name, const std::string& series,
                      const std::string& duration) {
    return "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION) VALUES (" +
           std::to_string(id) + ", '" + name + "', '" + series + "', '" + duration + "');\n";
}

std::string Broadcast(int id, const std::string& date) {
    return "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, TSTART_TIME, TDURATION) "
           "VALUES (" +
           std::to_string(id) + ", '" + date + "', '10:00', '00:30');\n";
}
