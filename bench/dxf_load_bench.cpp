// Loading a DXF drawing against the least any reader must do with it.
//
//   dxf_load_bench [benchmark flags] DRAWING.dxf [MORE.dxf...]
//   DDS_DXF_BENCH_DRAWING=a.dxf:b.dxf dxf_load_bench [benchmark flags]
//
// For each drawing, side by side in one run:
//   PlainTokenizer  reads the file, splits it into lines and tags, parses
//                   every group code and every number (reals and integers
//                   by their code) with std::from_chars, and nothing more;
//   Load            readDxfDrawing: the drawing database with every object.
// Then a summary: the load's wall time against the tokenizer's (target: at
// most 1.6x) and the load's peak memory against the file's size (target: at
// most 2.2x for the 40 MB benchmark drawing, 2.5x for a 10 MB one), measured
// as the maximum resident set of a fresh process that loads the drawing
// once (this program started again), as a user's process would.
// Make the drawings with bench/dxf/make_big_drawing.py (--count 4700 gives
// about 10 MB). Without a drawing the benchmark says so and skips.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "DxfDrawingIO.h"
#include "OdDbDatabase.h"

extern char** environ;

namespace {

constexpr const char* kChildVariable = "DDS_DXF_BENCH_PEAK_OF";

// The whole file in a buffer left uninitialised before the read, as the
// reader's own is.
std::string_view readWhole(const std::string& path, std::unique_ptr<char[]>& buffer) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return {};
  struct stat st {};
  std::size_t size = ::fstat(fileno(f), &st) == 0 ? std::size_t(st.st_size) : 0;
  buffer = std::make_unique_for_overwrite<char[]>(size);
  size = std::fread(buffer.get(), 1, size, f);
  std::fclose(f);
  return std::string_view(buffer.get(), size);
}

bool isRealCode(int code) {
  return (code >= 10 && code < 60) || (code >= 110 && code < 150) || (code >= 210 && code < 240) ||
         (code >= 460 && code < 470) || (code >= 1010 && code < 1060);
}

bool isIntegerCode(int code) {
  return (code >= 60 && code < 80) || (code >= 90 && code < 100) || (code >= 160 && code < 180) ||
         (code >= 270 && code < 300) || (code >= 370 && code < 390) || (code >= 400 && code < 410) ||
         (code >= 420 && code < 430) || (code >= 440 && code < 460) || (code >= 1060 && code <= 1071);
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// What a plain reader of the format does at the least: every line found,
// every group code and number converted. The sums keep the work from being
// optimised away.
struct TokenizerResult {
  std::size_t tags = 0;
  double realSum = 0;
  long long integerSum = 0;
};

TokenizerResult tokenize(const std::string& path) {
  std::unique_ptr<char[]> buffer;
  const std::string_view bytes = readWhole(path, buffer);
  TokenizerResult r;
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  auto nextLine = [&](std::string_view& line) {
    if (p >= end) return false;
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
    if (!lf) lf = end;
    line = std::string_view(p, std::size_t(lf - p));
    p = lf + 1;
    return true;
  };
  std::string_view codeLine, value;
  while (nextLine(codeLine) && nextLine(value)) {
    const std::string_view c = trimmed(codeLine);
    int code = 0;
    std::from_chars(c.data(), c.data() + c.size(), code);
    ++r.tags;
    const std::string_view v = trimmed(value);
    if (isRealCode(code)) {
      double d = 0;
      std::from_chars(v.data(), v.data() + v.size(), d);
      r.realSum += d;
    } else if (isIntegerCode(code)) {
      long long i = 0;
      std::from_chars(v.data(), v.data() + v.size(), i);
      r.integerSum += i;
    }
  }
  return r;
}

std::vector<std::string> drawingsFrom(int argc, char** argv) {
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) paths.emplace_back(argv[i]);
  if (const char* env = std::getenv("DDS_DXF_BENCH_DRAWING"); paths.empty() && env) {
    std::string list = env;
    for (std::size_t start = 0; start <= list.size();) {
      const std::size_t colon = std::min(list.find(':', start), list.size());
      if (colon > start) paths.push_back(list.substr(start, colon - start));
      start = colon + 1;
    }
  }
  return paths;
}

// The high-water mark of this process's resident memory, in bytes (read
// from the system, as the process's own usage counts what it replaced at
// start as well).
long long residentPeak() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long long kib = -1;
  while (std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "VmHWM: %lld kB", &kib) == 1) break;
  std::fclose(f);
  return kib < 0 ? -1 : kib * 1024;
}

// Peak resident memory of this program started again to load `path` once.
long long peakOfLoad(const std::string& path) {
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return -1;
  self[n] = '\0';
  const std::string variable = std::string(kChildVariable) + "=" + path;
  std::vector<char*> env;
  for (char** e = environ; *e; ++e) env.push_back(*e);
  env.push_back(const_cast<char*>(variable.c_str()));
  env.push_back(nullptr);
  int out[2];
  if (::pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char* args[] = {self, nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, env.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  char text[64] = {};
  std::size_t got = 0;
  for (ssize_t r; got + 1 < sizeof text && (r = ::read(out[0], text + got, sizeof text - 1 - got)) > 0;)
    got += std::size_t(r);
  ::close(out[0]);
  if (spawned != 0) return -1;
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::atoll(text);
}

// Wall times per iteration, by benchmark name, for the summary: the median
// of the repetitions where there are several, else the one run.
class Recorder : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || !(median || run.run_type == Run::RT_Iteration)) continue;
      Times& t = times[run.run_name.function_name];
      if (t.median && !median) continue;
      const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
      t = {run.GetAdjustedRealTime() / perSecond, run.GetAdjustedCPUTime() / perSecond, median};
    }
  }
  struct Times {
    double wall = 0, cpu = 0;  // seconds per iteration; processor time of every thread
    bool median = false;
  };
  std::map<std::string, Times> times;
};

}  // namespace

int main(int argc, char** argv) {
  if (const char* path = std::getenv(kChildVariable)) {
    // The child of peakOfLoad: one load, nothing else.
    std::unique_ptr<OdDbDatabase> db = readDxfDrawing(path);
    std::printf("%lld\n", residentPeak());
    (void)db.release();  // as a user's process at exit: the system takes the memory back
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  const std::vector<std::string> drawings = drawingsFrom(argc, argv);
  if (drawings.empty()) {
    std::printf("dxf_load_bench: no drawing given (argument or DDS_DXF_BENCH_DRAWING); skipped.\n"
                "Make one with bench/dxf/make_big_drawing.py OUT.dxf\n");
    return 0;
  }
  std::vector<std::pair<std::string, std::size_t>> sizes;
  for (const std::string& path : drawings) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      std::printf("dxf_load_bench: %s is missing; skipped.\n", path.c_str());
      continue;
    }
    sizes.emplace_back(path, std::size_t(st.st_size));
    benchmark::RegisterBenchmark(("PlainTokenizer/" + path).c_str(), [path](benchmark::State& state) {
      for (auto _ : state) {
        TokenizerResult r = tokenize(path);
        benchmark::DoNotOptimize(r);
        state.counters["tags"] = double(r.tags);
      }
    })->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(2.0);
    benchmark::RegisterBenchmark(("Load/" + path).c_str(), [path](benchmark::State& state) {
      for (auto _ : state) {
        std::unique_ptr<OdDbDatabase> db = readDxfDrawing(path);
        benchmark::DoNotOptimize(db.get());
        state.PauseTiming();  // closing the drawing is not opening it
        state.counters["objects"] = double(db->numObjects());
        db.reset();
        state.ResumeTiming();
      }
    })->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(2.0);
  }
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  benchmark::Shutdown();

  // Wall time is what a user waits for; processor time (both threads of
  // the load) tells a busy machine's noise apart.
  std::printf("\n%-32s %11s %11s %6s %11s %11s %6s %9s %9s\n", "drawing", "tokenizer", "load", "ratio",
              "tokenizer", "load", "ratio", "peak", "peak/file");
  std::printf("%-32s %11s %11s %6s %11s %11s %6s\n", "", "wall", "wall", "", "cpu", "cpu", "");
  for (const auto& [path, size] : sizes) {
    const auto tokenizer = recorder.times.find("PlainTokenizer/" + path);
    const auto load = recorder.times.find("Load/" + path);
    if (tokenizer == recorder.times.end() || load == recorder.times.end()) {
      std::printf("%-32s not measured (left out by a filter, or failed)\n", path.c_str());
      continue;
    }
    const Recorder::Times t = tokenizer->second, l = load->second;
    const long long peak = peakOfLoad(path);
    std::printf("%-32s %9.1fms %9.1fms %5.2fx %9.1fms %9.1fms %5.2fx %7.1fMB %8.2fx\n", path.c_str(),
                t.wall * 1e3, l.wall * 1e3, l.wall / t.wall, t.cpu * 1e3, l.cpu * 1e3, l.cpu / t.cpu,
                double(peak) / 1e6, double(peak) / double(size));
  }
  std::printf("targets: load at most 1.6x the tokenizer; peak at most 2.2x the file (40 MB drawing), "
              "2.5x (10 MB)\n");
  return 0;
}
