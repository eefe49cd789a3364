#pragma once

#include "planner/model/CustomPlanner.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// Records what the model asks its view to repaint.
struct RecordingView : TPlannerView {
    struct Cells {
        int Column, Begin, End;
        bool operator==(const Cells&) const = default;
    };
    std::vector<Cells> Invalidated;
    int GridRepaints = 0;
    int SettingsChanges = 0;
    std::vector<std::string> Removed;

    void InvalidateCells(int column, int beginRow, int endRow) override {
        Invalidated.push_back({column, beginRow, endRow});
    }
    void InvalidateGrid() override { ++GridRepaints; }
    void SettingsChanged() override { ++SettingsChanges; }
    void ItemRemoving(TPlannerItem& item) override { Removed.push_back(item.ItemKey()); }
};

// The settings the planner tests are written against: ten-minute rows over one day with 08:00
// to 20:00 active, one position beside a 60-pixel time column, a header one caption line high,
// 04:50 at the top, selected slots blended at 20 %, and added items at slots 16 to 17.
inline void SetUpTestPlanner(TCustomPlanner& planner) {
    planner.BeginLoad();
    TPlannerDisplay& display = planner.Display();
    display.SetDisplayUnit(10);
    display.SetDisplayEnd(143);
    display.SetActiveStart(48);
    display.SetActiveEnd(120);
    display.SetShowCurrent(true);
    display.SetShowCurrentItem(true);
    planner.SetPositions(1);
    planner.SetItemGap(8);
    planner.Sidebar().SetWidth(60);
    planner.Header().SetAutoSize(true);
    planner.Header().Captions().Assign(
        {"Caption 1", "Caption 2", "Caption 3", "Caption 4", "Caption 5"});
    planner.Caption().SetTitle("Program");
    planner.SetMultiSelect(true);
    planner.SetDirectMove(true);
    planner.SetGridTopRow(29);
    planner.SetSelectBlend(20);
    planner.DefaultItem().SetItemBegin(16);
    planner.Loaded();
}

// An item placed at slots [begin, end) of a position.
inline TPlannerItem& AddAt(TCustomPlanner& planner, int begin, int end, int position = 0) {
    TPlannerItem& item = planner.Items().Add();
    item.SetItemPos(position);
    item.SetItemBegin(begin);
    item.SetItemEnd(end);
    return item;
}

// A test of a planner with those settings.
class PlannerTest : public testing::Test {
protected:
    PlannerTest() { SetUpTestPlanner(planner); }

    TCustomPlanner planner;
};
