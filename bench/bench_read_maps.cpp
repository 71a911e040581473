// Reading maps: ReadPmsMap over a folder of generated maps of realistic size, against the
// honest floor of the same work in the same run. The reader should stay within 1.5 times
// the floor: what it adds is its own bookkeeping, not reads.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "fixtures/map_writer.h"
#include "maps/map_readers.h"
#include "support/temp_dir.h"

namespace {

constexpr int kMapCount = 2000;
constexpr std::int32_t kPolygons = 3000;
constexpr std::size_t kPolygonsStart = 92;
constexpr std::size_t kPolygonBytes = 121;
constexpr std::int32_t kSpawns = 64;

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
  recipe.spawnCount = kSpawns;
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

// The honest floor of the same work: open, read the head, read everything after the
// polygons, walk the same fields in memory. Straight system calls into one buffer kept from
// map to map; each field is bounds-checked, as it must be for files from strangers.
class FloorWalk {
 public:
  FloorWalk(const std::uint8_t* at, const std::uint8_t* end) : at_(at), end_(end) {}
  bool ok() const { return ok_; }

  const std::uint8_t* take(std::size_t n) {
    if (!ok_ || static_cast<std::size_t>(end_ - at_) < n) {
      ok_ = false;
      return nullptr;
    }
    const std::uint8_t* field = at_;
    at_ += n;
    return field;
  }
  std::int32_t i32() {
    std::int32_t v = 0;
    if (const std::uint8_t* b = take(4)) std::memcpy(&v, b, 4);
    return v;
  }
  std::uint16_t u16() {
    std::uint16_t v = 0;
    if (const std::uint8_t* b = take(2)) std::memcpy(&v, b, 2);
    return v;
  }
  void skip(std::int64_t n) {
    if (n < 0 || n > end_ - at_) ok_ = false;
    if (ok_) at_ += n;
  }
  // A length byte and a field of `bytes`, copied as far as the length says.
  void text(char* out, std::size_t bytes) {
    const std::uint8_t* field = take(1 + bytes);
    if (field == nullptr) return;
    const std::size_t length = std::min<std::size_t>(field[0], bytes);
    std::memcpy(out, field + 1, length);
    out[length] = '\0';
  }

 private:
  const std::uint8_t* at_;
  const std::uint8_t* end_;
  bool ok_ = true;
};

// Everything after the polygons, as the reader walks it.
std::int64_t Walk(FloorWalk in, MapSummary& map, std::int64_t sum) {
  in.skip(4);
  const std::int32_t range = in.i32();
  const std::int64_t side = range < 0 ? 0 : 2 * std::int64_t{range} + 1;
  for (std::int64_t cell = side * side; cell > 0 && in.ok(); --cell) {
    const std::uint16_t count = in.u16();
    sum += count;
    in.skip(2 * std::int64_t{count});
  }
  in.skip(44 * std::int64_t{in.i32()});
  const std::int32_t sceneries = std::min(in.i32(), kMaxSceneryNames);
  for (std::int32_t i = 0; i < sceneries && in.ok(); ++i) {
    in.text(map.counts.sceneryNames[i].data(), 50);
    in.skip(4);
  }
  in.skip(16 * std::int64_t{in.i32()});
  const std::int32_t spawns = in.i32();
  in.skip(16 * std::int64_t{spawns});
  sum += spawns + in.i32();
  return in.ok() ? sum : -1;
}

std::int64_t ReadFloor(const std::string& path, std::vector<std::uint8_t>& buffer,
                       MapSummary& map) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  std::uint8_t head[kPolygonsStart];
  std::int64_t sum = -1;
  if (::fstat(fd, &st) == 0 && ::pread(fd, head, sizeof head, 0) == sizeof head) {
    FloorWalk in(head, head + sizeof head);
    in.skip(4);
    in.text(map.description.data(), 38);
    in.text(map.texture.data(), 24);
    in.skip(8);
    sum = in.i32();
    if (const std::uint8_t* kits = in.take(4)) sum += kits[0] + kits[1] + kits[2] + kits[3];
    in.skip(4);
    const std::int32_t polygons = in.i32();
    const std::int64_t tailStart = kPolygonsStart + std::int64_t{polygons} * kPolygonBytes;
    const std::int64_t tailBytes = st.st_size - tailStart;
    if (polygons >= 0 && tailBytes >= 0) {
      buffer.resize(static_cast<std::size_t>(tailBytes));
      const ssize_t got = ::pread(fd, buffer.data(), buffer.size(), tailStart);
      sum = Walk(FloorWalk(buffer.data(), buffer.data() + (got > 0 ? got : 0)), map, sum);
    }
  }
  ::close(fd);
  return sum;
}

std::int64_t ReadAllFloor(const MapFolder& maps) {
  static MapSummary summary;
  std::vector<std::uint8_t> buffer;
  std::int64_t sum = 0;
  for (const auto& path : maps.nativePaths) {
    const std::int64_t one = ReadFloor(path, buffer, summary);
    if (one < 0) return -1;
    sum += one;
  }
  return sum;
}

void BM_ReadPmsMap(benchmark::State& state) {
  const MapFolder& maps = Maps();
  for (auto _ : state) benchmark::DoNotOptimize(ReadAllWithReader(maps));
  state.SetItemsProcessed(state.iterations() * kMapCount);
  state.SetLabel("items/s = maps/s");
}

void BM_HonestFloor(benchmark::State& state) {
  const MapFolder& maps = Maps();
  for (auto _ : state) benchmark::DoNotOptimize(ReadAllFloor(maps));
  state.SetItemsProcessed(state.iterations() * kMapCount);
  state.SetLabel("items/s = maps/s");
}

// Both loops timed side by side in every iteration, so that both see the same machine load.
void BM_ReaderOverFloorRatio(benchmark::State& state) {
  const MapFolder& maps = Maps();
  if (ReadAllWithReader(maps) != std::int64_t{kMapCount} * kSpawns || ReadAllFloor(maps) < 0)
    state.SkipWithError("a map was not read whole");
  using Clock = std::chrono::steady_clock;
  Clock::duration reader{}, floor{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(ReadAllWithReader(maps));
    const auto t1 = Clock::now();
    benchmark::DoNotOptimize(ReadAllFloor(maps));
    const auto t2 = Clock::now();
    reader += t1 - t0;
    floor += t2 - t1;
  }
  state.counters["reader_over_floor"] =
      std::chrono::duration<double>(reader).count() / std::chrono::duration<double>(floor).count();
}

BENCHMARK(BM_ReadPmsMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HonestFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderOverFloorRatio)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
