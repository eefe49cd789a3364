// The record grid over 100,000 catalogue rows: showing the first page after opening, one Page
// Down with its repaint, and Ctrl+End. Run with QT_QPA_PLATFORM=offscreen.
#include "db/DataSource.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "support/TempDatabase.h"
#include "support/TestApplication.h"
#include "support/grid/RecordGrid.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr int kRows = 100000;

const std::string kCatalogue =
    "SET TERM ^ ;\n"
    "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= " +
    std::to_string(kRows) +
    ") DO BEGIN INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SFILE_NAME, SDESCRIPTION, "
    "SSERIES_NAME, FDURATION, SLANGUAGE) VALUES (:I, 'Programme ' || :I, 'programme_' || :I || "
    "'.mxf', 'A programme of the catalogue number ' || :I, 'Series ' || MOD(:I, 100), "
    "DATEADD(MOD(:I, 180) MINUTE TO TIME '00:10'), 'BG'); I = I + 1; END END^\n"
    "SET TERM ; ^\n";

// The catalogue window's grid and query, shown at the size the window gives the grid.
struct Catalogue {
    Catalogue() : file(kCatalogue) {
        database.SetParams({"user_name=SYSDBA", "lc_ctype=WIN1251", "password=masterkey"});
        database.SetLoginPrompt(false);
        database.SetDatabaseName(file.Path());
        database.SetConnected(true);
        transaction.SetDefaultDatabase(&database);
        query.SetDatabase(&database);
        query.SetTransaction(&transaction);
        query.SetSQL({"Select * from PROGRAM_DESCRIPTION", "order by nid"});
        source.SetDataSet(&query);
        grid.Columns().Add("NID", "Program ID");
        grid.Columns().Add("SSERIES_NAME", "Series", 250);
        grid.Columns().Add("SNAME", "Program", 250);
        grid.Columns().Add("FDURATION", "Duration", 70);
        grid.Columns().Add("SLANGUAGE", "Language", 100);
        grid.Columns().Add("SFILE_NAME", "File Name", 250);
        grid.SetDataSource(&source);
        grid.OnDrawColumnCell = [this](TRecordGrid&, const TRect&, int, TColumn&, TGridDrawState) {
            ++cellsPainted;
        };
        grid.resize(870, 426);
        grid.show();
        QApplication::setActiveWindow(&grid);
        grid.setFocus();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&grid, &event);
    }
    // Offscreen windows are never exposed, so the grid paints into an image of its size.
    void Paint() { grid.render(&image); }
    void Reopen() {
        query.Close();
        query.Open();
    }

    TempDatabase file;
    TIBDatabase database;
    TIBTransaction transaction;
    TIBQuery query;
    TDataSource source;
    TRecordGrid grid;
    QImage image{870, 426, QImage::Format_RGB32};
    long cellsPainted = 0;
};

Catalogue& TheCatalogue() {
    TestApplication();
    static Catalogue* catalogue = new Catalogue;
    return *catalogue;
}

void BM_FirstPageAfterOpen(benchmark::State& state) {
    Catalogue& catalogue = TheCatalogue();
    catalogue.cellsPainted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        catalogue.query.Close();
        state.ResumeTiming();
        catalogue.query.Open();
        catalogue.Paint();
    }
    state.counters["rows_fetched"] = catalogue.query.RecordCount();
    state.counters["rows_shown"] = catalogue.grid.VisibleRowCount();
    state.counters["cells_painted"] = benchmark::Counter(
        static_cast<double>(catalogue.cellsPainted), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FirstPageAfterOpen)->Unit(benchmark::kMillisecond);

// Each Page Down fetches the next page's rows as it needs them.
void BM_PageDownRepaint(benchmark::State& state) {
    Catalogue& catalogue = TheCatalogue();
    catalogue.Reopen();
    for (auto _ : state) {
        if (catalogue.query.AtEnd()) {
            state.PauseTiming();
            catalogue.Reopen();
            state.ResumeTiming();
        }
        catalogue.Key(Qt::Key_PageDown);
        catalogue.Paint();
    }
    state.counters["row"] = catalogue.query.RecordNumber();
}
BENCHMARK(BM_PageDownRepaint)->Unit(benchmark::kMillisecond);

// From a fresh open: every remaining row is fetched.
void BM_CtrlEnd(benchmark::State& state) {
    Catalogue& catalogue = TheCatalogue();
    for (auto _ : state) {
        state.PauseTiming();
        catalogue.Reopen();
        state.ResumeTiming();
        catalogue.Key(Qt::Key_End, Qt::ControlModifier);
        catalogue.Paint();
    }
    state.counters["row"] = catalogue.query.RecordNumber();
}
BENCHMARK(BM_CtrlEnd)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
