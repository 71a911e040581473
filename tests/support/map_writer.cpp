#include "support/map_writer.h"

#include <algorithm>

namespace testsupport {
namespace {

class ByteWriter {
 public:
  std::size_t size() const { return bytes_.size(); }

  void u8(std::uint8_t value) { bytes_.push_back(value); }
  void u16(std::uint16_t value) {
    u8(static_cast<std::uint8_t>(value));
    u8(static_cast<std::uint8_t>(value >> 8));
  }
  void i32(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) u8(static_cast<std::uint8_t>(u >> shift));
  }

  // Stands in for geometry and other data the readers skip: never all zeros, never repeating
  // at a record's size.
  void pattern(std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) u8(static_cast<std::uint8_t>(next_++ * 37 + 11));
  }

  // A length byte and a fixed field holding the start of the text, zero-padded.
  void lengthText(const std::string& text, std::optional<std::uint8_t> length,
                  std::size_t fieldBytes) {
    u8(length.value_or(static_cast<std::uint8_t>(std::min<std::size_t>(text.size(), 255))));
    for (std::size_t i = 0; i < fieldBytes; ++i)
      u8(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
  }

  void append(const std::vector<std::uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }

  std::vector<std::uint8_t> take(std::optional<std::size_t> cutAt) {
    if (cutAt && *cutAt < bytes_.size()) bytes_.resize(*cutAt);
    return std::move(bytes_);
  }

 private:
  std::vector<std::uint8_t> bytes_;
  unsigned next_ = 0;
};

std::optional<std::uint8_t> LengthOverride(const std::vector<std::uint8_t>& lengths,
                                           std::size_t i) {
  if (i < lengths.size()) return lengths[i];
  return std::nullopt;
}

void WritePmsHeader(ByteWriter& out, const PmsSpec& recipe) {
  out.i32(11);  // format version
  out.lengthText(recipe.description, recipe.descriptionLength, 38);
  out.lengthText(recipe.texture, recipe.textureLength, 24);
  out.i32(static_cast<std::int32_t>(0xFF40'2010));  // background colours, top and bottom
  out.i32(static_cast<std::int32_t>(0xFF80'6040));
  out.i32(recipe.jetAmount);
  out.u8(recipe.grenadeKits);
  out.u8(recipe.medicalKits);
  out.u8(recipe.weather);
  out.u8(recipe.steps);
  out.i32(0x1234'5678);  // random map id
}

void WriteSectorGrid(ByteWriter& out, const PmsSpec& recipe) {
  out.i32(recipe.sectorRange);
  if (recipe.sectorRange < 0) return;
  const std::int64_t side = 2 * static_cast<std::int64_t>(recipe.sectorRange) + 1;
  for (std::int64_t cell = 0; cell < side * side; ++cell) {
    const auto i = static_cast<std::size_t>(cell);
    const std::uint16_t count =
        i < recipe.cellCounts.size() ? recipe.cellCounts[i] : recipe.polygonsPerCell;
    out.u16(count);
    for (std::uint16_t k = 0; k < count; ++k) out.u16(static_cast<std::uint16_t>(k + 1));
  }
}

void WritePmsSceneryFiles(ByteWriter& out, const PmsSpec& recipe) {
  out.i32(recipe.sceneryCount.value_or(static_cast<std::int32_t>(recipe.sceneryNames.size())));
  for (std::size_t i = 0; i < recipe.sceneryNames.size(); ++i) {
    out.lengthText(recipe.sceneryNames[i], LengthOverride(recipe.sceneryNameLengths, i), 50);
    out.pattern(4);  // the file's date
  }
}

// The editor's polygon: vertices, then (newer editors only) per-vertex normals, then the
// selection and type bytes.
void WritePrefabPolygon(ByteWriter& out, PfbLayout layout) {
  out.pattern(84);
  if (layout == PfbLayout::kWithNormals124) {
    for (int vertex = 0; vertex < 3; ++vertex) {
      out.i32(0);
      out.i32(0);
      out.i32(0x3F80'0000);  // 1.0f: facing the viewer
    }
  }
  out.pattern(4);
}

void WritePrefabWaypoints(ByteWriter& out, const PfbSpec& recipe) {
  out.u16(recipe.waypointCount);
  if (!recipe.writeWaypointRecords) return;
  out.pattern(25 * static_cast<std::int64_t>(recipe.waypointCount));
  std::vector<std::pair<std::uint16_t, std::uint16_t>> links;
  for (std::size_t from = 0; from < recipe.waypointConnections.size(); ++from) {
    for (std::uint16_t to : recipe.waypointConnections[from])
      links.emplace_back(static_cast<std::uint16_t>(from), to);
  }
  out.u16(static_cast<std::uint16_t>(links.size()));
  for (const auto& [from, to] : links) {
    out.u16(from);
    out.u16(to);
  }
}

}  // namespace

std::vector<std::uint8_t> PmsBytes(const PmsSpec& recipe, PmsOffsets* offsets) {
  PmsOffsets at;
  ByteWriter out;
  WritePmsHeader(out, recipe);
  at.polygonCount = out.size();
  out.i32(recipe.polygonCount);
  out.pattern(121 * static_cast<std::int64_t>(recipe.polygonCount));
  out.i32(58);  // sector size
  at.sectorRange = out.size();
  WriteSectorGrid(out, recipe);
  at.sceneryInstanceCount = out.size();
  out.i32(recipe.sceneryInstanceCount);
  out.pattern(44 * static_cast<std::int64_t>(recipe.sceneryInstanceCount));
  at.sceneryCount = out.size();
  WritePmsSceneryFiles(out, recipe);
  at.colliderCount = out.size();
  out.i32(recipe.colliderCount);
  out.pattern(16 * static_cast<std::int64_t>(recipe.colliderCount));
  at.spawnCount = out.size();
  out.i32(recipe.spawnCount);
  out.pattern(16 * static_cast<std::int64_t>(recipe.spawnCount));
  at.waypointCount = out.size();
  out.i32(recipe.waypointCount);
  at.end = out.size();
  if (offsets) *offsets = at;
  return out.take(recipe.cutAt);
}

std::vector<std::uint8_t> PfbBytes(const PfbSpec& recipe, PfbOffsets* offsets) {
  PfbOffsets at;
  ByteWriter out;
  out.u16(recipe.polygonCount);
  for (int i = 0; i < recipe.polygonCount; ++i) WritePrefabPolygon(out, recipe.layout);
  at.sceneryCount = out.size();
  out.u16(recipe.sceneryCount.value_or(static_cast<std::uint16_t>(recipe.sceneryNames.size())));
  for (std::size_t i = 0; i < recipe.sceneryNames.size(); ++i) {
    out.pattern(37);  // position, rotation, scale, colour, level
    out.lengthText(recipe.sceneryNames[i], LengthOverride(recipe.sceneryNameLengths, i), 50);
  }
  at.colliderCount = out.size();
  out.u16(recipe.colliderCount);
  out.pattern(16 * static_cast<std::int64_t>(recipe.colliderCount));
  at.spawnCount = out.size();
  out.u16(recipe.spawnCount);
  out.pattern(16 * static_cast<std::int64_t>(recipe.spawnCount));
  at.waypointCount = out.size();
  WritePrefabWaypoints(out, recipe);
  out.append(recipe.trailing);
  at.end = out.size();
  if (offsets) *offsets = at;
  return out.take(recipe.cutAt);
}

}  // namespace testsupport
