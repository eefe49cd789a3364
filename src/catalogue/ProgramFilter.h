#pragma once

#include "catalogue/ProgramSearch.h"
#include "platform/Canvas.h"

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class TColumn;
class TDataSource;
class TIBQuery;
class TIBTransaction;
class TmodData;
class TRecordGrid;

// The picker's list: over the database's own broadcast counts where it keeps them, otherwise
// aggregating the whole history; the same rows either way.
std::vector<std::string> ProgramListSql(bool showCounts, const std::string& sortKey);

// The modal window of the picker: chooses programmes to place in the schedule.
class TfrmProgramFilter : public QDialog {
public:
    explicit TfrmProgramFilter(QWidget* parent = nullptr);
    ~TfrmProgramFilter() override;

    // Points the window's queries and transactions at the data module's connection.
    void BindDataModule(TmodData& data);

    // Shows a fresh picker; "-1" when nothing was chosen, otherwise the chosen identifiers in
    // list order, joined by ", ".
    static std::string SelectPrograms(TmodData& data);
    // Reopens the list with the current sort key.
    void RefreshProgramList();
    std::string GetSelectedIds();
    // The ORDER BY term of the list query.
    const std::string& SortKey() const { return sortKey_; }
    void SetSortKey(std::string key) { sortKey_ = std::move(key); }

    void grdProgramsTitleClick(TColumn& column);
    void grdProgramsDblClick();
    void btnSelectClick();
    void btnCancelClick();
    void grdProgramsDrawColumnCell(const TRect& rect, int dataCol, TColumn& column, unsigned state);
    // The filter field: the list shows only the programmes whose identifier, series or name
    // contain its text, ignoring case; Esc in it clears it, Ctrl+F moves to it.
    void edtFilterChange();
    void edtFilterKeyDown(int& key);
    void FocusFilter();

    QWidget* Panel1 = nullptr;
    QLabel* lblFilter = nullptr;
    QLineEdit* edtFilter = nullptr;
    QWidget* Panel3 = nullptr;
    TRecordGrid* grdPrograms = nullptr;
    QWidget* Panel2 = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnCancel = nullptr;
    std::unique_ptr<TIBTransaction> trPrograms;
    std::unique_ptr<TIBQuery> qryPrograms;
    std::unique_ptr<TDataSource> dsPrograms;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateForm();
    void CreateGrid();
    void CreateButtons();
    QPushButton* AddButton(const char* name, const char* caption, int standardIcon);
    void CreateFilterField();
    // Hides the rows the filter text rejects, or shows every row when it is empty.
    void ApplyFilter();
    ProgramSearch::Columns SearchColumns() const;
    // Rows about to be hidden leave the selection while they can still be reached.
    void DeselectRejected(const ProgramSearch::Columns& columns);

    // Whether the database keeps broadcast counts of its own, read instead of aggregating the
    // history. Asked at the first list, not at binding: the connection may not be open then.
    bool ShowCounts();

    std::string sortKey_ = "NPROGRAM_ID";
    std::optional<bool> showCounts_;
    ProgramSearch search_;
};
