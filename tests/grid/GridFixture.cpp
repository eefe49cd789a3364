#include "GridFixture.h"

#include <QApplication>

std::string Programmes(int rows) {
    std::string sql;
    for (int id = 1; id <= rows; ++id) {
        const std::string text = std::to_string(id);
        sql += "INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION) VALUES (" +
               text + ", 'Programme " + text + "', 'Series " + std::to_string(id % 3) +
               "', '00:30:00');\n";
    }
    return sql;
}

GridTest::GridTest(int rows, const std::string& extraSql)
    : file(Programmes(rows) + extraSql), database(std::make_unique<TIBDatabase>()),
      transaction(std::make_unique<TIBTransaction>()), query(std::make_unique<TIBQuery>()),
      other(new QLineEdit(&window)) {
    database->SetParams({"user_name=SYSDBA", "lc_ctype=WIN1251", "password=masterkey"});
    database->SetLoginPrompt(false);
    database->SetSQLDialect(3);
    database->SetDatabaseName(file.Path());
    database->SetConnected(true);
    transaction->SetDefaultDatabase(database.get());
    query->SetName("qryPrograms");
    query->SetDatabase(database.get());
    query->SetTransaction(transaction.get());
    source.SetDataSet(query.get());
    grid.Columns().Add("NID", "Program ID");
    grid.Columns().Add("SNAME", "Program", 150);
    grid.Columns().Add("FDURATION", "Duration");
    grid.SetDataSource(&source);
    grid.resize(420, 300);
    other->setGeometry(0, 310, 420, 20);
    window.resize(420, 330);
    window.show();
    QApplication::setActiveWindow(&window);
    grid.setFocus();
}

GridTest::~GridTest() {
    grid.SetDataSource(nullptr);
}

void GridTest::Open(const std::string& order) {
    if (transaction->Active()) transaction->Commit();
    query->SetSQL({"select NID, SNAME, FDURATION from PROGRAM_DESCRIPTION", "order by " + order});
    query->Open();
}

void GridTest::MakePicker() {
    grid.SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines |
                    dgRowSelect | dgConfirmDelete | dgCancelOnExit | dgMultiSelect);
}

QPoint GridTest::CellPoint(int dataCol, int row) const {
    const TGridGeometry geometry = grid.Geometry();
    const int y =
        row < 0 ? geometry.TitleHeight / 2 : geometry.RowTop(row) + geometry.RowHeight / 2;
    if (dataCol < 0) return {geometry.IndicatorWidth / 2, y};
    for (const TGridGeometry::Cell& cell : geometry.Columns)
        if (cell.DataCol == dataCol) return {(cell.Left + cell.Right) / 2, y};
    ADD_FAILURE() << "column " << dataCol << " is not shown";
    return {};
}

void GridTest::Click(int row, Qt::KeyboardModifiers modifiers, int dataCol) {
    QTest::mouseClick(&grid, Qt::LeftButton, modifiers, CellPoint(dataCol, row));
}

void GridTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &grid, key,
                    modifiers);
}

int GridTest::CurrentId() const {
    return query->Field("NID").AsInteger();
}

std::vector<int> GridTest::SelectedIds() {
    std::vector<int> ids;
    TBookmarkList& list = grid.SelectedBookmarks();
    for (int i = 0; i < list.Count(); ++i) {
        query->SetBookmark(list.Item(i));
        ids.push_back(CurrentId());
    }
    return ids;
}

namespace {
const char* const kFiveIsKept = R"(
CREATE EXCEPTION E_KEPT 'Programme 5 is kept';
SET TERM ^ ;
CREATE TRIGGER KEEP_FIVE FOR PROGRAM_DESCRIPTION BEFORE DELETE AS
BEGIN
  IF (OLD.NID = 5) THEN EXCEPTION E_KEPT;
END^
SET TERM ; ^
)";
} // namespace

EditableGridTest::EditableGridTest()
    : GridTest(40, kFiveIsKept), dataSet(std::make_unique<TIBDataSet>()) {
    grid.SetDataSource(nullptr);
    source.SetDataSet(dataSet.get());
    dataSet->SetName("dstPrograms");
    dataSet->SetDatabase(database.get());
    dataSet->SetTransaction(transaction.get());
    dataSet->SetSelectSQL(
        {"select NID, SNAME, FDURATION from PROGRAM_DESCRIPTION", "order by NID"});
    dataSet->SetInsertSQL({"insert into PROGRAM_DESCRIPTION (NID, SNAME, FDURATION)",
                           "values (:NID, :SNAME, :FDURATION)"});
    dataSet->SetModifySQL({"update PROGRAM_DESCRIPTION set NID = :NID, SNAME = :SNAME,",
                           "FDURATION = :FDURATION where NID = :OLD_NID"});
    dataSet->SetDeleteSQL({"delete from PROGRAM_DESCRIPTION where NID = :OLD_NID"});
    dataSet->SetRefreshSQL(
        {"select NID, SNAME, FDURATION from PROGRAM_DESCRIPTION", "where NID = :NID"});
    grid.SetDataSource(&source);
    dataSet->Open();
}

EditableGridTest::~EditableGridTest() {
    grid.SetDataSource(nullptr);
}

void EditableGridTest::Type(const std::string& text) {
    for (char c : text)
        QTest::keyClick(QApplication::focusWidget(), c);
}

int EditableGridTest::StoredRows() {
    transaction->Commit();
    query->SetSQL({"select count(*) N from PROGRAM_DESCRIPTION"});
    query->Open();
    return query->Field("N").AsInteger();
}
