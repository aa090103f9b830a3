// How long reading a large skin takes: a main.ini with 1,000 lines of each of
// the five control kinds, read section by section and split into the fields
// of each kind (ReadControlLines), as the skin dialog does when it loads. The
// parts are measured alone too, to show which dominates.
#include "skin/ControlLines.h"
#include "platform/IniDocument.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kLinesPerKind = 1000;

std::string Num(int v) { return std::to_string(v); }

// Line i of a kind, written from the table of control lines: every field
// filled, texts of typical length, flags alternating.
std::string LineOf(const ControlKind& kind, int i)
{
    ControlLineWriter line(kind);
    for (const FieldFormat& f : kind.fields) {
        if (f.type == FieldType::Flag)
            line.Flag(f.role, i % 2 == 0);
        else if (f.type == FieldType::Number)
            line.Number(f.role, i % 101);
        else if (f.type == FieldType::Picture)
            line.Text(f.role, "picture" + Num(i % 4) + ".bmp");
        else
            line.Text(f.role, std::string(f.name) + " " + Num(i));
    }
    line.Rect(i % 600, i % 400, 20 + i % 100, 10 + i % 50);
    return line.Line();
}

std::string SkinText()
{
    std::string text = "[Screen]\r\nMain=main.jpg\r\nMask=mask.bmp\r\n";
    for (const auto& kind : ControlKinds()) {
        text += std::string("[") + kind.section + "]\r\n";
        for (int i = 1; i <= kLinesPerKind; ++i)
            text += Num(i) + "=" + LineOf(kind, i) + "\r\n";
    }
    return text;
}

// main.ini written once into a fresh folder, removed at exit.
class SkinOnDisk {
public:
    SkinOnDisk()
    {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("ak-bench-" + std::to_string(rd()));
        fs::create_directories(m_dir);
        m_path = (m_dir / "main.ini").string();
        std::ofstream out(m_path, std::ios::binary);
        out << SkinText();
        if (!out)
            throw std::runtime_error("cannot write " + m_path);
    }
    ~SkinOnDisk()
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    SkinOnDisk(const SkinOnDisk&) = delete;
    SkinOnDisk& operator=(const SkinOnDisk&) = delete;

    const std::string& Path() const { return m_path; }

private:
    fs::path m_dir;
    std::string m_path;
};

const SkinOnDisk& Skin()
{
    static const SkinOnDisk skin;
    return skin;
}

constexpr std::int64_t kAllLines = 5 * kLinesPerKind;

// The whole load: every numbered section read and every line split.
void BM_ReadAndSplitAll(benchmark::State& state)
{
    const IniFile ini(Skin().Path());
    for (auto _ : state) {
        for (const auto& kind : ControlKinds())
            benchmark::DoNotOptimize(ReadControlLines(ini, kind));
    }
    state.SetItemsProcessed(state.iterations() * kAllLines);
}
BENCHMARK(BM_ReadAndSplitAll)->Unit(benchmark::kMillisecond);

// Only the reading through the profile service.
void BM_ReadNumberedLines(benchmark::State& state)
{
    const IniFile ini(Skin().Path());
    for (auto _ : state)
        for (const auto& kind : ControlKinds())
            benchmark::DoNotOptimize(ReadNumberedLines(ini, kind.section));
    state.SetItemsProcessed(state.iterations() * kAllLines);
}
BENCHMARK(BM_ReadNumberedLines)->Unit(benchmark::kMillisecond);

// Only the splitting, from lines already in memory.
void BM_SplitOnly(benchmark::State& state)
{
    std::vector<std::vector<std::string>> lines;
    for (const auto& kind : ControlKinds()) {
        lines.emplace_back();
        for (int i = 1; i <= kLinesPerKind; ++i)
            lines.back().push_back(LineOf(kind, i));
    }
    for (auto _ : state)
        for (std::size_t k = 0; k < lines.size(); ++k)
            for (const auto& line : lines[k])
                benchmark::DoNotOptimize(SplitControlLine(ControlKinds()[k], line));
    state.SetItemsProcessed(state.iterations() * kAllLines);
}
BENCHMARK(BM_SplitOnly)->Unit(benchmark::kMicrosecond);

// Parsing the whole file once, as the service does when the file is new to it.
void BM_ParseDocument(benchmark::State& state)
{
    const std::string text = SkinText();
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::IniDocument::Parse(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseDocument)->Unit(benchmark::kMicrosecond);

// One value looked up in a parsed file, early and late in a 1,000-key section.
void BM_LookupInParsed(benchmark::State& state)
{
    const auto doc = platform::IniDocument::Parse(SkinText());
    const std::string key = Num(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.GetString("PROGRESSINFO", key, "", IniFile::kValueBufferChars));
}
BENCHMARK(BM_LookupInParsed)->Arg(1)->Arg(kLinesPerKind);

// One value read through the service: file check, cache, lookup.
void BM_ServiceGetString(benchmark::State& state)
{
    const IniFile ini(Skin().Path());
    const std::string key = Num(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.GetString("PROGRESSINFO", key, ""));
}
BENCHMARK(BM_ServiceGetString)->Arg(1)->Arg(kLinesPerKind);

} // namespace

BENCHMARK_MAIN();
