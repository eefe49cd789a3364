// Loading a 20 MB broadcast file: the XML reader beside pugixml and expat building a tree.
#include "support/xml/SimpleXml.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <expat.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <random>
#include <vector>

namespace {

constexpr int kBroadcasts = 60000;

// Windows-1251 Cyrillic words of random letters.
std::string CyrillicTitle(std::mt19937& random, int words) {
    std::uniform_int_distribution<int> letter(0xE0, 0xFF), length(3, 9);
    std::string title;
    for (int w = 0; w < words; ++w) {
        if (w) title += ' ';
        title += static_cast<char>(letter(random) - 0x20);
        for (int n = length(random); n > 0; --n)
            title += static_cast<char>(letter(random));
    }
    return title;
}

// A file as the export writes it.
std::string BroadcastFile() {
    std::mt19937 random(17062010);
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\r\n"
                       "<broadcasts>\r\n";
    char line[128];
    for (int i = 0; i < kBroadcasts; ++i) {
        std::snprintf(line, sizeof line, "    <time>%02d:%02d</time>\r\n", i / 60 % 24, i % 60);
        text += "  <broadcast>\r\n    <date>2010-06-17</date>\r\n";
        text += line;
        text += "    <duration>0:30:00</duration>\r\n";
        text += "    <series><![CDATA[" + CyrillicTitle(random, 4) + "]]></series>\r\n";
        text += "    <program><![CDATA[" + CyrillicTitle(random, 5) + "]]></program>\r\n";
        text += "    <programuid><![CDATA[BG - " + std::to_string(1000 + i % 9000) +
                "]]></programuid>\r\n";
        text += "    <language>\xF0\xF3\xF1</language>\r\n  </broadcast>\r\n";
    }
    return text + "</broadcasts>\r\n";
}

const std::string& FilePath() {
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "skedora_xml_load.xml";
        std::ofstream(file, std::ios::binary) << BroadcastFile();
        return file.string();
    }();
    return path;
}

std::int64_t FileSize() {
    return static_cast<std::int64_t>(std::filesystem::file_size(FilePath()));
}

void Finish(benchmark::State& state, std::size_t broadcasts) {
    if (broadcasts != kBroadcasts) state.SkipWithError("wrong number of broadcasts");
    state.SetBytesProcessed(state.iterations() * FileSize());
}

void BM_SimpleXml(benchmark::State& state) {
    static TSimpleXml xml; // kept, as the main window keeps its reader
    for (auto _ : state) {
        xml.LoadFile(FilePath());
        benchmark::DoNotOptimize(xml.Root().Items().Count());
    }
    Finish(state, static_cast<std::size_t>(xml.Root().Items().Count()));
}

void BM_Pugixml(benchmark::State& state) {
    static pugi::xml_document document;
    for (auto _ : state) {
        if (!document.load_file(FilePath().c_str())) state.SkipWithError("pugixml failed");
        benchmark::DoNotOptimize(document.first_child());
    }
    const auto broadcasts = document.child("broadcasts").children();
    Finish(state, static_cast<std::size_t>(std::distance(broadcasts.begin(), broadcasts.end())));
}

// The tree expat's callbacks build: elements with attributes, text and CDATA children.
struct ExpatNode {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;
    bool cdata = false;
    std::vector<std::unique_ptr<ExpatNode>> children;
};

struct ExpatBuilder {
    ExpatNode root;
    std::vector<ExpatNode*> open{&root};

    static void Start(void* data, const char* name, const char** attributes) {
        auto* self = static_cast<ExpatBuilder*>(data);
        auto node = std::make_unique<ExpatNode>();
        node->name = name;
        for (; *attributes; attributes += 2)
            node->attributes.emplace_back(attributes[0], attributes[1]);
        ExpatNode* raw = node.get();
        self->open.back()->children.push_back(std::move(node));
        self->open.push_back(raw);
    }
    static void End(void* data, const char*) { static_cast<ExpatBuilder*>(data)->open.pop_back(); }
    static void Text(void* data, const char* text, int length) {
        static_cast<ExpatBuilder*>(data)->open.back()->text.append(text, length);
    }
    static void StartCData(void* data) {
        auto* self = static_cast<ExpatBuilder*>(data);
        auto node = std::make_unique<ExpatNode>();
        node->cdata = true;
        ExpatNode* raw = node.get();
        self->open.back()->children.push_back(std::move(node));
        self->open.push_back(raw);
    }
    static void EndCData(void* data) { static_cast<ExpatBuilder*>(data)->open.pop_back(); }
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The declaration names utf-8 over Windows-1251 bytes; Latin-1 lets expat read every byte.
std::size_t ExpatLoad(const std::string& path) {
    const std::string content = ReadFile(path);
    ExpatBuilder builder;
    XML_Parser parser = XML_ParserCreate("ISO-8859-1");
    XML_SetUserData(parser, &builder);
    XML_SetElementHandler(parser, ExpatBuilder::Start, ExpatBuilder::End);
    XML_SetCharacterDataHandler(parser, ExpatBuilder::Text);
    XML_SetCdataSectionHandler(parser, ExpatBuilder::StartCData, ExpatBuilder::EndCData);
    const bool ok = XML_Parse(parser, content.data(), static_cast<int>(content.size()), 1);
    XML_ParserFree(parser);
    return ok && !builder.root.children.empty() ? builder.root.children[0]->children.size() : 0;
}

void BM_Expat(benchmark::State& state) {
    std::size_t broadcasts = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(broadcasts = ExpatLoad(FilePath()));
    Finish(state, broadcasts);
}

// Each repetition is one load, and repetitions run interleaved; the fastest load of each reader
// counts, as other work on the machine only ever adds time. Shared machines stall for tens of
// milliseconds at a time, which longer repetitions would average in.
BENCHMARK(BM_SimpleXml)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(40);
BENCHMARK(BM_Pugixml)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(40);
BENCHMARK(BM_Expat)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(10);

// Prints the table of aggregates, then each reader's speed against the others.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> aggregates;
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate) aggregates.push_back(run);
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            auto [it, added] = seconds_.emplace(run.run_name.function_name, seconds);
            if (!added && seconds < it->second) it->second = seconds;
        }
        ConsoleReporter::ReportRuns(aggregates);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double megabytes = static_cast<double>(FileSize()) / 1e6;
        for (const auto& [name, seconds] : seconds_)
            std::printf("%-14s %8.1f MB/s (fastest run, CPU time)\n", name.c_str(),
                        megabytes / seconds);
        PrintRatio("BM_Pugixml");
        PrintRatio("BM_Expat");
    }

private:
    void PrintRatio(const std::string& peer) const {
        const auto ours = seconds_.find("BM_SimpleXml"), theirs = seconds_.find(peer);
        if (ours == seconds_.end() || theirs == seconds_.end()) return;
        std::printf("TSimpleXml speed / %s speed: %.2f\n", peer.c_str() + 3,
                    theirs->second / ours->second);
    }
    std::map<std::string, double> seconds_;
};

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave.data());
    argc = static_cast<int>(arguments.size());
    argv = arguments.data();
    benchmark::Initialize(&argc, argv);
    std::printf("file: %s, %.1f MB, %d broadcasts\n", FilePath().c_str(),
                static_cast<double>(FileSize()) / 1e6, kBroadcasts);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::filesystem::remove(FilePath());
    benchmark::Shutdown();
}
