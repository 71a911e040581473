// Sorting and subtracting name lists of the size a large maps folder gives.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/string_list.h"

namespace {

// Distinct map-like names in random order and mixed case.
std::vector<std::u16string> Names(std::size_t n, unsigned seed) {
  static constexpr const char* kModes[] = {"ctf_", "dm_", "inf_", "htf_", "tdm_", "kz_"};
  std::mt19937 rng(seed);
  std::vector<std::u16string> names;
  names.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%s%zu.pms", kModes[i % 6],
                  (rng() & 1) != 0 ? "Map" : "MAP", i);
    names.emplace_back(buffer, buffer + std::char_traits<char>::length(buffer));
  }
  std::shuffle(names.begin(), names.end(), rng);
  return names;
}

void SortUnique(benchmark::State& state) {
  const auto names = Names(static_cast<std::size_t>(state.range(0)), 1);
  for (auto _ : state) {
    StringList list;
    for (const auto& name : names) list.add(name, 11);
    list.sortUnique();
    benchmark::DoNotOptimize(list.count());
  }
}
BENCHMARK(SortUnique)->Arg(20000)->Unit(benchmark::kMillisecond);

void Subtract(benchmark::State& state) {
  const auto names = Names(static_cast<std::size_t>(state.range(0)), 2);
  StringList defaults;
  for (std::size_t i = 0; i < names.size() / 4; ++i) defaults.add(names[i], 11);
  defaults.sortUnique();
  for (auto _ : state) {
    state.PauseTiming();
    StringList list;
    for (const auto& name : names) list.add(name, 11);
    list.sortUnique();
    state.ResumeTiming();
    list.subtract(defaults, false);
    benchmark::DoNotOptimize(list.count());
  }
}
BENCHMARK(Subtract)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
