#pragma once

#include "db/DataSource.h"
#include "db/IBDataSet.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"
#include "support/TestApplication.h"
#include "support/grid/RecordGrid.h"

#include <QLineEdit>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Programmes 1 to rows, each "Programme <id>" of "Series <id mod 3>", 30 minutes long.
std::string Programmes(int rows);

// A grid shown and focused in an active window, above another control, over a query of the
// catalogue, ordered by id, with the columns Program ID, Program and Duration.
class GridTest : public testing::Test {
protected:
    explicit GridTest(int rows = 40, const std::string& extraSql = {});
    ~GridTest() override;

    void Open(const std::string& order = "NID");
    // The picker's settings: whole rows, several of them, no editing.
    void MakePicker();

    // The centre of a shown cell; the indicator column for dataCol -1, the title for row -1.
    QPoint CellPoint(int dataCol, int row) const;
    void Click(int row, Qt::KeyboardModifiers modifiers = {}, int dataCol = 1);
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    // The NID of the current row and of the selected rows in list order.
    int CurrentId() const;
    std::vector<int> SelectedIds();

    QApplication& application = TestApplication();
    TempDatabase file;
    std::unique_ptr<TIBDatabase> database;
    std::unique_ptr<TIBTransaction> transaction;
    std::unique_ptr<TIBQuery> query;
    TDataSource source;
    ScriptedDialogs dialogs;
    QWidget window;
    TRecordGrid grid{&window};
    // Another control of the window, to move the focus to.
    QLineEdit* other;
};

// The same grid over an editable dataset of the catalogue; deleting programme 5 fails in the
// database.
class EditableGridTest : public GridTest {
protected:
    EditableGridTest();
    ~EditableGridTest() override;

    int Id() const { return dataSet->Field("NID").AsInteger(); }
    std::string Name() const { return dataSet->Field("SNAME").AsString(); }
    // Typed into whatever has the focus, key by key.
    void Type(const std::string& text);
    // Rows of the table as another reader sees them once this one has committed.
    int StoredRows();

    std::unique_ptr<TIBDataSet> dataSet;
};
