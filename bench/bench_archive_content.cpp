// Building the archive content of 1,000 maps that share most of their sceneries, against a
// bare loop that only reads the same maps and tests each distinct file once: everything the
// build does beyond that (lookups, de-duplication, the tree) should cost little.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "config/ui_text.h"
#include "content/archive_content.h"
#include "maps/map_readers.h"
#include "maps/map_report.h"
#include "platform/platform.h"
#include "fixtures/map_writer.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace {

constexpr int kMapCount = 1000;
constexpr int kSceneriesPerMap = 100;
constexpr int kSceneryPool = 2000;
constexpr int kTexturePool = 50;

std::u16string Wide(const std::string& ascii) {
  return {ascii.begin(), ascii.end()};
}

std::string SceneryName(int i) {
  return "scenery_" + std::to_string(i) + ".bmp";
}
std::string TextureName(int i) {
  return "texture_" + std::to_string(i) + ".bmp";
}

struct Installation {
  testsupport::TempDir dir;
  AppState state;
  ui::MemoryTree pack;
  ui::MemoryTree content;
  std::vector<std::u16string> mapNames;

  Installation() {
    LoadBuiltinRuntimeUiText(state);
    const char16_t* folders[kKindCount] = {u"maps",        u"Uncompiled", u"Prefabs",
                                           u"scenery-gfx", u"textures",   u"textures\\edges"};
    for (int kind = 0; kind < kKindCount; ++kind) {
      state.kindFolders[kind] = dir.folder(folders[kind]);
    }
    // Nine in ten sceneries and every texture are there, so both answers are looked up.
    for (int i = 0; i < kSceneryPool; ++i) {
      if (i % 10 != 0)
        fixtures::WriteText(state.kindFolders[kKindScenery] + Wide(SceneryName(i)), "BM");
    }
    for (int i = 0; i < kTexturePool; ++i) {
      fixtures::WriteText(state.kindFolders[kKindTexture] + Wide(TextureName(i)), "BM");
      fixtures::WriteText(state.kindFolders[kKindEdge] + Wide(TextureName(i)), "BM");
    }

    std::mt19937 random(7);
    std::vector<int> pool(kSceneryPool);
    for (int i = 0; i < kSceneryPool; ++i) pool[i] = i;
    state.packTree = &pack;
    state.contentTree = &content;
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
    for (int m = 0; m < kMapCount; ++m) {
      fixtures::PmsSpec recipe;
      recipe.description = "Benchmark map";
      recipe.texture = TextureName(static_cast<int>(random() % kTexturePool));
      recipe.polygonCount = 500;
      recipe.sectorRange = 10;
      // Distinct names within a map, as a map lists each scenery file once.
      std::shuffle(pool.begin(), pool.end(), random);
      for (int i = 0; i < kSceneriesPerMap; ++i)
        recipe.sceneryNames.push_back(SceneryName(pool[i]));
      recipe.sceneryInstanceCount = 3 * kSceneriesPerMap;
      const std::u16string name = u"map" + Wide(std::to_string(m)) + u".PMS";
      fixtures::WriteBytes(state.kindFolders[kKindMap] + name, fixtures::PmsBytes(recipe));
      mapNames.push_back(name);
      pack.insertLast(state.packRoot, {name, 11, 11});
    }
    state.packCount = kMapCount;
  }
};

Installation& Install() {
  static Installation installation;
  return installation;
}

std::int64_t BuildContent(Installation& in) {
  BuildArchiveContent(in.state);
  return in.content.itemCount();
}

// Reads every map once and tests each distinct referenced file and its .png twin once, in
// any letter case, each folder read once.
std::int64_t BareLoop(const Installation& in) {
  const auto summary = std::make_unique<MapSummary>();
  std::unordered_set<std::string> sceneries;
  std::unordered_set<std::string> textures;
  for (const auto& name : in.mapNames) {
    ReadPmsMap(in.state, name, *summary, true);
    textures.insert(summary->texture.data());
    for (int i = 0; i < summary->counts.sceneryCount && i < kMaxSceneryNames; ++i) {
      sceneries.insert(summary->counts.sceneryNames[static_cast<std::size_t>(i)].data());
    }
  }
  platform::FolderNames sceneryFolder(in.state.kindFolders[kKindScenery]);
  platform::FolderNames textureFolder(in.state.kindFolders[kKindTexture]);
  platform::FolderNames edgeFolder(in.state.kindFolders[kKindEdge]);
  const auto lookUp = [](platform::FolderNames& folder, const std::string& name) {
    const std::u16string wide = Wide(name);
    return folder.contains(wide) + folder.contains(*PngTwin(wide));
  };
  std::int64_t found = 0;
  for (const auto& name : sceneries) found += lookUp(sceneryFolder, name);
  for (const auto& name : textures) {
    found += lookUp(textureFolder, name);
    found += lookUp(edgeFolder, name);
  }
  return found;
}

void BM_BuildArchiveContent(benchmark::State& state) {
  Installation& in = Install();
  for (auto _ : state) benchmark::DoNotOptimize(BuildContent(in));
  state.SetItemsProcessed(state.iterations() * kMapCount);
  state.SetLabel("items/s = maps/s");
}

void BM_BareReadAndLookUp(benchmark::State& state) {
  Installation& in = Install();
  for (auto _ : state) benchmark::DoNotOptimize(BareLoop(in));
  state.SetItemsProcessed(state.iterations() * kMapCount);
  state.SetLabel("items/s = maps/s");
}

// Both timed side by side in every iteration, so that both see the same machine load; by
// the clock and by the processor time the process spent (the files are in the page cache,
// so both loops only compute), which other work on the machine disturbs less.
void BM_BuildOverBareRatio(benchmark::State& state) {
  Installation& in = Install();
  using Clock = std::chrono::steady_clock;
  Clock::duration build{}, bare{};
  std::clock_t buildCpu = 0, bareCpu = 0;
  // Each loop goes first in every other iteration: the second one runs on caches the first
  // warmed, which would otherwise always favour the same side.
  bool buildFirst = true;
  const auto timeBuild = [&] {
    const auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    benchmark::DoNotOptimize(BuildContent(in));
    build += Clock::now() - t0;
    buildCpu += std::clock() - c0;
  };
  const auto timeBare = [&] {
    const auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    benchmark::DoNotOptimize(BareLoop(in));
    bare += Clock::now() - t0;
    bareCpu += std::clock() - c0;
  };
  for (auto _ : state) {
    if (buildFirst) {
      timeBuild();
      timeBare();
    } else {
      timeBare();
      timeBuild();
    }
    buildFirst = !buildFirst;
  }
  state.counters["build_over_bare"] =
      std::chrono::duration<double>(build).count() / std::chrono::duration<double>(bare).count();
  state.counters["build_over_bare_cpu"] =
      static_cast<double>(buildCpu) / static_cast<double>(bareCpu);
}

BENCHMARK(BM_BuildArchiveContent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareReadAndLookUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildOverBareRatio)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
