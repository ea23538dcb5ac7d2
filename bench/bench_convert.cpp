// End-to-end conversion of a 10 MB manuscript (UTF-8 in, syntax 2, XHTML
// 1.0, UTF-8 out) against cmark on a Markdown document of the same shape,
// in one run. After the timings it prints both rates, their ratio and the
// peak memory of a separate one-shot conversion (ru_maxrss of a child
// process, so that the benchmark's own buffers do not count).
// Goals: ratio >= 1.5 (aim: 2), peak memory <= 4 x the input.
//
//   bench_convert [--benchmark_...]      timings and the summary
//   bench_convert --convert-once FILE    one conversion (the memory probe)
//   bench_convert --write-documents DIR [MB]
//                                        writes book.txt and book.md there
//                                        (10 MB unless MB is given)

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BenchProse.h"
#include "ccc/encoding/Ccc.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

extern char** environ;

namespace {

constexpr std::size_t kDocumentBytes = 10 * 1024 * 1024;
constexpr CCC::CeId kUtf8 = 8; // utf-8n: no byte-order mark either way
constexpr int kCrLf = 5;

using bench::Documents;
using bench::makeDocuments;

const Documents& documents() {
    static const Documents docs = makeDocuments(kDocumentBytes);
    return docs;
}

std::filesystem::path workFolder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("qm-bench-convert-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

std::string writeFile(const char* name, const std::string& bytes) {
    const auto path = workFolder() / name;
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f) return {};
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path.string();
}

const std::string& manuscriptFile() {
    static const std::string path = writeFile("book.txt", documents().manuscript);
    return path;
}

const std::string& markdownFile() {
    static const std::string path = writeFile("book.md", documents().markdown);
    return path;
}

// Runs argv with standard output to outPath (default /dev/null); true when
// it exited with 0. usage gets its CPU times.
bool runChild(const std::vector<std::string>& args, rusage& usage, const char* outPath = "/dev/null") {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    if (::wait4(pid, &status, 0, &usage) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double cpuSeconds(const rusage& u) {
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The high-water mark of this process's own memory in kB. ru_maxrss is no
// use in a spawned child: it also counts the parent's memory at the spawn.
long peakKiB() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    std::fclose(f);
    return kib;
}

long readNumber(const std::string& path) {
    long n = -1;
    if (std::FILE* f = std::fopen(path.c_str(), "r")) {
        if (std::fscanf(f, "%ld", &n) != 1) n = -1;
        std::fclose(f);
    }
    return n;
}

void BM_ConvertManuscript(benchmark::State& state) {
    CCC::Ccc::initialize();
    Orvane::Model model;
    model.setSyntax(2);
    model.setGenerator(1);
    if (!model.getSyntax() || !model.getGenerator()) {
        state.SkipWithError("syntax 2 or generator 1 missing");
        return;
    }
    model.addSrcText(manuscriptFile().c_str(), kUtf8, nullptr, kUtf8, kCrLf);
    Orvane::DString logText;
    auto log = Orvane::Log::toString(&logText);
    for (auto _ : state) {
        if (!model.run(log.get())) {
            state.SkipWithError("generate failed");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * documents().manuscript.size()));
}
BENCHMARK(BM_ConvertManuscript)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// cmark as a program writing its HTML to a file beside the input, as the
// conversion does; the process start is part of the cost but small next
// to 10 MB.
void BM_Cmark(benchmark::State& state) {
    const std::vector<std::string> args = {"cmark", markdownFile()};
    const std::string html = (workFolder() / "book.cmark.html").string();
    double cpu = 0;
    for (auto _ : state) {
        rusage usage{};
        if (!runChild(args, usage, html.c_str())) {
            state.SkipWithError("cmark did not run (Debian package cmark)");
            return;
        }
        cpu += cpuSeconds(usage);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * documents().markdown.size()));
    // The child's CPU time: the rate to compare on a busy machine.
    state.counters["child_cpu_s"] = cpu / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Cmark)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Keeps each benchmark's wall-clock and CPU seconds per run.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
            const std::string name = run.benchmark_name();
            const double n = static_cast<double>(run.iterations);
            Times t{run.real_accumulated_time / n, run.cpu_accumulated_time / n};
            // A spawned program's CPU time is not the benchmark's own.
            if (const auto it = run.counters.find("child_cpu_s"); it != run.counters.end()) t.cpu = it->second.value;
            times[name.substr(0, name.find('/'))] = t;
        }
    }
    std::map<std::string, Times> times;
};

int convertOnceMain(const char* file) {
    CCC::Ccc::initialize();
    Orvane::Model model;
    model.setSyntax(2);
    model.setGenerator(1);
    model.addSrcText(file, kUtf8, nullptr, kUtf8, kCrLf);
    Orvane::DString logText;
    auto log = Orvane::Log::toString(&logText);
    if (!model.run(log.get())) return 1;
    std::printf("%ld\n", peakKiB());
    return 0;
}

void printSummary(const SummaryReporter& reporter) {
    const double oursMB = static_cast<double>(documents().manuscript.size()) / 1e6;
    const double theirsMB = static_cast<double>(documents().markdown.size()) / 1e6;
    std::printf("\ninput: manuscript %.2f MB, markdown %.2f MB (MB = 10^6 bytes)\n", oursMB, theirsMB);
    const auto ours = reporter.times.find("BM_ConvertManuscript");
    const auto theirs = reporter.times.find("BM_Cmark");
    if (ours != reporter.times.end() && theirs != reporter.times.end()) {
        const auto& o = ours->second;
        const auto& t = theirs->second;
        std::printf("                     wall-clock      CPU\n");
        std::printf("quillmark convert: %8.1f MB/s %8.1f MB/s\n", oursMB / o.real, oursMB / o.cpu);
        std::printf("cmark:             %8.1f MB/s %8.1f MB/s\n", theirsMB / t.real, theirsMB / t.cpu);
        std::printf("ratio (ours / cmark): %.2f wall-clock, %.2f CPU  (goal >= 1.5)\n",
                    (oursMB / o.real) / (theirsMB / t.real), (oursMB / o.cpu) / (theirsMB / t.cpu));
    }

    rusage usage{};
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string peakFile = (workFolder() / "peak.txt").string();
    if (runChild({self, "--convert-once", manuscriptFile()}, usage, peakFile.c_str())) {
        const double peakMB = static_cast<double>(readNumber(peakFile)) * 1024.0 / 1e6;
        std::printf("peak memory of one conversion: %.1f MB = %.2f x the input  (goal <= 4)\n", peakMB,
                    peakMB / oursMB);
    } else {
        std::printf("peak memory: the one-shot conversion failed\n");
    }
    // cmark's own high-water mark through GNU time, when it is installed.
    if (::access("/usr/bin/time", X_OK) == 0 &&
        runChild({"/usr/bin/time", "-f", "%M", "-o", peakFile, "cmark", markdownFile()}, usage))
        std::printf("peak memory of cmark: %.1f MB\n", static_cast<double>(readNumber(peakFile)) * 1024.0 / 1e6);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--convert-once") == 0) return convertOnceMain(argv[2]);
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--write-documents") == 0) {
        const std::filesystem::path dir(argv[2]);
        const Documents docs = makeDocuments(argc == 4 ? std::stoul(argv[3]) * 1024 * 1024 : kDocumentBytes);
        for (const auto& [name, bytes] : {std::pair{"book.txt", &docs.manuscript}, std::pair{"book.md", &docs.markdown}}) {
            const std::string path = (dir / name).string();
            std::FILE* f = std::fopen(path.c_str(), "wb");
            const bool written = f && std::fwrite(bytes->data(), 1, bytes->size(), f) == bytes->size();
            if (!(f && std::fclose(f) == 0 && written)) {
                std::fprintf(stderr, "bench_convert: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
                return 1;
            }
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(workFolder(), ec);
    return 0;
}
