#include "db/IBQuery.h"

#include "db/IBErrors.h"
#include "db/IBTransaction.h"
#include "db/SQLParser.h"

namespace {
constexpr std::size_t kShortestStatement = 2;
} // namespace

void TIBQuery::SetSQL(std::vector<std::string> lines) {
    Close();
    Unprepare();
    if (ParamCheck()) {
        TParams params;
        params.Build(ScanParamNames(JoinLines(lines)));
        params.AssignValues(params_);
        params_ = std::move(params);
    }
    SelectStatement().SetSQL(std::move(lines));
}

void TIBQuery::SetParamCheck(bool value) {
    CheckNotOpen();
    Unprepare();
    SelectStatement().SetParamCheck(value);
}

TParam& TIBQuery::Param(const std::string& name) {
    TParam* param = params_.FindParam(name);
    if (!param) DatabaseError("Parameter '" + name + "' not found");
    return *param;
}

void TIBQuery::Prepare() {
    PrepareConnection();
    InternalPrepare();
}

void TIBQuery::InternalPrepare() {
    if (Prepared()) return;
    if (JoinLines(SQL()).size() < kShortestStatement)
        RaiseClientError(ClientError::EmptySqlStatement);
    TIBCustomDataSet::InternalPrepare();
}

void TIBQuery::Execute() {
    CheckNotOpen();
    if (SQL().empty()) RaiseClientError(ClientError::EmptySqlStatement);
    const bool started = PrepareConnection();
    InternalPrepare();
    BindParams();
    if (StatementType() == SQLSelect) RaiseClientError(ClientError::SelectNeedsOpen);
    SelectStatement().Execute();
    if (started) Transaction()->CheckAutoStop();
}

// Each slot takes the value of the parameter of its name, so a name hidden from one of the two
// scans can never shift values onto the wrong placeholders.
void TIBQuery::BindParams() {
    TIBXSQLDA& slots = SelectStatement().Params();
    for (int i = 0; i < slots.Count(); ++i) {
        TIBXSQLVAR& slot = slots.Var(i);
        const TParam* param = params_.FindParam(slot.Name());
        if (!param) DatabaseError("Parameter '" + slot.Name() + "' not found");
        BindParam(slot, *param);
    }
}

void TIBQuery::BindParam(TIBXSQLVAR& slot, const TParam& param) {
    if (param.IsNull()) return slot.SetIsNull(true);
    slot.SetIsNull(false);
    switch (param.DataType()) {
    case ftString:
    case ftFixedChar:
    case ftBlob:
    case ftMemo:
        return slot.SetAsString(param.AsString());
    case ftSmallint:
    case ftWord:
    case ftBoolean:
        return slot.SetAsShort(static_cast<short>(param.AsInteger()));
    case ftInteger:
        return slot.SetAsLong(static_cast<std::int32_t>(param.AsInteger()));
    case ftFloat:
        return slot.SetAsDouble(param.AsFloat());
    case ftCurrency:
    case ftBCD:
        return slot.SetAsCurrency(param.AsFloat());
    case ftDate:
        return slot.SetAsDate(param.AsFloat());
    case ftTime:
        return slot.SetAsTime(param.AsFloat());
    case ftDateTime:
        return slot.SetAsDateTime(param.AsFloat());
    case ftBytes:
        return slot.SetAsBytes(param.AsString());
    case ftLargeint:
        return slot.SetAsInt64(param.AsInteger());
    default:
        RaiseClientError(ClientError::UnsupportedFeature);
    }
}
