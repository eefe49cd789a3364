#include "catalogue/ProgramFilter.h"

#include "catalogue/RowColours.h"
#include "data/ShowCounts.h"
#include "data/mData.h"
#include "db/DataSource.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Cp1251.h"
#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "support/grid/RecordGrid.h"

#include <QKeyEvent>
#include <QLineEdit>

std::vector<std::string> ProgramListSql(bool showCounts, const std::string& sortKey) {
    if (showCounts)
        return {"select d.nid NPROGRAM_ID, d.sseries_name, d.fduration, d.sname,",
                "    (select first 1 tl.dstart_date from program_timeline tl where tl.nprogram_id "
                "= d.nid",
                "    order by tl.nprogram_id desc, tl.dstart_date desc) LAST_SHOW_DATE,",
                "    (select nullif(sum(c.ncount), 0) from program_show_count c where "
                "c.nprogram_id = d.nid) SHOW_CNT",
                "from program_description d",
                "order by " + sortKey};
    return {"select d.nid NPROGRAM_ID,d.sseries_name,d.fduration, d.sname, tl.LAST_SHOW_DATE, "
            "tl.show_cnt from program_description d",
            "left join",
            "    (select tl1.nprogram_id, max(tl1.dstart_date) LAST_SHOW_DATE, count(*) SHOW_CNT "
            "from program_timeline tl1",
            "    group by 1) TL ON tl.nprogram_id = d.nid", "order by " + sortKey};
}

TfrmProgramFilter::TfrmProgramFilter(QWidget* parent) : QDialog(parent) {
    CreateForm();
}

TfrmProgramFilter::~TfrmProgramFilter() = default;

void TfrmProgramFilter::BindDataModule(TmodData& data) {
    trPrograms->SetDefaultDatabase(data.IBDatabase.get());
    qryPrograms->SetDatabase(data.IBDatabase.get());
    showCounts_.reset();
}

bool TfrmProgramFilter::ShowCounts() {
    if (!showCounts_) showCounts_ = HasShowCounts(*qryPrograms->Database());
    return *showCounts_;
}

std::string TfrmProgramFilter::SelectPrograms(TmodData& data) {
    std::string result = "-1";
    TfrmProgramFilter window;
    window.BindDataModule(data);
    if (window.ShowCounts()) CompactShowCounts(*data.IBDatabase);
    window.SetSortKey("NPROGRAM_ID");
    window.RefreshProgramList();
    if (AppDialogs().ShowModal(window) == mrOk) result = window.GetSelectedIds();
    return result;
}

void TfrmProgramFilter::RefreshProgramList() {
    search_.Forget();
    if (trPrograms->Active()) trPrograms->Commit();
    qryPrograms->SetSQL(ProgramListSql(ShowCounts(), sortKey_));
    qryPrograms->Open();
    ApplyFilter();
}

std::string TfrmProgramFilter::GetSelectedIds() {
    std::string result = "-1";
    const TBookmarkList& selected = grdPrograms->SelectedBookmarks();
    for (int i = 0; i < selected.Count(); ++i) {
        qryPrograms->SetBookmark(selected.Item(i));
        const std::string id = qryPrograms->Field("NPROGRAM_ID").AsString();
        result = result == "-1" ? id : result + ", " + id;
    }
    return result;
}

void TfrmProgramFilter::grdProgramsTitleClick(TColumn& column) {
    const std::string key = AnsiUpperCase(column.FieldName());
    sortKey_ = sortKey_ == key ? key + " desc" : key;
    RefreshProgramList();
}

void TfrmProgramFilter::grdProgramsDblClick() {
    done(mrOk);
}

void TfrmProgramFilter::btnSelectClick() {
    done(mrOk);
}

void TfrmProgramFilter::btnCancelClick() {
    close();
}

void TfrmProgramFilter::grdProgramsDrawColumnCell(const TRect& rect, int dataCol, TColumn& column,
                                                  unsigned state) {
    PaintParityCell(*grdPrograms, qryPrograms->RecordNumber(), rect, dataCol, column, state);
}

// A typed character Windows-1251 lacks is in no programme's text.
void TfrmProgramFilter::edtFilterChange() {
    const QString typed = edtFilter->text();
    const std::string text = FromQString(typed);
    search_.SetText(ToQString(text) == typed ? std::optional(text) : std::nullopt);
    ApplyFilter();
}

void TfrmProgramFilter::edtFilterKeyDown(int& key) {
    if (key != Qt::Key_Escape) return;
    edtFilter->clear();
    key = 0;
}

void TfrmProgramFilter::FocusFilter() {
    edtFilter->setFocus(Qt::ShortcutFocusReason);
    edtFilter->selectAll();
}

bool TfrmProgramFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edtFilter || event->type() != QEvent::KeyPress) return false;
    int key = static_cast<QKeyEvent*>(event)->key();
    edtFilterKeyDown(key);
    return key == 0;
}

void TfrmProgramFilter::ApplyFilter() {
    if (!qryPrograms->Active()) return;
    if (search_.Empty()) {
        if (qryPrograms->Filtered()) qryPrograms->SetRowFilter({});
        return;
    }
    const ProgramSearch::Columns columns = SearchColumns();
    DeselectRejected(columns);
    qryPrograms->SetRowFilter(
        [this, columns](int row) { return search_.RowMatches(row, columns); });
}

ProgramSearch::Columns TfrmProgramFilter::SearchColumns() const {
    return {&qryPrograms->Field("NPROGRAM_ID"), &qryPrograms->Field("SSERIES_NAME"),
            &qryPrograms->Field("SNAME")};
}

void TfrmProgramFilter::DeselectRejected(const ProgramSearch::Columns& columns) {
    TBookmarkList& selected = grdPrograms->SelectedBookmarks();
    for (int i = selected.Count(); i-- > 0;) {
        qryPrograms->SetBookmark(selected.Item(i));
        if (!search_.Matches(columns)) selected.SetCurrentRowSelected(false);
    }
}
