// Every step a user takes, on databases holding years of history: start-up, the stored day
// (open, save, export, import), the picker, the catalogue, the filter, Copy Day and the XMLTV
// week. One benchmark per step and size ("OpenStoredDay/M"), then a table of the figures with
// the growth from the first size to the last and the budgets each step misses.
//
//   export QT_QPA_PLATFORM=offscreen SKEDORA_HISTORY="S=sample,M=/tmp/m.fdb,L=/tmp/l.fdb"
//   build/bench/history
//
// "sample" is the sample database (sql/schema.sql and sql/sample.sql); without SKEDORA_HISTORY
// the one size is "S=sample". The steps run on a copy of each database. The peak memory with
// the picker open is the process's, so for one size alone:
//   ... build/bench/history --benchmark_filter='^PickerFirstPage/L/'
#include "BenchApplication.h"
#include "HistoryDatabase.h"
#include "HistoryTable.h"
#include "catalogue/ProgramFilter.h"
#include "catalogue/ProgramModule.h"
#include "db/Fields.h"
#include "db/IBDataSet.h"
#include "db/IBQuery.h"
#include "planner/widget/Planner.h"
#include "platform/DateTime.h"
#include "schedule/CopyDayDialog.h"
#include "schedule/ScheduleDateBar.h"
#include "schedule/ScheduleHistory.h"
#include "schedule/StoredGuide.h"
#include "support/ChildProcess.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"
#include "support/grid/RecordGrid.h"
#include "support/navigator/DBNavigator.h"

#include <QApplication>
#include <QDateEdit>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtGlobal>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

ScriptedDialogs* theDialogs = nullptr;

ScriptedDialogs& Script() {
    return *theDialogs;
}

// What the user sees: offscreen windows are not exposed, so the widget paints into an image.
void Paint(QWidget& widget) {
    static QImage image;
    if (image.size() != widget.size()) image = QImage(widget.size(), QImage::Format_RGB32);
    widget.render(&image);
}

void Key(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &press);
}

void Type(QWidget& widget, const QString& character) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, {}, character);
    QApplication::sendEvent(&widget, &press);
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

void ShowDate(MainWindowOn& main, TDateTime date) {
    main.window.SetScheduleDate(date);
    main.window.OpenStoredDay();
}

QtMessageHandler qtMessages = nullptr;

// The offscreen platform says so at every window shown.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (!message.contains(QStringLiteral("propagateSizeHints"))) qtMessages(type, context, message);
}

int ShownItems(MainWindowOn& main) {
    return main.window.Planner1->Items().Count();
}

// --- Start-up, as a process --------------------------------------------------------------

// Seconds from launching the application on the file and date until its main window's first
// paint, which the preloaded probe stamps before it quits the application.
double StartToFirstPaint(const std::string& folder, const std::string& file, TDateTime date) {
    const std::string stamp = folder + "/first-paint", log = folder + "/startup.log";
    fs::remove(stamp);
    fs::remove(log);
    const std::vector<std::string> environment = EnvironmentWith(
        {"QT_QPA_PLATFORM=offscreen", "SKEDORA_AUTO_DIALOGS=1",
         "LD_PRELOAD=" SKEDORA_FIRST_PAINT_PROBE, "SKEDORA_BENCH_FIRST_PAINT=" + stamp,
         "XDG_DATA_HOME=" + folder + "/startup-data", "XDG_CONFIG_HOME=" + folder + "/startup"},
        {"QT_QPA_PLATFORM", "LD_PRELOAD", "XDG_DATA_HOME", "XDG_CONFIG_HOME"});
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = SpawnLogged(
        {SKEDORA_EXECUTABLE, "--database", file, "--date", FormatDateTime("yyyy-mm-dd", date)},
        environment, log);
    if (!WaitForExit(pid, std::chrono::minutes(2))) KillChild(pid);
    long long painted = 0;
    std::ifstream in(stamp);
    if (!(in >> painted) || ReadLog(log).find("DIALOG") != std::string::npos)
        throw std::runtime_error("start-up: " + ReadLog(log));
    const auto launched =
        std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch());
    return std::chrono::duration<double>(std::chrono::nanoseconds(painted) - launched).count();
}

void Startup(benchmark::State& state, HistoryDatabase& database) {
    const TDateTime date = database.LatestDate();
    const std::string& file = database.DetachedCopy();
    for (auto _ : state)
        state.SetIterationTime(StartToFirstPaint(database.Folder(), file, date));
}

// --- The stored day ----------------------------------------------------------------------

// As the user moves to it from another date.
void OpenStoredDay(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    const TDateTime latest = database.LatestDate();
    for (auto _ : state) {
        state.PauseTiming();
        main.window.SetScheduleDate(latest - 1);
        state.ResumeTiming();
        main.window.ChangeScheduleDate(latest);
        Paint(*main.window.Planner1);
    }
    state.counters["broadcasts"] = ShownItems(main);
}

void SaveDay(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    ShowDate(main, database.LatestDate());
    for (auto _ : state)
        main.window.actSaveExecute();
    state.counters["broadcasts"] = ShownItems(main);
}

void ExportDay(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    ShowDate(main, database.LatestDate());
    const std::string file = database.Folder() + "/export.xml";
    for (auto _ : state) {
        Script().AnswerFile(file);
        main.window.actExportExecute();
    }
    state.counters["broadcasts"] = ShownItems(main);
}

constexpr int kImported = 2000;
constexpr int kFirstPosition = 1440;

// A day of one-minute broadcasts in two positions, the second dated the day after, as the
// export writes them.
std::string BroadcastFile(const std::string& folder, TDateTime date) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"windows-1251\" standalone=\"yes\" ?>\r\n"
                      "<broadcasts>\r\n";
    for (int i = 0; i < kImported; ++i) {
        const int minute = i < kFirstPosition ? i : i - kFirstPosition;
        char time[8];
        std::snprintf(time, sizeof time, "%02d:%02d", minute / 60, minute % 60);
        const std::string day = FormatDateTime("yyyy-mm-dd", date + (i < kFirstPosition ? 0 : 1));
        const std::string id = std::to_string(1 + i);
        xml += "  <broadcast>\r\n    <date>" + day + "</date>\r\n    <time>" + time +
               "</time>\r\n    <duration>00:01:00</duration>\r\n    <series><![CDATA[Series]]>"
               "</series>\r\n    <program><![CDATA[Programme " +
               id + "]]></program>\r\n    <programuid><![CDATA[BG - " + id +
               "]]></programuid>\r\n    <language>BG</language>\r\n  </broadcast>\r\n";
    }
    const std::string fileName = folder + "/import.xml";
    std::ofstream(fileName, std::ios::binary) << xml << "</broadcasts>\r\n";
    return fileName;
}

// Onto the date after the latest: a new day the first time, the same import again after.
void ImportDay(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    const TDateTime date = database.LatestDate() + 1;
    ShowDate(main, date);
    const std::string file = BroadcastFile(database.Folder(), date);
    for (auto _ : state) {
        Script().AnswerFile(file);
        main.window.actImportExecute();
        Paint(*main.window.Planner1);
    }
    state.counters["broadcasts"] = ShownItems(main);
    main.window.actSaveExecute();
}

// The save of the import above, which replaces the broadcasts it stored.
void SaveImportedDay(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    const TDateTime date = database.LatestDate() + 1;
    ShowDate(main, date);
    const std::string file = BroadcastFile(database.Folder(), date);
    for (auto _ : state) {
        state.PauseTiming();
        Script().AnswerFile(file);
        main.window.actImportExecute();
        state.ResumeTiming();
        main.window.actSaveExecute();
    }
    state.counters["broadcasts"] = ShownItems(main);
}

// Over the stored day before the latest (after the first copy, at the smallest size).
void CopyDay(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    const TDateTime target = database.LatestDate() - 1;
    const auto answerDate = [target] {
        Script().AnswerWith([target](const DialogCall& call) {
            auto& window = dynamic_cast<TfrmCopyDay&>(*call.Window);
            window.edDate->setDate(ToQDate(target));
            window.btnCopy->click();
            return window.result();
        });
    };
    ShowDate(main, database.LatestDate());
    answerDate();
    main.window.actCopyDayExecute();
    for (auto _ : state) {
        answerDate();
        Script().Answer(mrYes);
        main.window.actCopyDayExecute();
        if (Script().PendingAnswers() != 0) throw std::runtime_error("no question to replace");
    }
    state.counters["broadcasts"] = ShownItems(main);
}

void XmltvWeek(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    const TDateTime last = database.LatestDate();
    const TChannelSettings channel{
        .Id = "tv.example.org", .DisplayName = "Channel", .TimeZone = "Europe/Sofia"};
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = StoredGuide(*main.data->qryTemp, last - 6, last, channel).size();
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// --- The picker --------------------------------------------------------------------------

// "Add Program(s)": the picker shown with its first page painted, then `act` in it, whose
// answer closes it.
void InPicker(MainWindowOn& main, const std::function<int(TfrmProgramFilter&)>& act) {
    Script().AnswerWith([&act](const DialogCall& call) {
        auto& picker = dynamic_cast<TfrmProgramFilter&>(*call.Window);
        picker.show();
        Paint(picker);
        return act(picker);
    });
    main.window.actAddProgramExecute();
}

void PickerFirstPage(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    int shown = 0;
    for (auto _ : state) {
        InPicker(main, [&](TfrmProgramFilter& picker) {
            state.PauseTiming();
            shown = picker.grdPrograms->VisibleRowCount();
            return mrCancel;
        });
        state.ResumeTiming();
    }
    state.counters["rows_shown"] = shown;
    state.counters["peak_MB"] = PeakMegabytes();
}

// A click on the column's title, again and again: its order turns at each.
void PickerSort(benchmark::State& state, HistoryDatabase& database, int column) {
    InPicker(database.Main(), [&](TfrmProgramFilter& picker) {
        TColumn& title = picker.grdPrograms->Columns().Items(column);
        for (auto _ : state) {
            picker.grdProgramsTitleClick(title);
            Paint(*picker.grdPrograms);
        }
        state.counters["rows_fetched"] = picker.qryPrograms->RecordCount();
        return mrCancel;
    });
}

// The first keystroke after an opening, which reads the text of every row.
void PickerFilterFirstKey(benchmark::State& state, HistoryDatabase& database) {
    InPicker(database.Main(), [&](TfrmProgramFilter& picker) {
        for (auto _ : state) {
            state.PauseTiming();
            picker.edtFilter->clear();
            picker.RefreshProgramList();
            Paint(*picker.grdPrograms);
            state.ResumeTiming();
            Type(*picker.edtFilter, QStringLiteral("7"));
            Paint(*picker.grdPrograms);
        }
        state.counters["rows_shown"] = picker.qryPrograms->RecordCount();
        return mrCancel;
    });
}

// "7" typed, then each keystroke makes it "77" and is taken back untimed.
void PickerFilterKey(benchmark::State& state, HistoryDatabase& database) {
    InPicker(database.Main(), [&](TfrmProgramFilter& picker) {
        Type(*picker.edtFilter, QStringLiteral("7"));
        for (auto _ : state) {
            Type(*picker.edtFilter, QStringLiteral("7"));
            Paint(*picker.grdPrograms);
            state.PauseTiming();
            state.counters["rows_shown"] = picker.qryPrograms->RecordCount();
            Key(*picker.edtFilter, Qt::Key_Backspace);
            state.ResumeTiming();
        }
        return mrCancel;
    });
}

constexpr int kSelected = 50;

// Every other row of the list from the top, as Ctrl+clicks leave them.
void SelectRows(TfrmProgramFilter& picker) {
    TIBQuery& list = *picker.qryPrograms;
    TBookmarkList& selected = picker.grdPrograms->SelectedBookmarks();
    list.First();
    for (int i = 0; i < kSelected && !list.AtEnd(); ++i) {
        selected.SetCurrentRowSelected(true);
        list.Next();
        if (!list.AtEnd()) list.Next();
    }
}

// From the Select button to the programmes shown in the planner; the picker opened untimed,
// the programmes taken back by Undo.
void PickerSelect50(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    ShowDate(main, database.LatestDate());
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int before = ShownItems(main);
        InPicker(main, [&](TfrmProgramFilter& picker) {
            SelectRows(picker);
            state.ResumeTiming();
            picker.btnSelect->click();
            return picker.result();
        });
        Paint(*main.window.Planner1);
        state.PauseTiming();
        added = ShownItems(main) - before;
        if (added > 0) main.window.History().Stack().undo();
        state.ResumeTiming();
    }
    state.counters["added"] = added;
}

// --- The catalogue -----------------------------------------------------------------------

// "Show All Programs": the catalogue shown with its first page painted, then `act` in it, whose
// answer closes it.
void InCatalogue(MainWindowOn& main, const std::function<int(TfrmPrograms&)>& act) {
    Script().AnswerWith([&act](const DialogCall& call) {
        auto& catalogue = dynamic_cast<TfrmPrograms&>(*call.Window);
        catalogue.show();
        Paint(catalogue);
        return act(catalogue);
    });
    main.window.actShowAllProgramsExecute();
}

void CatalogueFirstPage(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    int shown = 0;
    for (auto _ : state) {
        InCatalogue(main, [&](TfrmPrograms& catalogue) {
            state.PauseTiming();
            shown = catalogue.grdPrograms->VisibleRowCount();
            return mrCancel;
        });
        state.ResumeTiming();
    }
    state.counters["rows_shown"] = shown;
}

void Reopen(TfrmPrograms& catalogue) {
    catalogue.dstPrograms->Close();
    catalogue.dstPrograms->Open();
    Paint(*catalogue.grdPrograms);
}

// Each Page Down with its repaint; from the top again at the end.
void CataloguePageDown(benchmark::State& state, HistoryDatabase& database) {
    InCatalogue(database.Main(), [&](TfrmPrograms& catalogue) {
        for (auto _ : state) {
            if (catalogue.dstPrograms->AtEnd()) {
                state.PauseTiming();
                Reopen(catalogue);
                state.ResumeTiming();
            }
            Key(*catalogue.grdPrograms, Qt::Key_PageDown);
            Paint(*catalogue.grdPrograms);
        }
        return mrCancel;
    });
}

void CatalogueCtrlEnd(benchmark::State& state, HistoryDatabase& database) {
    InCatalogue(database.Main(), [&](TfrmPrograms& catalogue) {
        for (auto _ : state) {
            state.PauseTiming();
            Reopen(catalogue);
            state.ResumeTiming();
            Key(*catalogue.grdPrograms, Qt::Key_End, Qt::ControlModifier);
            Paint(*catalogue.grdPrograms);
        }
        state.counters["rows"] = catalogue.dstPrograms->RecordCount();
        return mrCancel;
    });
}

// What the user types between Insert and Post.
void TypeNewProgramme(TfrmPrograms& catalogue, int id) {
    TIBDataSet& programmes = *catalogue.dstPrograms;
    programmes.Field("NID").SetAsInteger(id);
    programmes.Field("SNAME").SetAsString("Benchmark programme " + std::to_string(id));
    programmes.Field("SSERIES_NAME").SetAsString("Benchmark");
}

// Insert and Post on the navigator, the typing between them untimed, on a fresh opening.
void CatalogueInsertPost(benchmark::State& state, HistoryDatabase& database) {
    InCatalogue(database.Main(), [&](TfrmPrograms& catalogue) {
        for (auto _ : state) {
            state.PauseTiming();
            Reopen(catalogue);
            state.ResumeTiming();
            catalogue.nv1->BtnClick(nbInsert);
            state.PauseTiming();
            TypeNewProgramme(catalogue, database.NewProgrammeId());
            state.ResumeTiming();
            catalogue.nv1->BtnClick(nbPost);
            Paint(*catalogue.grdPrograms);
        }
        return mrCancel;
    });
}

// Ctrl+Delete of a programme just posted, confirmed.
void CatalogueCtrlDelete(benchmark::State& state, HistoryDatabase& database) {
    InCatalogue(database.Main(), [&](TfrmPrograms& catalogue) {
        for (auto _ : state) {
            state.PauseTiming();
            const int id = database.NewProgrammeId();
            catalogue.nv1->BtnClick(nbInsert);
            TypeNewProgramme(catalogue, id);
            catalogue.nv1->BtnClick(nbPost);
            if (catalogue.dstPrograms->Field("NID").AsInteger() != id)
                throw std::runtime_error("the programme posted is not the current row");
            Script().Answer(mrYes);
            state.ResumeTiming();
            Key(*catalogue.grdPrograms, Qt::Key_Delete, Qt::ControlModifier);
            Paint(*catalogue.grdPrograms);
            if (Script().PendingAnswers() != 0) throw std::runtime_error("no question to delete");
        }
        return mrCancel;
    });
}

// From Esc to the main window's list of the current programme, with the commit of a posted
// edit of the first programme; the opening and the edit untimed.
void CatalogueClose(benchmark::State& state, HistoryDatabase& database) {
    MainWindowOn& main = database.Main();
    for (auto _ : state) {
        state.PauseTiming();
        InCatalogue(main, [&](TfrmPrograms& catalogue) {
            catalogue.nv1->BtnClick(nbEdit);
            catalogue.dstPrograms->Field("SDESCRIPTION")
                .SetAsString("Edited " + std::to_string(state.iterations()));
            catalogue.nv1->BtnClick(nbPost);
            state.ResumeTiming();
            catalogue.reject();
            return catalogue.result();
        });
    }
}

// --- The run -----------------------------------------------------------------------------

struct Step {
    std::string name;
    std::function<void(benchmark::State&, HistoryDatabase&)> run;
    // Fixed for the steps whose untimed preparation costs far more than the step.
    int iterations = 0;
};

constexpr int kPrepared = 5;

std::vector<Step> Steps() {
    std::vector<Step> steps = {{"OpenStoredDay", OpenStoredDay, 0},
                               {"SaveDay", SaveDay, 0},
                               {"ExportDay", ExportDay, 0},
                               {"ImportDay", ImportDay, 0},
                               {"SaveImportedDay", SaveImportedDay, 0},
                               {"PickerFirstPage", PickerFirstPage, 0}};
    const char* const columns[] = {"NPROGRAM_ID", "SSERIES_NAME",   "SNAME",
                                   "FDURATION",   "LAST_SHOW_DATE", "SHOW_CNT"};
    for (int i = 0; i < 6; ++i)
        steps.push_back({std::string("PickerSort_") + columns[i],
                         [i](benchmark::State& state, HistoryDatabase& database) {
                             PickerSort(state, database, i);
                         },
                         0});
    const std::vector<Step> rest = {{"PickerSelect50", PickerSelect50, kPrepared},
                                    {"CatalogueFirstPage", CatalogueFirstPage, 0},
                                    {"CataloguePageDown", CataloguePageDown, 0},
                                    {"CatalogueCtrlEnd", CatalogueCtrlEnd, 0},
                                    {"CatalogueInsertPost", CatalogueInsertPost, 0},
                                    {"CatalogueCtrlDelete", CatalogueCtrlDelete, 0},
                                    {"CatalogueClose", CatalogueClose, kPrepared},
                                    {"PickerFilterFirstKey", PickerFilterFirstKey, kPrepared},
                                    {"PickerFilterKey", PickerFilterKey, 0},
                                    {"CopyDay", CopyDay, 0},
                                    {"XmltvWeek", XmltvWeek, 0}};
    steps.insert(steps.end(), rest.begin(), rest.end());
    return steps;
}

// One size attached and copied at a time: the others are released first.
void RunStep(benchmark::State& state, const Step& step, HistoryDatabase& database,
             const std::vector<std::unique_ptr<HistoryDatabase>>& all) {
    for (const auto& other : all)
        if (other.get() != &database) other->Release();
    const std::size_t before = Script().Messages().size();
    try {
        step.run(state, database);
    } catch (const std::exception& error) {
        return state.SkipWithError(error.what());
    }
    const std::vector<std::string> messages = Script().Messages();
    for (std::size_t i = before; i < messages.size(); ++i)
        if (messages[i].rfind("Replace the ", 0) != 0 && messages[i] != "Delete record?")
            return state.SkipWithError(messages[i].c_str());
}

void Register(const Step& step, HistoryDatabase& database,
              const std::vector<std::unique_ptr<HistoryDatabase>>& all) {
    benchmark::internal::Benchmark* benchmark = benchmark::RegisterBenchmark(
        (step.name + "/" + database.Name()).c_str(),
        [step, &database, &all](benchmark::State& state) { RunStep(state, step, database, all); });
    benchmark->Unit(benchmark::kMillisecond);
    if (step.name == "Startup")
        benchmark->UseManualTime();
    else
        benchmark->UseRealTime();
    if (step.iterations > 0) benchmark->Iterations(step.iterations);
}

// Size by size, each step as the user meets it.
void RegisterSteps(const std::vector<std::unique_ptr<HistoryDatabase>>& all) {
    std::vector<Step> steps = Steps();
    steps.insert(steps.begin(), Step{"Startup", Startup, kPrepared});
    for (const auto& database : all)
        for (const Step& step : steps)
            Register(step, *database, all);
}

std::string ReadFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// SKEDORA_HISTORY="S=file,M=file,…", where the file "sample" is the sample database; without
// it "S=sample".
std::vector<std::unique_ptr<HistoryDatabase>> Databases(std::optional<TempDatabase>& sample) {
    const char* given = std::getenv("SKEDORA_HISTORY");
    std::istringstream entries(given && *given ? given : "S=sample");
    std::vector<std::unique_ptr<HistoryDatabase>> databases;
    for (std::string entry; std::getline(entries, entry, ',');) {
        const std::size_t equals = entry.find('=');
        std::string file = equals == std::string::npos ? std::string() : entry.substr(equals + 1);
        if (file == "sample") {
            if (!sample) sample.emplace(ReadFile(SKEDORA_SQL_DIR "/sample.sql"));
            file = sample->Path();
        }
        if (equals == 0 || !fs::exists(file))
            throw std::runtime_error("SKEDORA_HISTORY: expected NAME=file, not " + entry);
        databases.push_back(std::make_unique<HistoryDatabase>(entry.substr(0, equals), file));
    }
    return databases;
}

std::vector<std::string> Names(const std::vector<std::unique_ptr<HistoryDatabase>>& databases) {
    std::vector<std::string> names;
    for (const auto& database : databases)
        names.push_back(database->Name());
    return names;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const BenchApplication application;
    qtMessages = qInstallMessageHandler(QuietOffscreenWarnings);
    ScriptedDialogs dialogs;
    theDialogs = &dialogs;
    std::optional<TempDatabase> sample;
    std::vector<std::unique_ptr<HistoryDatabase>> databases;
    try {
        databases = Databases(sample);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 2;
    }
    RegisterSteps(databases);
    // Coloured on a terminal only, as the library's own reporter would be.
    HistoryTable table(Names(databases), isatty(STDOUT_FILENO) ? HistoryTable::OO_Defaults
                                                               : HistoryTable::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&table);
    // The windows and the copies go while the dialogs and the application are there.
    databases.clear();
    benchmark::Shutdown();
}
