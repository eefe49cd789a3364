#pragma once

// What make_history writes, made from the seed alone: the same options give the same rows, on
// any machine. Texts are Windows-1251; dates are days since 1970-01-01.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A small generator of our own, so the rows never depend on a library's distributions.
class HistoryRandom {
public:
    explicit HistoryRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // A number from first to last, both included.
    int Between(int first, int last);
    bool Percent(int chance) { return Between(1, 100) <= chance; }
    template <typename T> const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Between(0, static_cast<int>(items.size()) - 1))];
    }

private:
    std::uint64_t state_;
};

struct Programme {
    int id = 0;
    std::string name;
    std::string fileName;
    std::optional<std::string> description;
    std::optional<std::string> series;
    int minutes = 0;
    std::optional<std::string> language;
    std::optional<std::string> note;
};

// How long the catalogue's programmes run, which decides where a day can use them.
enum class Length { Short, Half, Hour, Film };
constexpr int kLengths = 4;

// The catalogue: ids 1..count. The first ids are the daily programmes (news, weather, the
// morning show), then series episodes in order, films, documentaries and short items.
struct Catalogue {
    std::vector<Programme> programmes;
    // Per length, the ids of the programmes of that length, in id order.
    std::vector<int> byLength[kLengths];
    // Series episodes per length, each series' episodes in order.
    std::vector<std::vector<int>> seriesByLength[kLengths];
};

Catalogue MakeCatalogue(int count, std::uint64_t seed);

struct Broadcast {
    int programmeId = 0;
    int position = 0;
    int startMinute = 0; // from the date's midnight, always before the next midnight
    int minutes = 0;
};

// Days one after another: each call gives the next date's broadcasts, position 0 in start order
// and then position 1 when the date has it. Series run on from day to day.
class ScheduleMaker {
public:
    ScheduleMaker(const Catalogue& catalogue, std::uint64_t seed);
    // Broadcasts of position 0 per date lie in this range.
    static constexpr int kFewest = 40;
    static constexpr int kMost = 60;
    // Every this many dates, starting with the first, one broadcast is of a programme no longer
    // in the catalogue: one of kOrphanIds ids after the catalogue's last, in turn.
    static constexpr int kOrphanEvery = 30;
    static constexpr int kOrphanIds = 5;

    void NextDay(std::vector<Broadcast>& broadcasts);

private:
    // Series of each length run side by side, taking turns; each airs its episodes in order.
    static constexpr std::size_t kRunning = 3;
    struct Running {
        std::size_t series = 0;
        std::size_t episode = 0;
    };
    int Minutes(int id) const;
    void MakePosition0(std::vector<Broadcast>& broadcasts);
    void MakePosition1(std::vector<Broadcast>& broadcasts);
    int Place(std::vector<Broadcast>& broadcasts, int id, int position, int now);
    void PlaceOrphan(std::vector<Broadcast>& broadcasts);
    int Choose(int now, int remaining, int slots, int due);
    int OfLength(Length length);
    int NextEpisode(Length length) const;
    void Advance(Length length);

    const Catalogue& catalogue_;
    HistoryRandom random_;
    std::array<Running, kRunning> running_[kLengths];
    std::size_t turn_[kLengths] = {};
    int dayIndex_ = 0;
    int previous_ = 0;
};
