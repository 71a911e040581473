// Reading maps: ReadPmsMap over a folder of generated maps of realistic size, against a bare
// loop that reads the same byte ranges through stdio with one call per field. The reader's
// own buffering should cost little more than the C library's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "maps/map_readers.h"
#include "fixtures/map_writer.h"
#include "support/temp_dir.h"

namespace {

constexpr int kMapCount = 2000;
constexpr std::int32_t kPolygons = 3000;
constexpr std::size_t kPolygonsStart = 92;
constexpr std::size_t kPolygonBytes = 121;

fixtures::PmsSpec RealisticMap() {
  fixtures::PmsSpec recipe;
  recipe.description = "Benchmark map";
  recipe.texture = "rock.bmp";
  recipe.polygonCount = kPolygons;
  recipe.sectorRange = 25;
  recipe.polygonsPerCell = 3;
  recipe.sceneryInstanceCount = 300;
  for (int i = 0; i < 100; ++i)
    recipe.sceneryNames.push_back("scenery" + std::to_string(i) + ".bmp");
  recipe.colliderCount = 20;
  recipe.spawnCount = 64;
  recipe.waypointCount = 200;
  return recipe;
}

struct MapFolder {
  testsupport::TempDir dir;
  AppState state;
  std::vector<std::u16string> names;
  std::vector<std::string> nativePaths;

  MapFolder() {
    state.kindFolders[kKindMap] = dir.path();
    const auto bytes = fixtures::PmsBytes(RealisticMap());
    const std::size_t polygonsEnd = kPolygonsStart + kPolygons * kPolygonBytes;
    for (int i = 0; i < kMapCount; ++i) {
      const std::string name = "map" + std::to_string(i) + ".pms";
      names.emplace_back(name.begin(), name.end());
      nativePaths.push_back((dir.native() / name).string());
      // Nobody reads the polygons, so they are left as a hole: 2,000 maps stay small on disk.
      std::ofstream out(nativePaths.back(), std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()), kPolygonsStart + 4);
      out.seekp(static_cast<std::streamoff>(polygonsEnd));
      out.write(reinterpret_cast<const char*>(bytes.data() + polygonsEnd),
                static_cast<std::streamsize>(bytes.size() - polygonsEnd));
    }
  }
};

const MapFolder& Maps() {
  static const MapFolder folder;
  return folder;
}

std::int64_t ReadAllWithReader(const MapFolder& maps) {
  static MapSummary summary;
  std::int64_t sum = 0;
  for (const auto& name : maps.names) {
    sum += ReadPmsMap(maps.state, name, summary, true);
    sum += summary.counts.spawnCount;
  }
  return sum;
}

// The same fields and skips as the reader, one stdio call each.
class BareMap {
 public:
  explicit BareMap(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}
  ~BareMap() {
    if (file_) std::fclose(file_);
  }
  bool ok() const { return file_ != nullptr; }

  std::int32_t i32() {
    std::int32_t v = 0;
    ok_ &= std::fread(&v, 4, 1, file_) == 1;
    return v;
  }
  std::uint16_t u16() {
    std::uint16_t v = 0;
    ok_ &= std::fread(&v, 2, 1, file_) == 1;
    return v;
  }
  std::uint8_t u8() {
    std::uint8_t v = 0;
    ok_ &= std::fread(&v, 1, 1, file_) == 1;
    return v;
  }
  void bytes(char* out, std::size_t n) { ok_ &= std::fread(out, 1, n, file_) == n; }
  void skip(long n) { ok_ &= std::fseek(file_, n, SEEK_CUR) == 0; }

  std::int64_t read() {
    char text[64];
    skip(4);
    u8();
    bytes(text, 38);
    u8();
    bytes(text, 24);
    skip(8);
    std::int64_t sum = i32();
    for (int i = 0; i < 4; ++i) sum += u8();
    skip(4);
    const std::int32_t polygons = i32();
    skip(polygons * 121L + 4);
    const std::int32_t range = i32();
    for (std::int64_t cell = 0; cell < (2 * range + 1) * (2 * range + 1); ++cell) {
      const std::uint16_t count = u16();
      sum += count;
      skip(2L * count);
    }
    skip(44L * i32());
    const std::int32_t sceneries = i32();
    for (std::int32_t i = 0; i < sceneries && ok_; ++i) {
      u8();
      bytes(text, 50);
      skip(4);
    }
    skip(16L * i32());
    const std::int32_t spawns = i32();
    skip(16L * spawns);
    sum += spawns + i32();
    return ok_ ? sum : -1;
  }

 private:
  std::FILE* file_;
  bool ok_ = true;
};

std::int64_t ReadAllBare(const MapFolder& maps) {
  std::int64_t sum = 0;
  for (const auto& path : maps.nativePaths) {
    BareMap map(path);
    if (map.ok()) sum += map.read();
  }
  return sum;
}

void BM_ReadPmsMap(benchmark::State& state) {
  const MapFolder& maps = Maps();
  for (auto _ : state) benchmark::DoNotOptimize(ReadAllWithReader(maps));
  state.SetItemsProcessed(state.iterations() * kMapCount);
  state.SetLabel("items/s = maps/s");
}

void BM_BareStdioReads(benchmark::State& state) {
  const MapFolder& maps = Maps();
  for (auto _ : state) benchmark::DoNotOptimize(ReadAllBare(maps));
  state.SetItemsProcessed(state.iterations() * kMapCount);
  state.SetLabel("items/s = maps/s");
}

// Both loops timed side by side in every iteration, so that both see the same machine load.
void BM_ReaderOverBareRatio(benchmark::State& state) {
  const MapFolder& maps = Maps();
  using Clock = std::chrono::steady_clock;
  Clock::duration reader{}, bare{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(ReadAllWithReader(maps));
    const auto t1 = Clock::now();
    benchmark::DoNotOptimize(ReadAllBare(maps));
    const auto t2 = Clock::now();
    reader += t1 - t0;
    bare += t2 - t1;
  }
  state.counters["reader_over_bare"] =
      std::chrono::duration<double>(reader).count() / std::chrono::duration<double>(bare).count();
}

BENCHMARK(BM_ReadPmsMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareStdioReads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderOverBareRatio)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
