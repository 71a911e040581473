#include "maps/file_details.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "core/file_kind.h"
#include "core/text_helpers.h"
#include "maps/map_summary.h"
#include "platform/platform.h"

namespace {

constexpr std::size_t kMaxDescriptionUnits = 261;

// The description is a length byte and a 38-byte field; a larger length byte (tools write
// up to 50) must not turn the texture name behind the field into description text.
std::u16string ReadDescription(platform::FileReader& file) {
  file.skip(4);
  std::uint8_t length = 0;
  if (file.read(&length, 1) != 1) return {};
  std::array<char, kDescriptionBytes> bytes{};
  const std::size_t got = file.read(bytes.data(), bytes.size());
  std::size_t take = std::min<std::size_t>({length, bytes.size(), got});
  // The text ends at a zero byte, as it does wherever the description is shown.
  for (std::size_t i = 0; i < take; ++i) {
    if (bytes[i] == 0) take = i;
  }
  std::u16string text = platform::AnsiToUtf16(std::string_view(bytes.data(), take));
  if (text.size() > kMaxDescriptionUnits) text.resize(kMaxDescriptionUnits);
  return text;
}

std::u16string ModifiedText(const std::optional<platform::LocalTime>& time) {
  const platform::LocalTime t = time.value_or(platform::LocalTime{});
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%02d.%02d.%d  %02d:%02d", t.day, t.month, t.year, t.hour,
                t.minute);
  const std::string_view text(buffer);
  return std::u16string(text.begin(), text.end());
}

}  // namespace

bool FileDetails(const AppState& state, StringList& lines, std::u16string_view name, int kind) {
  lines.clear();
  lines.add(name, 0);
  const bool inKindFolder = kind >= 0 && kind < kKindCount;
  const std::optional<std::u16string> path =
      inKindFolder ? PathInKindFolder(state, kind, name) : std::optional(std::u16string(name));

  const auto fail = [&](int message) {
    lines.add(UiString(state, message), 0);
    lines.buildIndex();
    return false;
  };
  if (!path || !platform::Exists(*path)) return fail(uitext::kDetailsFileNotFound);
  platform::FileReader file;
  if (!file.open(*path)) return fail(uitext::kDetailsFailedToOpen);

  if (kind == kKindMap || kind == kKindUncompiledMap) {
    lines.add(std::u16string(UiString(state, uitext::kDescription)) + ReadDescription(file), 0);
  } else if (kind == kKindScenery || kind == kKindTexture || kind == kKindEdge) {
    const platform::ImageSize size = platform::ImagePixelSize(*path);
    lines.add(std::u16string(UiString(state, uitext::kDimensions)) + DecimalText(size.width) +
                  u"x" + DecimalText(size.height) + u" px",
              0);
  }
  lines.add(
      std::u16string(UiString(state, uitext::kModified)) + ModifiedText(file.lastWriteLocalTime()),
      0);
  lines.add(std::u16string(UiString(state, uitext::kSize)) +
                DecimalText(static_cast<std::int64_t>(file.size() / 1024)) + u" kb",
            0);
  file.close();
  lines.buildIndex();
  return true;
}
