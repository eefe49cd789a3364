#include "db/DataSource.h"

#include "db/IBCustomDataSet.h"

#include <algorithm>

TDataSource::~TDataSource() {
    SetDataSet(nullptr);
    for (TDataLink* link : std::vector<TDataLink*>(links_))
        link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TIBCustomDataSet* dataSet) {
    if (dataSet == dataSet_) return;
    if (dataSet_) dataSet_->RemoveDataSource(*this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->AddDataSource(*this);
    NotifyActiveChanged();
}

void TDataSource::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    ForEachLink([](TDataLink& link) { link.ActiveChanged(); });
}

template <class Action> void TDataSource::ForEachLink(Action action) {
    for (TDataLink* link : std::vector<TDataLink*>(links_))
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) action(*link);
}

void TDataSource::NotifyActiveChanged() {
    ForEachLink([](TDataLink& link) { link.ActiveChanged(); });
    if (OnStateChange) OnStateChange(*this);
}

void TDataSource::NotifyScrolled(int distance) {
    if (!enabled_) return;
    ForEachLink([distance](TDataLink& link) { link.DataSetScrolled(distance); });
    if (OnDataChange) OnDataChange(*this, nullptr);
}

void TDataSource::NotifyDataChanged() {
    if (!enabled_) return;
    ForEachLink([](TDataLink& link) { link.DataSetChanged(); });
    if (OnDataChange) OnDataChange(*this, nullptr);
}

void TDataSource::NotifyRecordChanged(TField* field) {
    if (!enabled_) return;
    ForEachLink([field](TDataLink& link) { link.RecordChanged(field); });
    if (OnDataChange) OnDataChange(*this, field);
}

void TDataSource::NotifyStateChanged() {
    ForEachLink([](TDataLink& link) { link.EditingChanged(); });
    if (OnStateChange) OnStateChange(*this);
}

void TDataSource::NotifyUpdateData() {
    ForEachLink([](TDataLink& link) { link.UpdateData(); });
}

int TDataSource::LargestBufferCount() const {
    int count = 0;
    for (const TDataLink* link : links_)
        count = std::max(count, link->BufferCount());
    return count;
}

TDataLink::~TDataLink() {
    SetDataSource(nullptr);
}

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == dataSource_) return;
    if (dataSource_) {
        auto& links = dataSource_->links_;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
        if (dataSource_->DataSet()) dataSource_->DataSet()->UpdateBufferCount();
    }
    dataSource_ = source;
    if (dataSource_) {
        dataSource_->links_.push_back(this);
        if (dataSource_->DataSet()) dataSource_->DataSet()->UpdateBufferCount();
    }
}

TIBCustomDataSet* TDataLink::DataSet() const {
    return dataSource_ ? dataSource_->DataSet() : nullptr;
}

bool TDataLink::Active() const {
    return DataSet() && DataSet()->Active() && dataSource_->Enabled();
}

void TDataLink::SetBufferCount(int count) {
    bufferCount_ = std::max(count, 1);
    if (TIBCustomDataSet* dataSet = DataSet()) dataSet->UpdateBufferCount();
}

int TDataLink::ActiveRecord() const {
    return DataSet() ? DataSet()->ActiveRecordIndex() : 0;
}
