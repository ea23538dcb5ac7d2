// UTF-8 <-> UTF-16 through the library's routes (Iceman string conversion:
// chain + Conveyer, block-wise) against glibc iconv on the same bytes.
// Prints MB/s of both and the ratio library / iconv (goal: >= 1.0).

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"

namespace {

using CCC::DString;
using Bytes = CCC::TString<char>;

constexpr std::size_t kTextBytes = 10 * 1024 * 1024;

void appendUtf8(Bytes& s, unsigned cp) {
    if (cp < 0x80) {
        s.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        s.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        s.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        s.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        s.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        s.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// A manuscript-like mix: mostly kana and kanji, some ASCII markup and
// punctuation, line ends, and a rare supplementary-plane character.
const Bytes& japaneseUtf8() {
    static const Bytes text = [] {
        Bytes s;
        s.reserve(kTextBytes + 8);
        unsigned seed = 12345;
        auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
        while (s.size() < kTextBytes) {
            unsigned r = next() % 100;
            unsigned cp;
            if (r < 40) cp = 0x3041 + next() % 86;        // hiragana
            else if (r < 55) cp = 0x30A1 + next() % 90;   // katakana
            else if (r < 85) cp = 0x4E00 + next() % 5000; // kanji
            else if (r < 90) cp = 0x3001 + next() % 2;    // 、。
            else if (r < 97) cp = 0x20 + next() % 95;     // ASCII
            else if (r < 99) cp = '\n';
            else cp = 0x20000 + next() % 1000;            // CJK extension B
            appendUtf8(s, cp);
        }
        return s;
    }();
    return text;
}

const DString& japaneseUtf16() {
    static const DString text = [] {
        DString d;
        CCC::Iceman::convertToDString(8, 10, japaneseUtf8(), d);
        return d;
    }();
    return text;
}

std::string iconvRun(iconv_t cd, const char* in, std::size_t inBytes, std::vector<char>& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    char* dst = out.data();
    std::size_t srcLeft = inBytes, dstLeft = out.size();
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return "iconv failed";
    return {};
}

void BM_Library_Utf8ToUtf16(benchmark::State& state) {
    const Bytes& in = japaneseUtf8();
    DString out;
    for (auto _ : state) {
        if (!CCC::Iceman::convertToDString(8, 10, in, out)) {
            state.SkipWithError("no route 8 -> 10 (filters missing?)");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

void BM_Iconv_Utf8ToUtf16(benchmark::State& state) {
    const Bytes& in = japaneseUtf8();
    std::vector<char> out(in.size() * 2 + 16);
    iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
    for (auto _ : state) {
        std::string err = iconvRun(cd, in.data(), in.size(), out);
        if (!err.empty()) {
            state.SkipWithError(err.c_str());
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in.size()));
}

void BM_Library_Utf16ToUtf8(benchmark::State& state) {
    const DString& in = japaneseUtf16();
    Bytes out;
    for (auto _ : state) {
        if (in.empty() || !CCC::Iceman::convertToBString(10, 8, in, out)) {
            state.SkipWithError("no route 10 -> 8 (filters missing?)");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    // Throughput counted in UTF-8 bytes, the same measure as the other way.
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * japaneseUtf8().size()));
}

void BM_Iconv_Utf16ToUtf8(benchmark::State& state) {
    const DString& in = japaneseUtf16();
    std::vector<char> out(japaneseUtf8().size() + 16);
    iconv_t cd = iconv_open("UTF-8", "UTF-16LE");
    for (auto _ : state) {
        std::string err = in.empty() ? "no UTF-16 input"
                                     : iconvRun(cd, reinterpret_cast<const char*>(in.data()), in.size() * 2, out);
        if (!err.empty()) {
            state.SkipWithError(err.c_str());
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * japaneseUtf8().size()));
}

BENCHMARK(BM_Library_Utf8ToUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iconv_Utf8ToUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Library_Utf16ToUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iconv_Utf16ToUtf8)->Unit(benchmark::kMillisecond);

// Keeps each run's throughput so that the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // One figure per benchmark: the mean when repeated, else the run.
        for (const Run& r : runs) {
            auto it = r.counters.find("bytes_per_second");
            bool wanted = r.run_type == Run::RT_Iteration || r.aggregate_name == "mean";
            if (!r.error_occurred && wanted && it != r.counters.end())
                mbPerSecond_[r.run_name.function_name] = it->second.value / 1e6;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void summary() const {
        std::printf("\n%-16s %12s %12s %8s\n", "direction", "library MB/s", "iconv MB/s", "ratio");
        for (const char* dir : {"Utf8ToUtf16", "Utf16ToUtf8"}) {
            double lib = find(std::string("BM_Library_") + dir);
            double ref = find(std::string("BM_Iconv_") + dir);
            if (lib > 0 && ref > 0) std::printf("%-16s %12.1f %12.1f %8.2f\n", dir, lib, ref, lib / ref);
            else std::printf("%-16s %12s %12s %8s\n", dir, lib > 0 ? "ok" : "n/a", ref > 0 ? "ok" : "n/a", "-");
        }
    }

private:
    double find(const std::string& name) const {
        auto it = mbPerSecond_.find(name);
        return it == mbPerSecond_.end() ? 0 : it->second;
    }
    std::map<std::string, double> mbPerSecond_;
};

} // namespace

int main(int argc, char** argv) {
    CCC::Ccc::initialize();
    std::printf("text: %zu bytes of UTF-8, %zu UTF-16 units\n", japaneseUtf8().size(), japaneseUtf16().size());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.summary();
    benchmark::Shutdown();
    CCC::Ccc::unInitialize();
    return 0;
}
