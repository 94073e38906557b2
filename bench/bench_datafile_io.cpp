// Reading and writing the datafile of a large problem beside a plain loop over the same text:
// the reference splits every data line into fields and parses each with std::from_chars, and
// formats every number of the problem back with std::to_chars into one buffer. The problem is
// the initial one refined nine times by Split 4 (131,841 nodes, six layers) with heads and
// supplies of many digits, as a solved file has them.
//
//   build/bench/bench_datafile_io --benchmark_repetitions=5 --benchmark_report_aggregates_only

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "files/Datafile.h"
#include "mesh/Split.h"
#include "model/Problem.h"

namespace {

using planaq::Problem;

Problem LargeProblem() {
  planaq::Capacities caps;
  caps.NMAX = 140000;
  caps.MMAX = 270000;
  Problem p;
  p.StartUp(caps);
  for (int i = 0; i < 9; ++i) planaq::SplitElements4(p);
  for (int n = 0; n < p.NN; ++n) {
    const double x = p.nodes[n].X, y = p.nodes[n].Y;
    for (int L = 0; L < p.NL; ++L) {
      p.layers[n].F[L] = 60.0 + 9.0 * std::sin(x / 317.0 + L) * std::cos(y / 211.0);
      p.layers[n].Q[L] = (n % 7 == 0) ? 1e-3 * std::cos(x * y + L) : 0.0;
    }
  }
  return p;
}

struct Fixture {
  Problem problem = LargeProblem();
  std::string folder =
      std::filesystem::temp_directory_path() / ("planaq-bench-" + std::to_string(::getpid()));
  std::string path;
  std::string text;
  Fixture() {
    std::filesystem::create_directories(folder);
    path = folder + "/large.aqd";
    Problem copy = problem;
    planaq::WriteDatafile(copy, path);
    text = planaq::FormatDatafile(problem);
  }
  ~Fixture() { std::filesystem::remove_all(folder); }
};

Fixture& Large() {
  static Fixture fixture;
  return fixture;
}

std::string ReadWhole(const std::string& path) {
  std::string bytes;
  bytes.reserve(std::filesystem::file_size(path));
  std::FILE* f = std::fopen(path.c_str(), "rb");
  char block[1 << 16];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, f)) > 0;)
    bytes.append(block, got);
  std::fclose(f);
  return bytes;
}

bool IsField(char c) { return c != ',' && c != ' ' && c != ';' && c != '\n'; }

// Every field of every data line parsed as a double; returns their sum so nothing is dropped.
double ParseFields(const std::string& text) {
  double sum = 0.0;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    if (*p == '#') {
      while (p < end && *p != '\n') ++p;
      ++p;
      continue;
    }
    while (p < end && !IsField(*p)) ++p;
    const char* start = p;
    while (p < end && IsField(*p)) ++p;
    double v = 0.0;
    if (p > start) std::from_chars(start, p, v);
    sum += v;
  }
  return sum;
}

// A number as to_chars gives it, right-aligned in width spaces (none when width is 0).
void Field(char*& at, int width, const char* digits, const char* end) {
  for (int i = static_cast<int>(end - digits); i < width; ++i) *at++ = ' ';
  at = std::copy(digits, end, at);
  *at++ = ',';
}
void Put(char*& at, int width, double v, int precision) {
  char digits[64];
  Field(at, width, digits,
        std::to_chars(digits, digits + 64, v, std::chars_format::fixed, precision).ptr);
}
void Put(char*& at, int width, int v) {
  char digits[16];
  Field(at, width, digits, std::to_chars(digits, digits + 16, v).ptr);
}

// Every number of the problem in the written precision, one field each, in one buffer; with
// padded, each in the width of its field in the file, so the text has the file's length.
std::string FormatFields(const Problem& p, std::size_t size, bool padded) {
  const int w = padded ? 1 : 0;
  std::string out(size, '\0');
  char* at = out.data();
  for (int n = 0; n < p.NN; ++n) {
    if (static_cast<std::size_t>(at - out.data()) + 1024 > out.size()) break;
    Put(at, 8 * w, n + 1);
    Put(at, 10 * w, p.nodes[n].X, 3);
    Put(at, 10 * w, p.nodes[n].Y, 3);
    Put(at, 6 * w, p.nodes[n].Type);
    *at++ = '\n';
    for (int L = 0; L < p.NL; ++L) {
      Put(at, 19 * w, p.layers[n].B[L], 3);
      Put(at, 10 * w, p.layers[n].T[L], 3);
      Put(at, 16 * w, p.layers[n].F[L], 9);
      Put(at, 16 * w, p.layers[n].Q[L], 9);
      *at++ = '\n';
    }
  }
  for (int e = 0; e < p.NM; ++e) {
    if (static_cast<std::size_t>(at - out.data()) + 1024 > out.size()) break;
    Put(at, 8 * w, e + 1);
    for (int k : p.elements[e].Node) Put(at, 8 * w, k + 1);
    Put(at, 8 * w, p.elements[e].Block + 1);
    *at++ = '\n';
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
  return out;
}

void SetBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void BM_ReferenceReadLoop(benchmark::State& state) {
  Fixture& f = Large();
  for (auto _ : state) benchmark::DoNotOptimize(ParseFields(ReadWhole(f.path)));
  SetBytes(state, f.text.size());
}

void BM_ReadDatafile(benchmark::State& state) {
  Fixture& f = Large();
  Problem p = f.problem;
  for (auto _ : state) {
    const planaq::Outcome read = planaq::ReadDatafile(p, f.path);
    if (!read.ok) state.SkipWithError(read.message.c_str());
  }
  SetBytes(state, f.text.size());
}

// range(0) 1: every field padded to its width in the file, 0: to_chars alone.
void BM_ReferenceWriteLoop(benchmark::State& state) {
  Fixture& f = Large();
  const std::string out = f.folder + "/reference.txt";
  for (auto _ : state) {
    const std::string text = FormatFields(f.problem, f.text.size() + 4096, state.range(0) == 1);
    std::FILE* file = std::fopen(out.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  SetBytes(state, f.text.size());
}

void BM_FormatDatafile(benchmark::State& state) {
  Fixture& f = Large();
  for (auto _ : state) benchmark::DoNotOptimize(planaq::FormatDatafile(f.problem));
  SetBytes(state, f.text.size());
}

void BM_CheckWritable(benchmark::State& state) {
  Fixture& f = Large();
  for (auto _ : state) benchmark::DoNotOptimize(planaq::CheckWritable(f.problem));
  SetBytes(state, f.text.size());
}

void BM_WriteDatafile(benchmark::State& state) {
  Fixture& f = Large();
  Problem p = f.problem;
  const std::string out = f.folder + "/written.aqd";
  for (auto _ : state) {
    const planaq::Outcome written = planaq::WriteDatafile(p, out);
    if (!written.ok) state.SkipWithError(written.message.c_str());
  }
  SetBytes(state, f.text.size());
}

BENCHMARK(BM_ReferenceReadLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDatafile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceWriteLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatDatafile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckWritable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDatafile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
