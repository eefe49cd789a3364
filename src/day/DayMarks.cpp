#include "day/DayMarks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>

namespace {

using Ms = std::int64_t;
constexpr Ms kDayMs = 86400000;

Ms ToMs(TDateTime time) {
    return std::llround(time * kMSecsPerDay);
}

TDateTime FromMs(Ms ms) {
    return static_cast<double>(ms) / kMSecsPerDay;
}

// A broadcast on the air, in milliseconds from position 0's midnight; one ending before it
// starts has no length.
struct Span {
    Ms Start;
    Ms End;
    int Index;
};

std::vector<Span> SpansByStart(const std::vector<TDayBroadcast>& broadcasts) {
    std::vector<Span> spans;
    spans.reserve(broadcasts.size());
    for (const TDayBroadcast& b : broadcasts) {
        const Ms start = ToMs(b.Position + b.Start);
        spans.push_back(
            {start, std::max(start, ToMs(b.Position + b.End)), static_cast<int>(spans.size())});
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
        return std::tie(a.Start, a.Index) < std::tie(b.Start, b.Index);
    });
    return spans;
}

// Each new span against those still running when it starts; one that starts with it while
// having no length overlaps nothing.
void MarkOverlaps(const std::vector<Span>& spans, std::vector<std::vector<TDayOverlap>>& marks) {
    std::vector<Span> running;
    for (const Span& span : spans) {
        std::erase_if(running, [&](const Span& r) { return r.End <= span.Start; });
        for (const Span& r : running) {
            if (r.Start >= span.End) continue;
            const TDateTime length = FromMs(std::min(r.End, span.End) - span.Start);
            marks[r.Index].push_back({span.Index, length});
            marks[span.Index].push_back({r.Index, length});
        }
        running.push_back(span);
    }
    for (std::vector<TDayOverlap>& overlaps : marks)
        std::sort(overlaps.begin(), overlaps.end(), [](const TDayOverlap& a, const TDayOverlap& b) {
            return a.Length != b.Length ? a.Length > b.Length : a.Other < b.Other;
        });
}

// The broadcast of a position that reaches furthest so far.
struct Reach {
    int Index = -1;
    Ms End = 0;
};

// Gaps run from the furthest end so far, so a broadcast inside a longer one opens none.
void MarkGaps(const std::vector<TDayBroadcast>& broadcasts, const std::vector<Span>& spans,
              Ms threshold, TDayMarks& marks) {
    std::vector<Reach> reach(marks.PositionTotals.size());
    for (const Span& span : spans) {
        const int position = broadcasts[span.Index].Position;
        if (position < 0) continue;
        const Ms midnight = position * kDayMs;
        Reach& r = reach[position];
        TDayTotals& totals = marks.PositionTotals[position];
        if (r.Index < 0) {
            totals.FirstStart = FromMs(span.Start - midnight);
        } else if (span.Start - r.End > threshold) {
            const TDayGap gap{FromMs(r.End - midnight), FromMs(span.Start - midnight), r.Index,
                              span.Index};
            marks.Gaps[position].push_back(gap);
            totals.Gaps += gap.Length();
        }
        if (r.Index < 0 || span.End > r.End) r = {span.Index, span.End};
        totals.LastEnd = FromMs(r.End - midnight);
        ++totals.Broadcasts;
        totals.Overlapping += !marks.Overlaps[span.Index].empty();
    }
}

// Adds a stretch of air time to the positions whose 24 hours it covers.
void AddOnAir(Ms from, Ms to, std::vector<TDayTotals>& totals) {
    from = std::max<Ms>(from, 0);
    to = std::min<Ms>(to, static_cast<Ms>(totals.size()) * kDayMs);
    for (Ms p = from / kDayMs; from < to; ++p) {
        const Ms end = std::min(to, (p + 1) * kDayMs);
        totals[p].OnAir += FromMs(end - from);
        from = end;
    }
}

// The union of the spans, so time covered twice counts once.
void AddOnAir(const std::vector<Span>& spans, std::vector<TDayTotals>& totals) {
    Ms from = std::numeric_limits<Ms>::min();
    Ms to = from;
    for (const Span& span : spans) {
        if (span.Start > to) {
            AddOnAir(from, to, totals);
            from = span.Start;
        }
        to = std::max(to, span.End);
    }
    AddOnAir(from, to, totals);
    for (TDayTotals& position : totals)
        position.DeadAir = 1 - position.OnAir;
}

TDayTotals DayTotals(const std::vector<TDayTotals>& positions) {
    TDayTotals day;
    for (size_t p = 0; p < positions.size(); ++p) {
        const TDayTotals& t = positions[p];
        day.Broadcasts += t.Broadcasts;
        day.OnAir += t.OnAir;
        day.Gaps += t.Gaps;
        day.DeadAir += t.DeadAir;
        day.Overlapping += t.Overlapping;
        if (!t.FirstStart) continue;
        day.FirstStart = std::min(day.FirstStart.value_or(p + *t.FirstStart), p + *t.FirstStart);
        day.LastEnd = std::max(day.LastEnd.value_or(p + *t.LastEnd), p + *t.LastEnd);
    }
    return day;
}

} // namespace

TDayMarks MarkDay(const TScheduleDay& day, TDateTime gapThreshold) {
    const size_t positions = std::max(day.Positions, PositionsFor(day.Broadcasts));
    TDayMarks marks;
    marks.Overlaps.resize(day.Broadcasts.size());
    marks.Gaps.resize(positions);
    marks.PositionTotals.resize(positions);
    const std::vector<Span> spans = SpansByStart(day.Broadcasts);
    MarkOverlaps(spans, marks.Overlaps);
    MarkGaps(day.Broadcasts, spans, std::max<Ms>(ToMs(gapThreshold), 0), marks);
    AddOnAir(spans, marks.PositionTotals);
    marks.Totals = DayTotals(marks.PositionTotals);
    return marks;
}
