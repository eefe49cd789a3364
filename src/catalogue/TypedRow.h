#pragma once

#include "platform/DateTime.h"

#include <string>
#include <vector>

class TIBCustomDataSet;

// The values of a record as the user typed them, kept apart from the dataset so that they
// outlive it when a lost connection closes it.
struct TTypedRow {
    struct Value {
        std::string field;
        bool null = true;
        std::string text;
        TDateTime time = 0;
    };
    bool inserting = false;
    // The key of the edited row as it is stored.
    int key = 0;
    std::vector<Value> values;
};

TTypedRow TakeTypedRow(const TIBCustomDataSet& dataSet, bool inserting, int key);
// Writes the values into the record being edited or inserted.
void PutTypedRow(TIBCustomDataSet& dataSet, const TTypedRow& row);
