// The catalogue scan of a large maps folder, against the least it has to do: list the folder
// and find each map's game mode. The scan should cost at most twice that.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/game_mode_filters.h"
#include "config/ui_text.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
#include "fixtures/map_writer.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace {

constexpr int kMapCount = 10000;

// A maps folder of kMapCount maps of every game mode in mixed case, and a program state
// pointing at it. Built once for all benchmarks.
struct Installation {
  Installation() {
    dir.folder(u"maps");
    mapsFolder = dir.path() + u"maps\\";
    static constexpr const char* kModes[] = {"ctf_", "dm_", "inf_", "htf_", "tdm_", "", "CTF_"};
    const std::vector<std::uint8_t> bytes = fixtures::PmsBytes({});
    for (int i = 0; i < kMapCount; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "%sMap %05d.PMS", kModes[i % 7], (i * 7919) % 100000);
      const std::string s(name);
      fixtures::WriteBytes(mapsFolder + std::u16string(s.begin(), s.end()), bytes);
      // Every hundredth map is one of the game's own.
      if (i % 100 == 0) defaults.emplace_back(s.begin(), s.end());
    }

    LoadGameModeFilters(state);
    LoadBuiltinRuntimeUiText(state);
    state.kindFolders[kKindMap] = mapsFolder;
    state.catalogueTree = &catalogue;
    state.packTree = &pack;
    state.controls = &controls;
    for (const auto& name : defaults) state.defaultMaps.add(name, 1);
    state.defaultMaps.sortUnique();
  }

  testsupport::TempDir dir;
  std::u16string mapsFolder;
  std::vector<std::u16string> defaults;
  AppState state;
  ui::MemoryTree catalogue;
  ui::MemoryTree pack;
  testsupport::FakeControls controls;
};

Installation& Install() {
  static Installation install;
  return install;
}

void ListAndClassify(benchmark::State& bench) {
  Installation& install = Install();
  for (auto _ : bench) {
    std::uint32_t sum = 0;
    for (const auto& name : platform::ListFiles(install.mapsFolder, u"*.pms")) {
      sum += FindGameModeFilter(install.state, name);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(ListAndClassify)->Unit(benchmark::kMillisecond);

void RefreshCatalogueScan(benchmark::State& bench) {
  Installation& install = Install();
  install.state.skipDefaultMaps = bench.range(0) != 0;
  for (auto _ : bench) {
    RefreshCatalogue(install.state);
    benchmark::DoNotOptimize(install.catalogue.itemCount());
  }
  bench.counters["items"] = install.catalogue.itemCount();
}
BENCHMARK(RefreshCatalogueScan)
    ->ArgName("skipDefaultMaps")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
