#pragma once

#include "db/IBCustomDataSet.h"
#include "db/Params.h"

#include <string>
#include <vector>

// The query component: statement text with named parameters whose values persist between
// executions; Execute for statements without rows, Open for a select.
class TIBQuery : public TIBCustomDataSet {
public:
    TIBQuery() = default;

    const std::vector<std::string>& SQL() const { return SelectStatement().SQL(); }
    // Closes and unprepares; parameter values survive under the same names only.
    void SetSQL(std::vector<std::string> lines);
    TParams& Params() { return params_; }
    // The first parameter of the name ignoring case; "Parameter '%s' not found" otherwise.
    TParam& Param(const std::string& name);
    bool ParamCheck() const { return SelectStatement().ParamCheck(); }
    void SetParamCheck(bool value);
    bool CachedUpdates() const { return cachedUpdates_; }
    void SetCachedUpdates(bool value) { cachedUpdates_ = value; }

    void Execute();
    void Prepare();
    // The server's statement type once prepared.
    int StatementType() const { return SelectStatement().SQLType(); }

protected:
    void InternalPrepare() override;
    void BindParams() override;

private:
    const TIBSQL& SelectStatement() const {
        return const_cast<TIBQuery*>(this)->TIBCustomDataSet::SelectStatement();
    }
    using TIBCustomDataSet::SelectStatement;
    void BindParam(TIBXSQLVAR& slot, const TParam& param);

    TParams params_;
    bool cachedUpdates_ = false;
};
