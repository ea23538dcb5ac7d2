// Shift_JIS -> UTF-16 and UTF-16 -> cp932 of a 10 MB Japanese text, the
// library's filters side by side with glibc iconv. After the runs it prints
// the throughput of both (MB/s of input) and the ratio library / iconv.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"
#include "ccc/japanese/SjisDecoders.h"
#include "ccc/japanese/Ucs2Encoders.h"

namespace {

constexpr std::size_t kTextBytes = 10 * 1000 * 1000;

// Prose-like Shift_JIS: mostly hiragana and kanji, some katakana, Latin
// words and digits, punctuation, CR LF every 40 to 120 characters.
std::string makeSjisText() {
    std::mt19937 rng(932);
    std::string s;
    s.reserve(kTextBytes + 16);
    int untilNewline = 80;
    auto pair = [&](unsigned lead, unsigned trail) {
        s.push_back(static_cast<char>(lead));
        s.push_back(static_cast<char>(trail));
    };
    while (s.size() < kTextBytes) {
        unsigned r = rng() % 100;
        if (r < 40) {
            pair(0x82, 0x9F + rng() % 83);  // hiragana
        } else if (r < 75) {
            unsigned trail = 0x40 + rng() % 188;  // level-1 kanji, rows 17-46
            pair(0x89 + rng() % 15, trail >= 0x7F ? trail + 1 : trail);
        } else if (r < 85) {
            unsigned trail = 0x40 + rng() % 86;  // katakana
            pair(0x83, trail >= 0x7F ? trail + 1 : trail);
        } else if (r < 90) {
            pair(0x81, rng() % 2 ? 0x41 : 0x42);  // comma, full stop
        } else {
            for (unsigned n = 1 + rng() % 6; n; --n) s.push_back(static_cast<char>("abcdefghijklmnopqrstuvwxyz0123456789 "[rng() % 37]));
        }
        if (--untilNewline == 0) {
            s += "\r\n";
            untilNewline = 40 + static_cast<int>(rng() % 80);
        }
    }
    return s;
}

struct Texts {
    std::string sjis;
    std::vector<unsigned short> utf16;
};

std::string iconvAll(iconv_t cd, const char* in, std::size_t inBytes, std::size_t outCapacity) {
    std::string out(outCapacity, '\0');
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* ip = const_cast<char*>(in);
    char* op = out.data();
    std::size_t il = inBytes, ol = outCapacity;
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1)) return {};
    out.resize(outCapacity - ol);
    return out;
}

const Texts& texts() {
    static const Texts t = [] {
        Texts x;
        x.sjis = makeSjisText();
        iconv_t cd = iconv_open("UTF-16LE", "SHIFT_JIS");
        std::string u = iconvAll(cd, x.sjis.data(), x.sjis.size(), x.sjis.size() * 2);
        iconv_close(cd);
        x.utf16.resize(u.size() / 2);
        std::memcpy(x.utf16.data(), u.data(), u.size());
        return x;
    }();
    return t;
}

// The library's conversion of `in` through one filter, pumped block-wise
// into a fixed output block.
template <class Filter, class In>
std::size_t libraryConvert(const In* in, std::size_t units, std::string& out) {
    CCC::FixedMemIFlow src(in, units * sizeof(In));
    Filter f;
    f.setSrc(&src);
    CCC::FixedMemOFlow dst(out.data(), out.size());
    CCC::Conveyer(&f, &dst).carryBlocks(f.getIOType());
    return dst.position();
}

void BM_SjisToUtf16_Library(benchmark::State& state) {
    const Texts& t = texts();
    std::string out(t.sjis.size() * 2, '\0');
    std::size_t n = 0;
    for (auto _ : state) {
        n = libraryConvert<CCC::FromSjisToUcs2>(t.sjis.data(), t.sjis.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    if (n != t.utf16.size() * 2 || std::memcmp(out.data(), t.utf16.data(), n) != 0)
        state.SkipWithError("library output differs from iconv");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.sjis.size()));
}

void BM_SjisToUtf16_Iconv(benchmark::State& state) {
    const Texts& t = texts();
    iconv_t cd = iconv_open("UTF-16LE", "SHIFT_JIS");
    for (auto _ : state) {
        std::string out = iconvAll(cd, t.sjis.data(), t.sjis.size(), t.sjis.size() * 2);
        benchmark::DoNotOptimize(out.data());
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.sjis.size()));
}

void BM_Utf16ToCp932_Library(benchmark::State& state) {
    const Texts& t = texts();
    std::string out(t.sjis.size() + 16, '\0');
    std::size_t n = 0;
    for (auto _ : state) {
        n = libraryConvert<CCC::FromUcs2ToCp932>(t.utf16.data(), t.utf16.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    if (n != t.sjis.size() || std::memcmp(out.data(), t.sjis.data(), n) != 0)
        state.SkipWithError("library output differs from the source text");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.utf16.size() * 2));
}

void BM_Utf16ToCp932_Iconv(benchmark::State& state) {
    const Texts& t = texts();
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    for (auto _ : state) {
        std::string out = iconvAll(cd, reinterpret_cast<const char*>(t.utf16.data()), t.utf16.size() * 2,
                                   t.sjis.size() + 16);
        benchmark::DoNotOptimize(out.data());
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.utf16.size() * 2));
}

// The same conversions through the library's routes (23 -> 10 and
// 10 -> 37), which add the Unicode stages around the Japanese filter.
template <class In>
std::size_t routeConvert(CCC::CeId from, CCC::CeId to, const In* in, std::size_t units, std::string& out) {
    std::unique_ptr<CCC::CompositIFilter> chain(CCC::Iceman::createCompositIFilter(from, to));
    if (!chain) return 0;
    CCC::FixedMemIFlow src(in, units * sizeof(In));
    chain->setSrc(&src);
    CCC::FixedMemOFlow dst(out.data(), out.size());
    CCC::Conveyer(chain.get(), &dst).carryBlocks(CCC::Iceman::getIOType(to));
    return dst.position();
}

void BM_SjisToUtf16_Route(benchmark::State& state) {
    const Texts& t = texts();
    std::string out(t.sjis.size() * 2, '\0');
    std::size_t n = 0;
    for (auto _ : state) {
        n = routeConvert(23, 10, t.sjis.data(), t.sjis.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    if (n != t.utf16.size() * 2 || std::memcmp(out.data(), t.utf16.data(), n) != 0)
        state.SkipWithError("route output differs from iconv");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.sjis.size()));
}

void BM_Utf16ToCp932_Route(benchmark::State& state) {
    const Texts& t = texts();
    std::string out(t.sjis.size() + 16, '\0');
    std::size_t n = 0;
    for (auto _ : state) {
        n = routeConvert(10, 37, t.utf16.data(), t.utf16.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    if (n != t.sjis.size() || std::memcmp(out.data(), t.sjis.data(), n) != 0)
        state.SkipWithError("route output differs from the source text");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.utf16.size() * 2));
}

BENCHMARK(BM_SjisToUtf16_Library)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToUtf16_Iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf16ToCp932_Library)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf16ToCp932_Iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToUtf16_Route)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf16ToCp932_Route)->Unit(benchmark::kMillisecond);

// Console output, plus the rates kept for the summary.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto it = run.counters.find("bytes_per_second");
            if (run.run_type == Run::RT_Iteration && it != run.counters.end())
                rates_[run.benchmark_name()] = it->second.value / 1e6;
        }
    }

    void printSummary() const {
        std::printf("\n%-30s %12s %12s %8s\n", "conversion", "library MB/s", "iconv MB/s", "ratio");
        for (const char* name : {"SjisToUtf16", "Utf16ToCp932"}) {
            for (const char* how : {"_Library", "_Route"}) {
                auto lib = rates_.find(std::string("BM_") + name + how);
                auto ic = rates_.find(std::string("BM_") + name + "_Iconv");
                if (lib == rates_.end() || ic == rates_.end()) continue;
                std::string label = std::string(name) + " " + (how + 1);
                std::printf("%-30s %12.1f %12.1f %8.2f\n", label.c_str(), lib->second, ic->second,
                            lib->second / ic->second);
            }
        }
    }

private:
    std::map<std::string, double> rates_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    CCC::Ccc::initialize();
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    CCC::Ccc::unInitialize();
    benchmark::Shutdown();
    return 0;
}
