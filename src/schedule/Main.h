#pragma once

#include "day/DayMarks.h"
#include "platform/DateTime.h"
#include "platform/Dialogs.h"
#include "schedule/MarkSettings.h"
#include "schedule/ScheduleEntry.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class TScheduleDateBar;
class TRecoveryFile;
class TScheduleHistory;
struct TScheduleDay;
class QToolBar;
class QToolButton;
class TIBQuery;
class TIBTransaction;
class TmodData;
class TPlanner;
class TPlannerItem;
class TPlannerCalendar;
class TPlannerCalendarGroup;
class TQtImageList;
class TSimpleXml;

// The main window: the day planner with its toolbar.
class TfrmMain : public QMainWindow {
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Points the window's queries and transactions at the data module's connection.
    void BindDataModule(TmodData& data);

    // The day whose broadcasts are added, saved and exported.
    TDateTime ScheduleDate() const;
    // Adds one planner item for the entry in the position.
    void AddScheduleItem(TScheduleEntry entry, int position);
    // Reopens qryPrograms on the catalogue rows of a comma-separated identifier list.
    void LoadSelectedPrograms(const std::string& ids);
    // One item per row of qryPrograms in position 0, one after another from NextFreeStart.
    void AddLoadedPrograms();
    // Where programmes added next start: the end of the latest item of position 0 (its time of
    // day), or the start of the active range when position 0 is empty.
    TDateTime NextFreeStart() const;
    // Replaces the broadcasts stored under the schedule date by the planner's items.
    void SaveSchedule();
    // Writes the broadcasts saved under the schedule date to a file the user picks.
    void ExportSchedule();

    // Shows the broadcasts stored under the schedule date; on an error the planner keeps what
    // it had. The day then counts as saved.
    void OpenStoredDay();
    // The user's move to another date: asks about unsaved changes, reads the day and shows it;
    // a refusal or an error leaves the date and the planner as they were.
    void ChangeScheduleDate(TDateTime date);
    // Shows a date without opening it (start-up, before the connection is there).
    void SetScheduleDate(TDateTime date);
    // With unsaved changes, asks whether to save them first; false when the user cancels or
    // the save fails. Discard forgets the changes kept for recovery, or with KeepChanges leaves
    // them as they are, for a step that only reads the stored days.
    enum class OnDiscard { ForgetChanges, KeepChanges };
    bool ConfirmLeavingDay(OnDiscard discard = OnDiscard::ForgetChanges);
    // Takes the selected items off the planner.
    void RemoveSelectedItems();
    TScheduleHistory& History() { return *history_; }

    // Places the programmes the user picks in position 0.
    void actAddProgramExecute();
    void actSaveExecute();
    void actExportExecute();
    // Replaces the planner's content by the broadcasts of a file the user picks.
    void actImportExecute();
    // Opens the catalogue window; the row current at its closing reopens qryPrograms.
    void actShowAllProgramsExecute();
    // Stores the shown day, unsaved changes included, under another date the user picks; the
    // shown day and its history stay as they are.
    void actCopyDayExecute();
    // The stored days of a range the user picks as an XMLTV guide.
    void actExportXmltvExecute();
    // The shown day, unsaved changes included, as a table per position: printed after a
    // preview, as a PDF file, or as a CSV file.
    void actPrintExecute();
    void actExportPdfExecute();
    void actExportCsvExecute();

    QToolBar* tlbMain = nullptr;
    QToolButton* btnAddProgram = nullptr;
    QToolButton* btnSave = nullptr;
    QToolButton* btnExport = nullptr;
    QToolButton* btnImport = nullptr;
    QToolButton* btnShowAllPrograms = nullptr;
    // At the toolbar's right end: what the window does beyond its five buttons.
    QToolButton* btnMore = nullptr;
    QMenu* mnuMore = nullptr;
    QAction* actCopyDay = nullptr;
    QAction* actExportXmltv = nullptr;
    QAction* actPrint = nullptr;
    QAction* actExportPdf = nullptr;
    QAction* actExportCsv = nullptr;
    TPlanner* Planner1 = nullptr;
    QWidget* Panel1 = nullptr;
    TPlannerCalendar* PlannerCalendar1 = nullptr;
    TPlannerCalendarGroup* PlannerCalendarGroup1 = nullptr;
    std::unique_ptr<TIBQuery> qryPrograms;
    std::unique_ptr<TIBTransaction> trPrograms;
    std::unique_ptr<TQtImageList> il1;
    // The toolbar's actions, in the order they were declared.
    std::vector<QAction*> actlst1;
    QAction* actAddProgram = nullptr;
    QAction* actSave = nullptr;
    QAction* actExport = nullptr;
    QAction* actImport = nullptr;
    QAction* actShowAllPrograms = nullptr;
    OpenFileRequest dlg1;
    std::unique_ptr<TQtImageList> il2;
    std::unique_ptr<TSimpleXml> SimpleXml1;

    // Beyond the form: choosing and opening any day, removing items, undo.
    TScheduleDateBar* DateBar = nullptr;
    QAction* actUndo = nullptr;
    QAction* actRedo = nullptr;
    QAction* actPreviousDay = nullptr;
    QAction* actNextDay = nullptr;
    QAction* actRemove = nullptr;
    QMenu* mnuItem = nullptr;
    std::unique_ptr<TIBQuery> qryDay;
    std::unique_ptr<TIBTransaction> trDay;

    // The day's overlaps, gaps and totals: drawn over the planner, summed in the status bar.
    QLabel* lblTotals = nullptr;
    QToolButton* btnOverlaps = nullptr;
    QAction* actSettings = nullptr;
    // Marks the shown day afresh; every change of the day ends here.
    void RefreshDayMarks();
    const TDayMarks& DayMarks() const { return marks_; }
    // Selects the items that overlap another and scrolls to the first of them.
    void SelectOverlappingItems();
    void actSettingsExecute();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateForm();
    void CreateToolbar();
    void CreatePlanner(QWidget* client);
    void CreatePanel(QWidget* client);
    void CreateComponents();
    void CreateActions();
    QAction* AddAction(const char* name, const char* caption, int imageIndex,
                       void (TfrmMain::*handler)());
    QToolButton* AddToolButton(const char* name, QAction* action);
    void CreateMoreMenu();
    void CreateHandOverActions();
    // Asks for the file name, proposing one, and writes the bytes to it.
    void SaveHandOver(const std::string& title, const std::string& filter,
                      const std::string& fileName, const std::string& bytes);
    void CreateDayControls();
    void CreateUndoActions();
    QAction* AddShortcut(const char* name, const char* caption, const QList<QKeySequence>& keys,
                         std::function<void()> handler);
    void ConnectPlanner();
    void CreateDayMarks();
    void ShowStoredDay(const TScheduleDay& day);
    // The save behind Save and the prompts: false when the user left the day unsaved at the
    // question about another user's save.
    bool StoreShownDay();
    // Shows the stored day as one step of the history, the day shown before it one Undo away.
    void ReloadStoredDay();
    // The file that keeps the shown date's unsaved work on this database.
    TRecoveryFile RecoveryOfShownDay() const;
    // After every step and every save: the unsaved day on disk, or no file once it is saved.
    void KeepRecovery();
    // Asks whether to put the kept work of the day just opened back on the planner.
    void OfferRecovery(const TScheduleDay& kept, int storedVersion);
    void ItemRightClick(TPlannerItem& item);

    TmodData* data_ = nullptr;
    TScheduleHistory* history_ = nullptr;
    // The saved version the day shown started from.
    int storedVersion_ = 0;
    TMarkSettings markSettings_;
    TScheduleDay markedDay_;
    TDayMarks marks_;
};
