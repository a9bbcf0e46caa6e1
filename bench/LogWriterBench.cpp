// Cost of tQN_LogWriter::Write on the caller's thread: formatting the line and
// queueing it, while the worker appends to the file in the background.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "runtime/tQN_LogWriter.h"

namespace {

class BenchDir {
public:
  BenchDir()
      : fPath(std::filesystem::temp_directory_path() /
              ("qnrp-logbench-" + std::to_string(getpid()))) {}
  ~BenchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
  }
  std::string Path() const { return fPath.string(); }

private:
  std::filesystem::path fPath;
};

void BM_LogWriterWrite(benchmark::State& state) {
  BenchDir dir;
  tQN_LogWriter writer("Bench", dir.Path(), 0, false);
  const std::string message(static_cast<size_t>(state.range(0)), 'x');
  for (auto _ : state) writer.Write(let_info, message);
  writer.WaitUntilWritten(std::chrono::minutes(5));  // after the timed loop
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LogWriterWrite)->Arg(16)->Arg(200)->Arg(4000);

void BM_LogWriterWriteTruncated(benchmark::State& state) {
  BenchDir dir;
  tQN_LogWriter writer("Bench", dir.Path(), 100, false);
  const std::string message(4000, 'x');
  for (auto _ : state) writer.Write(let_error, message);
  writer.WaitUntilWritten(std::chrono::minutes(5));  // after the timed loop
}
BENCHMARK(BM_LogWriterWriteTruncated);

}  // namespace

BENCHMARK_MAIN();
