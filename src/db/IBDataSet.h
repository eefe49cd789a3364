#pragma once

#include "db/IBCustomDataSet.h"
#include "platform/Exceptions.h"

#include <functional>
#include <string>
#include <vector>

// A result set that changes the rows it shows: every post and delete runs one of its update
// statements at once, in its transaction, with parameters filled from the row by column name
// ("OLD_" + a column: the value before the edit).
class TIBDataSet : public TIBCustomDataSet {
public:
    using ErrorEvent = std::function<void(TIBCustomDataSet&, const EDatabaseError&)>;

    TIBDataSet();

    // Each text change closes and unprepares the dataset.
    const std::vector<std::string>& SelectSQL() const;
    void SetSelectSQL(std::vector<std::string> lines);
    const std::vector<std::string>& InsertSQL() const { return Text(opInsert); }
    void SetInsertSQL(std::vector<std::string> lines) { SetText(opInsert, std::move(lines)); }
    const std::vector<std::string>& ModifySQL() const { return Text(opModify); }
    void SetModifySQL(std::vector<std::string> lines) { SetText(opModify, std::move(lines)); }
    const std::vector<std::string>& DeleteSQL() const { return Text(opDelete); }
    void SetDeleteSQL(std::vector<std::string> lines) { SetText(opDelete, std::move(lines)); }
    const std::vector<std::string>& RefreshSQL() const { return Text(opRefresh); }
    void SetRefreshSQL(std::vector<std::string> lines) { SetText(opRefresh, std::move(lines)); }
    bool ParamCheck() const;
    void SetParamCheck(bool value);
    // Re-read every posted row, needed or not.
    bool ForcedRefresh() const { return forcedRefresh_; }
    void SetForcedRefresh(bool value) { forcedRefresh_ = value; }

    // Prepares all five statements, as opening does.
    void Prepare();
    // Whether each update statement prepared (false before preparation).
    bool CanInsert() const { return live_[opInsert]; }
    bool CanModify() const { return live_[opModify]; }
    bool CanDelete() const { return live_[opDelete]; }
    bool CanRefresh() const { return live_[opRefresh]; }

    bool Modifiable() const override { return CanInsert() || CanModify() || CanDelete(); }
    void Edit() override;
    void Insert() override;
    void Append() override;
    void Post() override;
    void Cancel() override;
    void Delete() override;
    void RefreshRow() override;

    Event BeforeEdit;
    Event AfterEdit;
    Event BeforeInsert;
    Event AfterInsert;
    Event OnNewRecord;
    Event BeforePost;
    Event AfterPost;
    Event BeforeCancel;
    Event AfterCancel;
    Event BeforeDelete;
    Event AfterDelete;
    Event BeforeRefresh;
    Event AfterRefresh;
    // Told of a failure of its operation before the failure propagates.
    ErrorEvent OnPostError;
    ErrorEvent OnEditError;
    ErrorEvent OnDeleteError;

protected:
    void InternalPrepare() override;
    void Unprepare() override;
    void ResolvePendingRecord() override;

private:
    // In the order they are prepared.
    enum Operation { opDelete, opInsert, opModify, opRefresh, kOperations };

    const std::vector<std::string>& Text(Operation operation) const {
        return updates_[operation].SQL();
    }
    void SetText(Operation operation, std::vector<std::string> lines);
    void PrepareOperation(Operation operation);
    // Empty unless the refresh statement is live and each of its parameters names a column.
    std::vector<int> RefreshKey();
    void CheckModifiable() const;
    void BeginInsert(bool append);
    // The modify statement when editing, else the insert statement; refused when not live.
    TIBSQL& PostStatement();
    void CheckRequiredFields() const;
    // Runs the statement filled from the active record; the error event hears of a failure.
    void ExecuteUpdate(TIBSQL& statement, const ErrorEvent& onError);
    // The post's statement succeeded: the record becomes a stored, unmodified row.
    void FinishPost();
    void RefreshActiveRecord();

    TIBSQL updates_[kOperations];
    bool live_[kOperations] = {};
    bool forcedRefresh_ = false;
};
