// The picker's filter over 100,000 programmes: the first keystroke, which fetches the rest of
// the list and reads every row's text once, and the later ones, which only search what was
// read; each until the grid is repainted. Run with QT_QPA_PLATFORM=offscreen.
#include "BenchApplication.h"
#include "catalogue/ProgramFilter.h"
#include "data/mData.h"
#include "db/IBQuery.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"
#include "support/grid/RecordGrid.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kProgrammes = 100000;
constexpr int kBroadcasts = 30000;

// Latin and Cyrillic names and series in turn, and broadcasts of a third of the programmes.
const std::string kCatalogue =
    "SET TERM ^ ;\n"
    "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= " +
    std::to_string(kProgrammes) +
    ") DO BEGIN INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION) VALUES "
    "(:I, IIF(MOD(:I, 2) = 0, 'Programme ' || :I, 'Передача ' || :I), IIF(MOD(:I, 2) = 0, "
    "'Series ' || MOD(:I, 100), 'Сериал ' || MOD(:I, 100)), DATEADD(MOD(:I, 180) MINUTE TO "
    "TIME '00:10')); I = I + 1; END\n"
    "I = 1; WHILE (I <= " +
    std::to_string(kBroadcasts) +
    ") DO BEGIN INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, TSTART_TIME, TDURATION) "
    "VALUES (MOD(:I * 7, " +
    std::to_string(kProgrammes) +
    ") + 1, DATEADD(MOD(:I, 365) DAY TO DATE '2010-01-01'), '10:00', '00:30'); I = I + 1; END "
    "END^\n"
    "SET TERM ; ^\n";

// The picker as "Add Program(s)" opens it, shown at its form's size.
struct Picker {
    Picker() : database(kCatalogue) {
        std::ofstream(database.Folder() + "/SQL.ini") << "[DATABASE]\nSERVER=" << database.Path();
        data = std::make_unique<TmodData>(database.Folder() + "/");
        window.BindDataModule(*data);
        window.RefreshProgramList();
        window.show();
        QApplication::setActiveWindow(&window);
        QCoreApplication::processEvents();
    }
    void Type(const QString& character) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, {}, character);
        QApplication::sendEvent(window.edtFilter, &press);
    }
    void Backspace() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, {});
        QApplication::sendEvent(window.edtFilter, &press);
    }
    // Offscreen windows are never exposed, so the grid paints into an image of its size.
    void Paint() {
        if (image.size() != window.grdPrograms->size())
            image = QImage(window.grdPrograms->size(), QImage::Format_RGB32);
        window.grdPrograms->render(&image);
    }
    int Shown() const { return window.qryPrograms->RecordCount(); }

    // Before any window.
    BenchApplication application;
    ScriptedDialogs dialogs;
    TempDatabase database;
    std::unique_ptr<TmodData> data;
    TfrmProgramFilter window;
    QImage image;
};

Picker& ThePicker() {
    static auto* picker = new Picker;
    return *picker;
}

// Outside the timing: the field emptied and the list read anew, as a fresh opening has it.
void ReadListAnew(benchmark::State& state, Picker& picker) {
    state.PauseTiming();
    picker.window.edtFilter->clear();
    picker.window.RefreshProgramList();
    state.ResumeTiming();
}

// The list read anew before each: the keystroke reads every row's text, then filters.
void BM_FirstKeystroke(benchmark::State& state) {
    Picker& picker = ThePicker();
    for (auto _ : state) {
        ReadListAnew(state, picker);
        picker.Type("7");
        picker.Paint();
    }
    state.counters["rows_shown"] = picker.Shown();
}
BENCHMARK(BM_FirstKeystroke)->Unit(benchmark::kMillisecond);

// Beside the first keystroke: fetching every row of the list alone, as Ctrl+End would.
void BM_FetchWholeList(benchmark::State& state) {
    Picker& picker = ThePicker();
    for (auto _ : state) {
        ReadListAnew(state, picker);
        picker.window.qryPrograms->Last();
    }
    state.counters["rows"] = picker.Shown();
}
BENCHMARK(BM_FetchWholeList)->Unit(benchmark::kMillisecond);

// The field holds the prefix; each keystroke types the next character, which is then taken
// back untimed.
void LaterKeystroke(benchmark::State& state, const char* prefix, const char* next) {
    Picker& picker = ThePicker();
    picker.window.edtFilter->setText(QString::fromUtf8(prefix));
    const QString character = QString::fromUtf8(next);
    for (auto _ : state) {
        picker.Type(character);
        picker.Paint();
        state.PauseTiming();
        const int shown = picker.Shown();
        picker.Backspace();
        state.counters["rows_shown"] = shown;
        state.ResumeTiming();
    }
}
// "7" → "77": from about a third of the rows to a few thousand.
BENCHMARK_CAPTURE(LaterKeystroke, Digit, "7", "7")->Unit(benchmark::kMillisecond);
// "пере" → "перед": half the rows stay shown, Cyrillic in another case than stored.
BENCHMARK_CAPTURE(LaterKeystroke, CyrillicHalf, "пере", "д")->Unit(benchmark::kMillisecond);
// "series 4" → "series 42": a hundredth of the rows.
BENCHMARK_CAPTURE(LaterKeystroke, LatinFew, "series 4", "2")->Unit(benchmark::kMillisecond);

// Backspace widens "перед" back to "пере".
void BM_LaterBackspace(benchmark::State& state) {
    Picker& picker = ThePicker();
    picker.window.edtFilter->setText(QString::fromUtf8("пере"));
    for (auto _ : state) {
        state.PauseTiming();
        picker.Type(QString::fromUtf8("д"));
        state.ResumeTiming();
        picker.Backspace();
        picker.Paint();
    }
    state.counters["rows_shown"] = picker.Shown();
}
BENCHMARK(BM_LaterBackspace)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
