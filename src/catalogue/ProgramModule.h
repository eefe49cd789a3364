#pragma once

#include "catalogue/TypedRow.h"
#include "platform/Canvas.h"
#include "platform/Dialogs.h"

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class TColumn;
class EDatabaseError;
class TDataSource;
class TDateTimePicker;
class TDBEdit;
class TDBMemo;
class TDBNavigator;
class TIBCustomDataSet;
class TIBDataSet;
class TIBTransaction;
class TmodData;
class TQtImageList;
class TRecordGrid;

// The catalogue window: views, adds and edits the programmes.
class TfrmPrograms : public QDialog {
public:
    explicit TfrmPrograms(QWidget* parent = nullptr);
    ~TfrmPrograms() override;

    // Points the window's dataset and transaction at the data module's connection.
    void BindDataModule(TmodData& data);

    // Shows a fresh catalogue window; the NID of the row current at closing, 0 without rows.
    // Posted changes are committed when the window goes; a failed commit is rolled back and raised.
    static int ShowProgramCatalogue(TmodData& data);

    void FormCreate();
    void grdProgramsDrawColumnCell(const TRect& rect, int dataCol, TColumn& column, unsigned state);
    void dstProgramsAfterScroll(TIBCustomDataSet& dataSet);
    void dstProgramsBeforeEdit(TIBCustomDataSet& dataSet);
    // Keeps the typing until the server has it.
    void dstProgramsBeforePost(TIBCustomDataSet& dataSet);
    // A lost connection closes the dataset with the typing; it comes back once reconnected.
    void dstProgramsAfterClose();
    // A row another user holds is said to be so; the row stays in editing with the typing.
    void dstProgramsPostError(const EDatabaseError& error);
    void edFileButtonClick();
    void edFileChange();
    // The user typed or chose a file name.
    void edFileEdited();
    // The user changed the running time.
    void dtpDurationChange();
    // The current row holds typing that was not posted.
    bool HasUnpostedChanges();

    TDBNavigator* nv1 = nullptr;
    TRecordGrid* grdPrograms = nullptr;
    QWidget* Panel1 = nullptr;
    TDBEdit* edID = nullptr;
    TDBEdit* edCode = nullptr;
    TDBEdit* edName = nullptr;
    TDateTimePicker* dtpDuration = nullptr;
    QGroupBox* grpNote = nullptr;
    TDBMemo* mNote = nullptr;
    QLineEdit* edFile = nullptr;
    std::unique_ptr<TIBTransaction> trPrograms;
    std::unique_ptr<TIBDataSet> dstPrograms;
    std::unique_ptr<TDataSource> dsPrograms;
    std::unique_ptr<TQtImageList> ilNavigator;
    OpenFileRequest dlg1;

    void reject() override;

private:
    void CreateForm();
    void CreateDataSet();
    void CreateNavigator();
    void CreateGrid();
    void CreatePanel();
    void CreateEdits(QWidget* fields);
    void CreateNote();
    QLabel* AddLabel(QWidget* parent, const char* caption, QWidget* buddy);
    TDBEdit* AddEdit(QWidget* parent, const char* name, const char* field);
    // Save, discard or stay when the window closes over typing that was not posted.
    bool ResolveUnpostedChanges();
    // Reconnects and opens the row that was being posted in editing, with its typing.
    void ReopenWithTyping();
    bool MoveToProgramme(int id);

    int editedKey_ = 0;
    // Typing posted but not yet stored.
    std::optional<TTypedRow> unposted_;
};
