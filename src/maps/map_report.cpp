#include "maps/map_report.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>
#include <string>

#include "core/text_helpers.h"
#include "maps/file_details.h"
#include "maps/map_readers.h"
#include "platform/existence_cache.h"
#include "platform/platform.h"
#include "ui/controls.h"

namespace {

// Names from map files are shown and listed through buffers of this many units.
constexpr std::size_t kMaxNameUnits = 65;
constexpr std::size_t kMaxCompiledNameLength = 20;

template <std::size_t N>
std::string_view AnsiField(const std::array<char, N>& field) {
  const auto end = std::find(field.begin(), field.end(), '\0');
  return std::string_view(field.data(), static_cast<std::size_t>(end - field.begin()));
}

void NameFromFile(std::string_view ansi, std::u16string& name) {
  platform::AnsiToUtf16(ansi, name);
  if (name.size() > kMaxNameUnits) name.resize(kMaxNameUnits);
}

void AddLabelled(const AppState& state, StringList& lines, int label, std::u16string_view value) {
  lines.add(std::u16string(UiString(state, label)) + std::u16string(value), 0);
}

void AddNumber(const AppState& state, StringList& lines, int label, std::int64_t value) {
  AddLabelled(state, lines, label, DecimalText(value));
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// Collects the problem lines of one entry; its name line goes first, once.
class ReportBlock {
 public:
  ReportBlock(const AppState& state, StringList& report, std::u16string name)
      : state_(state), report_(report), name_(std::move(name)) {}

  void add(int message, std::u16string_view detail = {}) {
    if (!started_) report_.add(name_, 0);
    started_ = true;
    AddLabelled(state_, report_, message, detail);
  }
  void finish() {
    if (started_) report_.add(u"", 0);
  }

 private:
  const AppState& state_;
  StringList& report_;
  std::u16string name_;
  bool started_ = false;
};

// Missing when the name is unsafe to join to a folder: it is reported, never packed.
bool ExistsInFolder(const AppState& state, FileKind kind, std::u16string_view name) {
  platform::ExistenceCache* cache = state.existenceCache;
  const auto lookUp = [&] {
    const auto path = PathInKindFolder(state, kind, name);
    if (!path) return false;
    // While the archive content is built, each folder is read once (on posix) and each
    // name looked up once however many maps name it.
    return cache != nullptr
               ? cache->namesIn(kind, state.kindFolders[static_cast<std::size_t>(kind)])
                     .contains(name)
               : platform::IsFile(*path);
  };
  return cache != nullptr ? cache->exists(kind, name, lookUp) : lookUp();
}

// What the folder holds of an image name (kImageNamed, kImageTwin).
std::uint8_t LookUpImage(const AppState& state, FileKind kind, std::u16string_view name) {
  const auto lookUp = [&]() -> std::uint8_t {
    const auto twin = PngTwin(name);
    return (ExistsInFolder(state, kind, name) ? kImageNamed : 0) |
           (twin && ExistsInFolder(state, kind, *twin) ? kImageTwin : 0);
  };
  // Maps name the same images again and again: each spelling costs one hash after the first.
  return state.existenceCache != nullptr ? state.existenceCache->remember(kind, name, lookUp)
                                         : lookUp();
}

// The mark of N itself in its group, as ForEachListedName gives it; 0 when it is not listed.
std::uint8_t NamedMark(std::uint8_t held) {
  if ((held & kImageNamed) != 0) return kFileFound;
  return (held & kImageTwin) != 0 ? 0 : kFileMissing;
}

// `sceneries` may be null: the names are looked up and reported, not collected.
void LookUpSceneries(const AppState& state, const MapCounts& counts, std::int32_t namesRead,
                     StringList* sceneries, ReportBlock& block) {
  const std::int32_t n = std::clamp(namesRead, 0, kMaxSceneryNames);
  std::u16string name;
  for (std::int32_t i = 0; i < n; ++i) {
    const std::string_view ansi = AnsiField(counts.sceneryNames[static_cast<std::size_t>(i)]);
    // Slots the reader did not reach, or names it read as empty, name no file.
    if (ansi.empty()) continue;
    NameFromFile(ansi, name);
    const std::uint8_t held = LookUpImage(state, kKindScenery, name);
    if (sceneries != nullptr) {
      ForEachListedName(name, held, [&](std::u16string_view text, std::uint8_t mark) {
        sceneries->add(text, mark);
      });
    }
    if (held == 0) block.add(uitext::kSceneryNotFound, name);
  }
}

void ShowReading(const AppState& state, std::u16string_view name) {
  if (state.controls == nullptr) return;
  state.controls->setStatusText(std::u16string(UiString(state, uitext::kReadingFile)) +
                                std::u16string(name));
}

bool CheckMap(const AppState& state, std::u16string_view name, bool compiled, StringList& report,
              StringList* sceneries, StringList* textures, MapSummary& summary) {
  // A file that is missing or cannot be opened leaves the summary untouched: it must not
  // carry the previous entry's names into this one.
  summary.description[0] = '\0';
  summary.texture[0] = '\0';
  summary.counts.sceneryCount = 0;
  ShowReading(state, name);
  const std::uint32_t result = ReadPmsMap(state, name, summary, compiled);

  ReportBlock block(state, report, compiled ? std::u16string(name) : std::u16string(name) + u" U");
  if (result != 0) {
    block.add(static_cast<int>(result));
  } else {
    const std::string_view description = AnsiField(summary.description);
    if (description.empty() || EqualsIgnoringAsciiCase(description, "New Soldat Map")) {
      block.add(uitext::kNoDescription);
    }
  }
  if (compiled) {
    if (name.size() > kMaxCompiledNameLength) block.add(uitext::kNameTooLong);
    const auto extension = AfterLastChar(name, u'.');
    if (!extension || *extension != u"PMS") block.add(uitext::kLowercaseExtension);
  }

  const std::string_view textureAnsi = AnsiField(summary.texture);
  if (!textureAnsi.empty()) {
    std::u16string texture;
    NameFromFile(textureAnsi, texture);
    const std::uint8_t inTextures = LookUpImage(state, kKindTexture, texture);
    if (inTextures == 0) block.add(uitext::kTextureNotFound, texture);
    const std::uint8_t inEdges = LookUpImage(state, kKindEdge, texture);
    if (inEdges == 0) block.add(uitext::kEdgeNotFound, texture);
    // One entry for both groups: 4 * texture mark + edge mark.
    const auto tag = [](std::uint8_t textureMark, std::uint8_t edgeMark) {
      return static_cast<std::uint8_t>(4 * textureMark + edgeMark);
    };
    const auto twinMark = [](std::uint8_t held) { return (held & kImageTwin) ? kFileFound : 0; };
    if (textures != nullptr) {
      if (const std::uint8_t t = tag(NamedMark(inTextures), NamedMark(inEdges)); t != 0) {
        textures->add(texture, t);
      }
      if (const std::uint8_t t = tag(twinMark(inTextures), twinMark(inEdges)); t != 0) {
        textures->add(*PngTwin(texture), t);
      }
    }
  }

  LookUpSceneries(state, summary.counts, summary.counts.sceneryCount, sceneries, block);
  block.finish();
  return result != 0;
}

bool CheckPrefab(const AppState& state, std::u16string_view name, StringList& report,
                 StringList* sceneries, MapCounts& counts) {
  counts.sceneryInstanceCount = 0;
  ShowReading(state, name);
  const std::uint32_t result = ReadPfbPrefab(state, name, counts);
  ReportBlock block(state, report, std::u16string(name));
  if (result != 0) block.add(static_cast<int>(result));
  LookUpSceneries(state, counts, counts.sceneryInstanceCount, sceneries, block);
  block.finish();
  return result != 0;
}

}  // namespace

std::optional<std::u16string> PngTwin(std::u16string_view name) {
  const std::size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos) return std::nullopt;
  const std::u16string_view extension = name.substr(dot + 1);
  if (extension.size() == 3 && platform::LowerCase(extension) == u"png") return std::nullopt;
  return std::u16string(name.substr(0, dot + 1)) + u"png";
}

void AppendCountLines(const AppState& state, StringList& lines, const MapCounts& counts) {
  AddNumber(state, lines, uitext::kPolygonsLabel, counts.polygonCount);
  AddNumber(state, lines, uitext::kSceneriesLabel, counts.sceneryInstanceCount);
  AddNumber(state, lines, uitext::kSpawnsLabel, counts.spawnCount);
  AddNumber(state, lines, uitext::kCollidersLabel, counts.colliderCount);
  AddNumber(state, lines, uitext::kWaypointsLabel, counts.waypointCount);
}

void AppendMapSettingLines(const AppState& state, StringList& lines, const MapSummary& summary) {
  AddNumber(state, lines, uitext::kNadeKitsLabel, summary.grenadeKits);
  AddNumber(state, lines, uitext::kMedKitsLabel, summary.medicalKits);
  AddNumber(state, lines, uitext::kJetLabel, summary.jetAmount);
  // Out-of-range values read as the first choice, as the reader stores them.
  const int weather = summary.weather <= 3 ? summary.weather : 0;
  const int steps = summary.steps <= 2 ? summary.steps : 0;
  AddLabelled(state, lines, uitext::kWeatherLabel, UiString(state, uitext::kWeatherNone + weather));
  AddLabelled(state, lines, uitext::kStepsLabel, UiString(state, uitext::kStepsHard + steps));
}

void AppendMapStatistics(const AppState& state, StringList& lines, std::u16string_view mapName,
                         bool compiledMode) {
  const auto summary = std::make_unique<MapSummary>();
  if (ReadPmsMap(state, mapName, *summary, compiledMode) == 0) {
    AppendCountLines(state, lines, summary->counts);
    AppendMapSettingLines(state, lines, *summary);
  }
  lines.buildIndex();
}

void AppendPrefabStatistics(const AppState& state, StringList& lines,
                            std::u16string_view prefabName) {
  const auto counts = std::make_unique<MapCounts>();
  if (ReadPfbPrefab(state, prefabName, *counts) == 0) AppendCountLines(state, lines, *counts);
  lines.buildIndex();
}

bool CheckContentEntry(const AppState& state, std::u16string_view name, FileKind kind,
                       StringList& report, StringList& sceneries, StringList& textures,
                       MapSummary& summary, MapCounts& prefabCounts) {
  switch (kind) {
    case kKindMap:
    case kKindUncompiledMap:
      return CheckMap(state, name, kind == kKindMap, report, &sceneries, &textures, summary);
    case kKindPrefab:
      return CheckPrefab(state, name, report, &sceneries, prefabCounts);
    default:
      return false;
  }
}

bool CheckContentEntry(const AppState& state, std::u16string_view name, FileKind kind,
                       StringList& report, MapSummary& summary, MapCounts& prefabCounts) {
  switch (kind) {
    case kKindMap:
    case kKindUncompiledMap:
      return CheckMap(state, name, kind == kKindMap, report, nullptr, nullptr, summary);
    case kKindPrefab:
      return CheckPrefab(state, name, report, nullptr, prefabCounts);
    default:
      return false;
  }
}
