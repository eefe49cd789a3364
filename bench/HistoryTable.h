#pragma once

// The console's output of bench/history, then its figures as one table: a row per step, a
// column per database size (the median of the runs' real time per iteration, in ms), the growth
// from the first size to the last (per broadcast for the day steps), and the budgets the step
// misses. Benchmarks are named
// "Step/Size".
#include <benchmark/benchmark.h>
#include <map>
#include <ostream>
#include <string>
#include <vector>

class HistoryTable : public benchmark::ConsoleReporter {
public:
    HistoryTable(std::vector<std::string> sizes, OutputOptions options)
        : ConsoleReporter(options), sizes_(std::move(sizes)) {}

    void ReportRuns(const std::vector<Run>& reports) override;
    void Finalize() override;

private:
    struct Row {
        std::string step;
        std::map<std::string, std::vector<double>> milliseconds; // per size
        std::map<std::string, double> broadcasts;                // per size, where counted
    };
    void Collect(const Run& run);
    Row& RowOf(const std::string& step);
    // The median of the size's runs; negative when the size has none.
    static double Figure(const Row& row, const std::string& size);
    // From the first size to the last; for a day step per broadcast, since the days differ.
    double Growth(const Row& row) const;
    std::string MissedBudgets(const Row& row) const;
    void PrintHeader(std::ostream& out) const;
    void PrintRow(std::ostream& out, const Row& row) const;
    void PrintMemory(std::ostream& out) const;

    std::vector<std::string> sizes_;
    std::vector<Row> rows_;
    // The counter "peak_MB" per size: the process's peak resident memory at that run's end.
    std::map<std::string, double> peakMegabytes_;
};
