#include "HistoryTable.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace {

// The budgets: at M every step under 100 ms but start-up and the picker's first page; at L
// none over a second; the day steps, which must read by the indexes, within 1.5 times between
// the smallest size and the largest; the picker open at L within 250 MB.
double BudgetAtM(const std::string& step) {
    if (step == "Startup") return 500;
    if (step == "PickerFirstPage") return 300;
    return 100;
}
constexpr double kBudgetAtL = 1000;
constexpr double kDayStepGrowth = 1.5;
constexpr double kPickerMegabytesAtL = 250;

bool IsDayStep(const std::string& step) {
    return step == "OpenStoredDay" || step == "SaveDay" || step == "ExportDay" || step == "CopyDay";
}

std::string Number(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string LoadAverage() {
    std::string one, five, fifteen;
    std::ifstream("/proc/loadavg") >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

} // namespace

void HistoryTable::ReportRuns(const std::vector<Run>& reports) {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports)
        if (run.run_type == Run::RT_Iteration && !run.error_occurred) Collect(run);
}

void HistoryTable::Collect(const Run& run) {
    const std::string& name = run.run_name.function_name;
    const std::size_t slash = name.find('/');
    if (slash == std::string::npos) return;
    const std::string size = name.substr(slash + 1);
    RowOf(name.substr(0, slash)).milliseconds[size].push_back(run.GetAdjustedRealTime());
    const auto broadcasts = run.counters.find("broadcasts");
    if (broadcasts != run.counters.end() && broadcasts->second.value > 0)
        RowOf(name.substr(0, slash)).broadcasts[size] = broadcasts->second.value;
    const auto peak = run.counters.find("peak_MB");
    if (peak != run.counters.end()) peakMegabytes_[size] = peak->second.value;
}

HistoryTable::Row& HistoryTable::RowOf(const std::string& step) {
    for (Row& row : rows_)
        if (row.step == step) return row;
    return rows_.emplace_back(Row{step, {}, {}});
}

double HistoryTable::Figure(const Row& row, const std::string& size) {
    const auto runs = row.milliseconds.find(size);
    if (runs == row.milliseconds.end()) return -1;
    std::vector<double> sorted = runs->second;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double HistoryTable::Growth(const Row& row) const {
    const std::string &first = sizes_.front(), &last = sizes_.back();
    const double from = Figure(row, first), to = Figure(row, last);
    if (from <= 0 || to < 0) return -1;
    const bool perBroadcast =
        IsDayStep(row.step) && row.broadcasts.contains(first) && row.broadcasts.contains(last);
    return perBroadcast ? to / row.broadcasts.at(last) / (from / row.broadcasts.at(first))
                        : to / from;
}

std::string HistoryTable::MissedBudgets(const Row& row) const {
    std::string missed;
    const auto add = [&missed](const std::string& text) {
        missed += (missed.empty() ? "" : "; ") + text;
    };
    const double atM = Figure(row, "M"), atL = Figure(row, "L");
    if (atM > BudgetAtM(row.step)) add("M over " + Number("%.0f", BudgetAtM(row.step)) + " ms");
    if (atL > kBudgetAtL) add("L over " + Number("%.0f", kBudgetAtL) + " ms");
    if (sizes_.size() < 2 || !IsDayStep(row.step)) return missed;
    if (Growth(row) > kDayStepGrowth) add("grows over " + Number("%.1f", kDayStepGrowth) + "x");
    return missed;
}

void HistoryTable::Finalize() {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\nEvery step, real time in ms (median of the runs); load average " << LoadAverage()
        << "\nThe growth of the day steps is per broadcast: the days of the sizes differ.\n";
    PrintHeader(out);
    for (const Row& row : rows_)
        PrintRow(out, row);
    PrintMemory(out);
}

void HistoryTable::PrintHeader(std::ostream& out) const {
    std::string line = "step";
    line.resize(26, ' ');
    for (const std::string& size : sizes_)
        line += std::string(std::max<std::size_t>(1, 11 - size.size()), ' ') + size;
    const std::string growth = sizes_.back() + "/" + sizes_.front();
    if (sizes_.size() > 1)
        line += std::string(std::max<std::size_t>(1, 8 - growth.size()), ' ') + growth;
    out << line << "   over budget\n";
}

void HistoryTable::PrintRow(std::ostream& out, const Row& row) const {
    std::string line = row.step;
    line.resize(std::max<std::size_t>(26, line.size() + 1), ' ');
    for (const std::string& size : sizes_) {
        const double figure = Figure(row, size);
        line += figure < 0 ? std::string(11, ' ') : Number("%11.2f", figure);
    }
    const double growth = Growth(row);
    if (sizes_.size() > 1) line += growth >= 0 ? Number("%7.1fx", growth) : std::string(8, ' ');
    out << line << "   " << MissedBudgets(row) << "\n";
}

// The counter is the process's peak so far: a figure of one size alone comes from a run of the
// picker's first page alone.
void HistoryTable::PrintMemory(std::ostream& out) const {
    if (peakMegabytes_.empty()) return;
    out << "Peak memory with the picker open (MB; isolated only in a run of that step alone):";
    for (const std::string& size : sizes_) {
        const auto peak = peakMegabytes_.find(size);
        if (peak != peakMegabytes_.end()) out << " " << size << " " << Number("%.1f", peak->second);
    }
    const auto atL = peakMegabytes_.find("L");
    if (atL != peakMegabytes_.end() && atL->second > kPickerMegabytesAtL)
        out << "   over budget: L over " << Number("%.0f", kPickerMegabytesAtL) << " MB";
    out << "\n";
}
