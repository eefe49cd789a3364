// The catalogue window over 100,000 programmes: the navigator's Insert and Post of a new
// programme from a fresh opening, each with the grid's repaint, and Ctrl+End after such a post
// beside Ctrl+End alone. Run with QT_QPA_PLATFORM=offscreen.
#include "BenchApplication.h"
#include "catalogue/ProgramModule.h"
#include "data/mData.h"
#include "db/IBDataSet.h"
#include "db/IBTransaction.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"
#include "support/grid/RecordGrid.h"
#include "support/navigator/DBNavigator.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kProgrammes = 100000;

const std::string kCatalogue =
    "SET TERM ^ ;\n"
    "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= " +
    std::to_string(kProgrammes) +
    ") DO BEGIN INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SFILE_NAME, SDESCRIPTION, "
    "SSERIES_NAME, FDURATION, SLANGUAGE) VALUES (:I, IIF(MOD(:I, 2) = 0, 'Programme ' || :I, "
    "'Передача ' || :I), 'programme_' || :I || '.mxf', 'A programme of the catalogue number ' "
    "|| :I, 'Series ' || MOD(:I, 100), DATEADD(MOD(:I, 180) MINUTE TO TIME '00:10'), 'BG'); "
    "I = I + 1; END END^\n"
    "SET TERM ; ^\n";

// The catalogue window as "Show All Programs" opens it, shown at its form's size.
struct Catalogue {
    Catalogue() : database(kCatalogue) {
        std::ofstream(database.Folder() + "/SQL.ini") << "[DATABASE]\nSERVER=" << database.Path();
        data = std::make_unique<TmodData>(database.Folder() + "/");
        window.BindDataModule(*data);
        window.show();
        QApplication::setActiveWindow(&window);
        QCoreApplication::processEvents();
    }
    TIBDataSet& Set() { return *window.dstPrograms; }
    // Outside the timing: what was posted is rolled back and the window opens anew on its
    // first page.
    void Reopen(benchmark::State& state) {
        state.PauseTiming();
        if (window.trPrograms->Active()) window.trPrograms->Rollback();
        Set().Open();
        window.grdPrograms->setFocus();
        Paint();
        state.ResumeTiming();
    }
    // A programme after every stored one, typed into the new row and posted.
    void InsertAndPost() {
        window.nv1->BtnClick(nbInsert);
        Set().Field("NID").SetAsInteger(kProgrammes + 1);
        Set().Field("SNAME").SetAsString("New programme");
        window.nv1->BtnClick(nbPost);
    }
    void CtrlEnd() {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(window.grdPrograms, &event);
    }
    // Offscreen windows are never exposed, so the grid paints into an image of its size.
    void Paint() {
        if (image.size() != window.grdPrograms->size())
            image = QImage(window.grdPrograms->size(), QImage::Format_RGB32);
        window.grdPrograms->render(&image);
    }

    // Before any window.
    BenchApplication application;
    ScriptedDialogs dialogs;
    TempDatabase database;
    std::unique_ptr<TmodData> data;
    TfrmPrograms window;
    QImage image;
};

Catalogue& TheCatalogue() {
    static auto* catalogue = new Catalogue;
    return *catalogue;
}

void BM_InsertPost(benchmark::State& state) {
    Catalogue& catalogue = TheCatalogue();
    for (auto _ : state) {
        catalogue.Reopen(state);
        catalogue.InsertAndPost();
        catalogue.Paint();
    }
    state.counters["rows_fetched"] = catalogue.Set().RecordCount();
    state.counters["posted_row"] = catalogue.Set().RecordNumber();
}
BENCHMARK(BM_InsertPost)->Unit(benchmark::kMillisecond);

// The rows still to come are checked against the posted one.
void BM_CtrlEndAfterPost(benchmark::State& state) {
    Catalogue& catalogue = TheCatalogue();
    for (auto _ : state) {
        catalogue.Reopen(state);
        state.PauseTiming();
        catalogue.InsertAndPost();
        state.ResumeTiming();
        catalogue.CtrlEnd();
        catalogue.Paint();
    }
    state.counters["rows"] = catalogue.Set().RecordCount();
}
BENCHMARK(BM_CtrlEndAfterPost)->Unit(benchmark::kMillisecond);

void BM_CtrlEnd(benchmark::State& state) {
    Catalogue& catalogue = TheCatalogue();
    for (auto _ : state) {
        catalogue.Reopen(state);
        catalogue.CtrlEnd();
        catalogue.Paint();
    }
    state.counters["rows"] = catalogue.Set().RecordCount();
}
BENCHMARK(BM_CtrlEnd)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
