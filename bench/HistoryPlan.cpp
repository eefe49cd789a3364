#include "HistoryPlan.h"

#include "platform/Cp1251.h"

#include <algorithm>
#include <array>
#include <cstdio>

std::uint64_t HistoryRandom::Next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

int HistoryRandom::Between(int first, int last) {
    const auto span = static_cast<std::uint64_t>(last - first) + 1;
    return first + static_cast<int>(Next() % span);
}

namespace {

using Words = std::vector<std::string>;

// Texts are written here in UTF-8 and converted once.
Words Cp1251(std::initializer_list<const char*> words) {
    Words converted;
    for (const char* word : words)
        converted.push_back(Utf8ToCp1251(word));
    return converted;
}

struct Texts {
    Words feminineAdjectives = Cp1251({"Златна", "Тиха", "Далечна", "Стара", "Нощна", "Синя",
                                       "Последна", "Голяма", "Южна", "Бяла"});
    Words feminineNouns = Cp1251({"река", "улица", "граница", "сватба", "тайна", "пътека", "къща",
                                  "долина", "зима", "песен"});
    Words masculineAdjectives = Cp1251(
        {"Златен", "Тих", "Далечен", "Стар", "Нощен", "Син", "Последен", "Голям", "Южен", "Бял"});
    Words masculineNouns = Cp1251(
        {"бряг", "град", "път", "влак", "залив", "остров", "вятър", "хълм", "мост", "пристан"});
    Words latinAdjectives = Cp1251({"Silent", "Northern", "Broken", "Golden", "Hidden", "Distant",
                                    "Last", "Wild", "Quiet", "Bright"});
    Words latinNouns = Cp1251({"River", "Harbour", "Road", "Summer", "Kingdom", "Signal", "Coast",
                               "Garden", "Valley", "Winter"});
    Words endings = Cp1251({"в полунощ", "на север", "завинаги", "отново", "II", "III"});
    Words latinEndings = Cp1251({"of the North", "at Dawn", "in Winter", "Returns", "II", "III"});
    Words episodes = Cp1251({"Завръщането", "Тайната", "Бурята", "Изборът", "Пътят", "Срещата",
                             "Писмото", "Сделката", "Бягството", "Истината", "Празникът"});
    Words latinEpisodes =
        Cp1251({"The Return", "The Secret", "The Storm", "The Choice", "The Letter", "The Deal",
                "The Escape", "The Truth", "The Feast"});
    Words subjects = Cp1251({"пчелите", "вълците", "океаните", "птиците", "пустините", "ледниците",
                             "Дунав", "Родопите", "древните градове"});
    Words latinSubjects =
        Cp1251({"Life in the Deep", "Secrets of the Arctic", "Journey to the Balkans",
                "Voices of the Desert", "The Ancient Forest", "Along the Danube"});
    Words shorts =
        Cp1251({"Музикален клип", "Реклама", "Кратки новини", "Време за култура", "Детски филм"});
    Words latinShorts = Cp1251({"Music Break", "Trailer", "Short Film"});
    Words sentences =
        Cp1251({"Историята започва в малък град край морето.",
                "Семейна тайна излиза наяве след години мълчание.",
                "Снимано на място в продължение на две години.",
                "Гост в студиото е известен български писател.", "Неочаквана среща променя всичко.",
                "Поредицата печели награда на фестивала във Варна.",
                "Режисьорът разказва за живота в планината."});
    Words latinSentences = Cp1251(
        {"A story of two brothers and one harbour town.",
         "Filmed over two winters in the far north.", "An old letter brings the past back to life.",
         "Winner of the audience award in Sofia.", "The team faces its hardest season yet.",
         "With commentary by the film's director."});
    Words languages = Cp1251({"Български", "Български", "Български", "Русский", "BG"});
    Words latinLanguages =
        Cp1251({"English", "English", "English", "Deutsch", "Italiano", "Френски", "EN"});
    Words notes = Cp1251({"Премиера.", "Повторение.", "С български субтитри.", "Подходящо за деца.",
                          "Не е подходящо за лица под 12 години."});
    Words latinNotes =
        Cp1251({"Subtitled in Bulgarian.", "Premiere.", "Repeat.", "Not suitable for children."});
};

// The daily programmes, ids 1 up, and when a day places them; the last is the promotion break
// that fills any short gap.
struct Daily {
    const char* name;
    const char* series;
    const char* file;
    int minutes;
};
constexpr std::array<Daily, 8> kDaily = {{{"Добро утро", "Добро утро", "morning.mxf", 120},
                                          {"Новини 8:00", "Новини", "news_0800.mxf", 15},
                                          {"Новини 12:00", "Новини", "news_1200.mxf", 30},
                                          {"Прогноза за времето", "Новини", "weather.mxf", 5},
                                          {"Новини 19:00", "Новини", "news_1900.mxf", 45},
                                          {"Спорт", "Новини", "sport.mxf", 10},
                                          {"Късни новини", "Новини", "news_2300.mxf", 15},
                                          {"Анонси", "Анонси", "promo.mxf", 5}}};
constexpr int kPromoId = 8;
constexpr int kShortest = 5;

struct Fixed {
    int id;
    int minute;
};
constexpr std::array<Fixed, 8> kFixed = {
    {{1, 360}, {2, 480}, {3, 720}, {4, 750}, {5, 1140}, {4, 1185}, {6, 1190}, {7, 1380}}};
constexpr int kDayStart = 360;
constexpr int kMidnight = 1440;

std::string FileName(const char* kind, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "%s_%06d.mxf", kind, number);
    return name;
}

Length LengthOf(int minutes) {
    if (minutes <= 15) return Length::Short;
    if (minutes <= 30) return Length::Half;
    return minutes <= 60 ? Length::Hour : Length::Film;
}

// Fills the catalogue in blocks of ids, kind after kind, each programme from the same random
// stream.
class CatalogueMaker {
public:
    CatalogueMaker(int count, std::uint64_t seed) : count_(count), random_(seed) {}
    Catalogue Make();

private:
    bool Full() const { return static_cast<int>(catalogue_.programmes.size()) >= count_; }
    int Quota(int percent) const;
    Programme& Add(Programme programme);
    void AddDaily();
    void AddSeries(int last);
    void AddFilm();
    void AddDocumentary();
    void AddShort();
    std::string Title(bool latin);
    std::optional<std::string> Description(bool latin);
    void Describe(Programme& programme, bool latin);

    int count_;
    HistoryRandom random_;
    Texts texts_;
    Catalogue catalogue_;
    int seriesCount_ = 0;
};

int CatalogueMaker::Quota(int percent) const {
    const int daily = static_cast<int>(kDaily.size());
    return static_cast<int>(catalogue_.programmes.size()) + (count_ - daily) * percent / 100;
}

Catalogue CatalogueMaker::Make() {
    AddDaily();
    for (const int last = Quota(55); static_cast<int>(catalogue_.programmes.size()) < last;)
        AddSeries(last);
    for (const int last = Quota(10); static_cast<int>(catalogue_.programmes.size()) < last;)
        AddFilm();
    for (const int last = Quota(15); static_cast<int>(catalogue_.programmes.size()) < last;)
        AddDocumentary();
    while (!Full())
        AddShort();
    return std::move(catalogue_);
}

Programme& CatalogueMaker::Add(Programme programme) {
    programme.id = static_cast<int>(catalogue_.programmes.size()) + 1;
    if (programme.id > static_cast<int>(kDaily.size()))
        catalogue_.byLength[static_cast<int>(LengthOf(programme.minutes))].push_back(programme.id);
    catalogue_.programmes.push_back(std::move(programme));
    return catalogue_.programmes.back();
}

void CatalogueMaker::AddDaily() {
    for (const Daily& daily : kDaily)
        Add({.id = 0,
             .name = Utf8ToCp1251(daily.name),
             .fileName = daily.file,
             .description = std::nullopt,
             .series = Utf8ToCp1251(daily.series),
             .minutes = daily.minutes,
             .language = texts_.languages.front(),
             .note = std::nullopt});
    catalogue_.byLength[static_cast<int>(Length::Short)].push_back(kPromoId);
}

// Some 2,000 different titles.
std::string CatalogueMaker::Title(bool latin) {
    std::string title;
    if (latin)
        title =
            "The " + random_.Pick(texts_.latinAdjectives) + " " + random_.Pick(texts_.latinNouns);
    else if (random_.Percent(50))
        title = random_.Pick(texts_.feminineAdjectives) + " " + random_.Pick(texts_.feminineNouns);
    else
        title =
            random_.Pick(texts_.masculineAdjectives) + " " + random_.Pick(texts_.masculineNouns);
    if (random_.Percent(60))
        title += " " + random_.Pick(latin ? texts_.latinEndings : texts_.endings);
    return title;
}

// One to four different sentences.
std::optional<std::string> CatalogueMaker::Description(bool latin) {
    if (random_.Percent(25)) return std::nullopt;
    const Words& sentences = latin ? texts_.latinSentences : texts_.sentences;
    const int size = static_cast<int>(sentences.size());
    const int first = random_.Between(0, size - 1);
    std::string text = sentences[static_cast<std::size_t>(first)];
    for (int more = 1, count = random_.Between(1, 4); more < count; ++more)
        text += " " + sentences[static_cast<std::size_t>((first + more) % size)];
    return text;
}

// Language, description and note, which every kind has alike.
void CatalogueMaker::Describe(Programme& programme, bool latin) {
    programme.description = Description(latin);
    if (!random_.Percent(5))
        programme.language = random_.Pick(latin ? texts_.latinLanguages : texts_.languages);
    if (random_.Percent(12))
        programme.note = random_.Pick(latin ? texts_.latinNotes : texts_.notes);
}

void CatalogueMaker::AddSeries(int last) {
    const bool latin = random_.Percent(30);
    const int minutes = random_.Percent(40) ? random_.Pick(std::vector{25, 30})
                                            : random_.Pick(std::vector{45, 50, 55, 60});
    const std::string series = Title(latin);
    const int number = ++seriesCount_;
    auto& episodes = catalogue_.seriesByLength[static_cast<int>(LengthOf(minutes))].emplace_back();
    const int count =
        std::min(random_.Between(6, 40), last - static_cast<int>(catalogue_.programmes.size()));
    for (int episode = 1; episode <= count; ++episode) {
        std::string name = (latin ? "Episode " : Utf8ToCp1251("Епизод ")) + std::to_string(episode);
        if (random_.Percent(70))
            name += ": " + random_.Pick(latin ? texts_.latinEpisodes : texts_.episodes);
        char file[32];
        std::snprintf(file, sizeof file, "s%04d_e%02d.mxf", number, episode);
        Programme& programme = Add({.id = 0,
                                    .name = name,
                                    .fileName = file,
                                    .description = {},
                                    .series = series,
                                    .minutes = minutes,
                                    .language = {},
                                    .note = {}});
        Describe(programme, latin);
        episodes.push_back(programme.id);
    }
}

void CatalogueMaker::AddFilm() {
    const bool latin = random_.Percent(40);
    std::optional<std::string> series;
    if (random_.Percent(50)) series = latin ? "Friday Film" : Utf8ToCp1251("Кино вечер");
    Programme& programme = Add({.id = 0,
                                .name = Title(latin),
                                .fileName = FileName("film", random_.Between(1, 999999)),
                                .description = {},
                                .series = series,
                                .minutes = 5 * random_.Between(17, 30),
                                .language = {},
                                .note = {}});
    Describe(programme, latin);
}

void CatalogueMaker::AddDocumentary() {
    const bool latin = random_.Percent(40);
    const std::string name = latin ? random_.Pick(texts_.latinSubjects)
                                   : Utf8ToCp1251("Светът на ") + random_.Pick(texts_.subjects);
    const std::string series = latin ? "Documentary Hour" : Utf8ToCp1251("Светът около нас");
    Programme& programme = Add({.id = 0,
                                .name = name,
                                .fileName = FileName("doc", random_.Between(1, 999999)),
                                .description = {},
                                .series = series,
                                .minutes = random_.Pick(std::vector{30, 45, 50, 55}),
                                .language = {},
                                .note = {}});
    Describe(programme, latin);
}

void CatalogueMaker::AddShort() {
    const bool latin = random_.Percent(20);
    const std::string& kind = random_.Pick(latin ? texts_.latinShorts : texts_.shorts);
    const int number = static_cast<int>(catalogue_.programmes.size()) + 1;
    Programme& programme = Add({.id = 0,
                                .name = kind + " " + std::to_string(number),
                                .fileName = FileName("clip", number),
                                .description = {},
                                .series = std::nullopt,
                                .minutes = random_.Pick(std::vector{5, 5, 10, 15}),
                                .language = {},
                                .note = {}});
    Describe(programme, latin);
}

} // namespace

Catalogue MakeCatalogue(int count, std::uint64_t seed) {
    return CatalogueMaker(count, seed).Make();
}

namespace {

constexpr int kNever = 1 << 20;
// A daily programme may start this much later than its time.
constexpr int kSlip = 10;
// Breaks between programmes run up to kBreak, kTypicalBreak on average.
constexpr int kBreak = 15;
constexpr int kTypicalBreak = 8;
// From this time on, programmes lean to the longer lengths by this many minutes, when the day has
// time for them.
constexpr int kEvening = 20 * 60;
constexpr int kEveningLean = 20;
constexpr int kLeanFrom = 25;

// A length for a slot that should last about `desired` minutes, from a mix that leans to it.
Length LengthFor(int desired, HistoryRandom& random) {
    struct Mix {
        int upTo;
        std::array<int, kLengths> percent;
    };
    static constexpr std::array<Mix, 5> kMixes = {{{12, {75, 25, 0, 0}},
                                                   {22, {45, 40, 15, 0}},
                                                   {35, {25, 40, 30, 5}},
                                                   {60, {15, 25, 45, 15}},
                                                   {kNever, {0, 20, 40, 40}}}};
    const Mix& mix = *std::find_if(kMixes.begin(), kMixes.end(),
                                   [&](const Mix& m) { return desired <= m.upTo; });
    int roll = random.Between(1, 100);
    for (int i = 0; i < kLengths; ++i)
        if ((roll -= mix.percent[static_cast<std::size_t>(i)]) <= 0) return static_cast<Length>(i);
    return Length::Short;
}

} // namespace

ScheduleMaker::ScheduleMaker(const Catalogue& catalogue, std::uint64_t seed)
    : catalogue_(catalogue), random_(seed) {
    for (int length = 0; length < kLengths; ++length)
        for (std::size_t i = 0; i < kRunning; ++i)
            running_[length][i].series = i;
}

int ScheduleMaker::Minutes(int id) const {
    return catalogue_.programmes[static_cast<std::size_t>(id) - 1].minutes;
}

void ScheduleMaker::NextDay(std::vector<Broadcast>& broadcasts) {
    broadcasts.clear();
    previous_ = 0;
    MakePosition0(broadcasts);
    if (dayIndex_ % kOrphanEvery == 0) PlaceOrphan(broadcasts);
    if (random_.Percent(15)) MakePosition1(broadcasts);
    ++dayIndex_;
}

// From the morning show on, end to end: the daily programmes in their places, and a break after
// each programme.
void ScheduleMaker::MakePosition0(std::vector<Broadcast>& broadcasts) {
    const int count = random_.Between(kFewest, kMost);
    std::size_t fixed = 0;
    for (int slot = 0, now = kDayStart; slot < count; ++slot) {
        const int slots = count - slot;
        const int remaining = kMidnight - now;
        int id = 0;
        if (fixed < kFixed.size() && now >= kFixed[fixed].minute) {
            const int daily = kFixed[fixed++].id;
            if (remaining - Minutes(daily) >= (slots - 1) * kShortest) id = daily;
        }
        if (id == 0)
            id = Choose(now, remaining, slots,
                        fixed < kFixed.size() ? kFixed[fixed].minute : kNever);
        now = Place(broadcasts, id, 0, now);
    }
}

// A window of a few programmes in the afternoon and evening.
void ScheduleMaker::MakePosition1(std::vector<Broadcast>& broadcasts) {
    const int count = random_.Between(4, 12);
    previous_ = 0;
    for (int slot = 0, now = 60 * random_.Between(14, 18); slot < count; ++slot)
        now = Place(broadcasts, Choose(now, kMidnight - now, count - slot, kNever), 1, now);
}

// Returns when the broadcast ends.
int ScheduleMaker::Place(std::vector<Broadcast>& broadcasts, int id, int position, int now) {
    broadcasts.push_back(
        {.programmeId = id, .position = position, .startMinute = now, .minutes = Minutes(id)});
    previous_ = id;
    return now + Minutes(id);
}

void ScheduleMaker::PlaceOrphan(std::vector<Broadcast>& broadcasts) {
    const int count = static_cast<int>(catalogue_.programmes.size());
    broadcasts[broadcasts.size() / 2].programmeId =
        count + 1 + dayIndex_ / kOrphanEvery % kOrphanIds;
}

// A programme for a slot at `now`, `remaining` minutes before midnight, with `slots` broadcasts
// still to place: it leaves the later ones kShortest each, so every one starts before midnight,
// ends by `due`, when the next daily programme is, give or take kSlip, and is not the one just
// placed. The last slot takes any length and may run past midnight. After a programme comes a
// break; the programmes' lengths lean to what the time left per programme asks, and to longer
// ones in the evening.
int ScheduleMaker::Choose(int now, int remaining, int slots, int due) {
    const auto fits = [&](int id) {
        const int minutes = Minutes(id);
        return id != previous_ && (slots == 1 || (remaining - minutes >= (slots - 1) * kShortest &&
                                                  now + minutes <= due + kSlip));
    };
    const bool afterProgramme = previous_ != 0 && Minutes(previous_) > kBreak;
    if (!afterProgramme || slots == 1) {
        const int programmes = (slots + 1) / 2;
        const int desired = (remaining - (slots - programmes) * kTypicalBreak) / programmes;
        const bool lean = now >= kEvening && desired >= kLeanFrom;
        const Length length = LengthFor(desired + (lean ? kEveningLean : 0), random_);
        if ((length == Length::Half || length == Length::Hour) && random_.Percent(55)) {
            if (const int episode = NextEpisode(length); episode != 0 && fits(episode)) {
                Advance(length);
                return episode;
            }
        }
        if (const int id = OfLength(length); fits(id)) return id;
    }
    if (const int id = OfLength(Length::Short); fits(id)) return id;
    return kPromoId;
}

int ScheduleMaker::OfLength(Length length) {
    const std::vector<int>& ids = catalogue_.byLength[static_cast<int>(length)];
    return random_.Pick(ids.empty() ? catalogue_.byLength[static_cast<int>(Length::Short)] : ids);
}

// The next episode of the running series whose turn it is; 0 when no series has that length.
int ScheduleMaker::NextEpisode(Length length) const {
    const auto& series = catalogue_.seriesByLength[static_cast<int>(length)];
    if (series.empty()) return 0;
    const Running& run = running_[static_cast<int>(length)][turn_[static_cast<int>(length)]];
    return series[run.series % series.size()][run.episode];
}

// The series whose turn it was moves to its next episode, after its last to a series no other
// running one will reach; the turn passes on.
void ScheduleMaker::Advance(Length length) {
    const int index = static_cast<int>(length);
    const auto& series = catalogue_.seriesByLength[index];
    Running& run = running_[index][turn_[index]];
    if (++run.episode == series[run.series % series.size()].size()) {
        run.episode = 0;
        run.series += kRunning;
    }
    turn_[index] = (turn_[index] + 1) % kRunning;
}
