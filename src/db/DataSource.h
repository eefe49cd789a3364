#pragma once

#include <functional>
#include <vector>

class TDataLink;
class TField;
class TIBCustomDataSet;

// Connects views to a result set: the result set tells each data source, which tells its links.
class TDataSource {
public:
    TDataSource() = default;
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    TIBCustomDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TIBCustomDataSet* dataSet);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void(TDataSource&)> OnStateChange;
    std::function<void(TDataSource&, TField*)> OnDataChange;

    // For the result set.
    void NotifyActiveChanged();
    void NotifyScrolled(int distance);
    void NotifyDataChanged();
    void NotifyRecordChanged(TField* field);
    void NotifyStateChanged();
    void NotifyUpdateData();
    // The largest window a link asks for; 0 without links.
    int LargestBufferCount() const;

private:
    friend class TDataLink;
    template <class Action> void ForEachLink(Action action);

    TIBCustomDataSet* dataSet_ = nullptr;
    bool enabled_ = true;
    std::vector<TDataLink*> links_;
};

// A view's tie to a data source. Views derive and override the notifications they need.
class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    TIBCustomDataSet* DataSet() const;
    // The result set is open and the data source enabled.
    bool Active() const;
    // Records the view shows at once; the result set keeps that many in its window.
    int BufferCount() const { return bufferCount_; }
    void SetBufferCount(int count);
    // The position of the current record inside the window.
    int ActiveRecord() const;

    // The result set opened or closed.
    virtual void ActiveChanged() {}
    // The current record moved; distance is how far the window moved.
    virtual void DataSetScrolled(int) {}
    // The rows shown changed as a whole.
    virtual void DataSetChanged() {}
    // A field of the current record changed (null: the whole record).
    virtual void RecordChanged(TField*) {}
    // Browse, edit or insert state changed.
    virtual void EditingChanged() {}
    // Write pending text into the fields before the result set posts or moves.
    virtual void UpdateData() {}

private:
    TDataSource* dataSource_ = nullptr;
    int bufferCount_ = 1;
};
