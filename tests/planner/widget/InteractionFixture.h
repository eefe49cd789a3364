#pragma once

#include "ScheduleItems.h"
#include "TestPlanner.h"
#include "planner/widget/Planner.h"
#include "support/TestApplication.h"

#include <QTest>
#include <QWheelEvent>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The test planner as a widget 15 rows high, with rows 55 to 69 in view, a clock the test turns
// and a log of the notifications.
class InteractionTest : public testing::Test {
protected:
    InteractionTest() {
        planner.resize(600, 410);
        SetUpTestPlanner(planner);
        planner.TickCount = [this] { return ticks; };
        planner.SetTopRow(55);
        planner.OnItemMove = [this](TPlannerItem& item, const TItemPlace& from,
                                    const TItemPlace& to) { Log("move", item, from, to); };
        planner.OnItemSize = [this](TPlannerItem& item, const TItemPlace& from,
                                    const TItemPlace& to) { Log("size", item, from, to); };
    }

    // A read-only programme as the schedule adds it.
    TPlannerItem& Programme(int hour, int minute, int minutes, int position = 0) {
        TPlannerItem& item =
            AddProgramme(planner, At(hour, minute), At(minutes / 60, minutes % 60), position);
        item.SetReadOnly(true);
        item.ViewState().CaptionHeight = 16;
        return item;
    }

    // A widget point dx pixels right of a position column's left edge and dy below the top
    // of a row.
    QPoint Point(int position, int row, int dx, int dy) const {
        const TPlannerLayout layout = planner.Layout();
        const TRect cell = layout.CellRect(position + 1, row, planner.TopRow(), 24);
        return {cell.Left + dx, layout.Grid.Top + cell.Top + dy};
    }
    QPoint Body(const TPlannerItem& item) const {
        return Point(item.ItemPos(), item.ItemBegin() + 1, 100, 12);
    }

    void Press(QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(&planner, Qt::LeftButton, modifiers, at);
    }
    void MoveTo(QPoint at) { QTest::mouseMove(&planner, at); }
    // Qt Test moves the real cursor when no button is down, which a hidden window never sees.
    void Hover(QPoint at) {
        QMouseEvent event(QEvent::MouseMove, at, planner.mapToGlobal(at), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&planner, &event);
    }
    void Release(QPoint at) { QTest::mouseRelease(&planner, Qt::LeftButton, {}, at); }
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        Press(at, modifiers);
        Release(at);
    }
    void Drag(QPoint from, QPoint to) {
        Press(from);
        MoveTo(to);
        Release(to);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(&planner, key, modifiers);
    }
    void Wheel(int delta) {
        const QPointF at(200, 200);
        QWheelEvent event(at, planner.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&planner, &event);
    }

    void Log(const char* what, TPlannerItem& item, const TItemPlace& from, const TItemPlace& to) {
        events.push_back(std::string(what) + " " + std::to_string(item.Index()) + " " + Text(from) +
                         " > " + Text(to));
    }
    static std::string Text(const TItemPlace& place) {
        return std::to_string(place.Pos) + ":" + std::to_string(place.Begin) + "-" +
               std::to_string(place.End);
    }

    QApplication& application = TestApplication(); // before any widget
    TPlanner planner;
    std::int64_t ticks = 1000;
    std::vector<std::string> events;
};
