// A game installation in a temp folder, a pack list and a content tree in memory, the
// built-in UI text and a window that records what it is shown.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ui_text.h"
#include "content/archive_content.h"
#include "maps/map_summary.h"
#include "support/fake_controls.h"
#include "support/image_writer.h"
#include "support/map_writer.h"
#include "support/temp_dir.h"
#include "ui/memory_tree.h"

namespace contenttest {

inline std::u16string Wide(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

inline std::string Narrow(std::u16string_view text) {
  std::string out;
  for (const char16_t c : text) out.push_back(c < 128 ? static_cast<char>(c) : '?');
  return out;
}

// A sound map: a description, two spawns and polygons, and the given files.
inline testsupport::PmsSpec MapUsing(std::string texture, std::vector<std::string> sceneries) {
  testsupport::PmsSpec spec;
  spec.description = "A fine map";
  spec.texture = std::move(texture);
  spec.sceneryInstanceCount = static_cast<std::int32_t>(sceneries.size());
  spec.sceneryNames = std::move(sceneries);
  return spec;
}

class ContentTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadBuiltinRuntimeUiText(state));
    const char16_t* names[kKindCount] = {u"maps",        u"Uncompiled", u"Prefabs",
                                         u"scenery-gfx", u"textures",   u"textures\\edges"};
    for (int kind = 0; kind < kKindCount; ++kind) state.kindFolders[kind] = dir.folder(names[kind]);
    state.programFolder = dir.folder(u"program");
    state.controls = &controls;
    state.packTree = &pack;
    state.contentTree = &content;
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
    state.showLog = [this](AppState& s) {
      ++logShows;
      s.previewPath.clear();
      controls.setText(ui::Slot::detailsEdit, s.contentReport ? *s.contentReport : u"");
    };
  }

  void Put(int kind, std::string_view name, const std::vector<std::uint8_t>& bytes) {
    testsupport::WriteBytes(state.kindFolders[kind] + Wide(name), bytes);
  }
  void PutImage(int kind, std::string_view name) { Put(kind, name, testsupport::BmpBytes(4, 4)); }
  // A texture in both the textures and the edges folder.
  void PutTexture(std::string_view name) {
    PutImage(kKindTexture, name);
    PutImage(kKindEdge, name);
  }
  void Choose(std::string_view name, int kind) {
    pack.insertLast(state.packRoot, {Wide(name), 11 + kind, 11 + kind});
    pack.sortChildren(state.packRoot);
    ++state.packCount;
  }
  void PutMap(std::string_view name, const testsupport::PmsSpec& spec) {
    Put(kKindMap, name, testsupport::PmsBytes(spec));
    Choose(name, kKindMap);
  }

  std::string Outline(ui::TreeItem item = ui::kNoItem) const { return content.outline(item); }
  std::string Report() const {
    return state.contentReport ? Narrow(*state.contentReport) : "<none>";
  }
  ui::TreeItem Group(int kind) const { return state.contentGroups[static_cast<std::size_t>(kind)]; }
  // The file item of that name in a group.
  ui::TreeItem Item(int kind, std::u16string_view name) const {
    for (ui::TreeItem c = content.child(Group(kind)); c != ui::kNoItem;
         c = content.nextSibling(c)) {
      if (content.text(c) == name) return c;
    }
    ADD_FAILURE() << "no item " << Narrow(name);
    return ui::kNoItem;
  }
  int TabImage() const { return controls.tabImage(kContentTab); }
  std::string Details() const { return Narrow(controls.text(ui::Slot::detailsEdit)); }

  testsupport::TempDir dir;
  testsupport::FakeControls controls;
  ui::MemoryTree pack;
  ui::MemoryTree content;
  AppState state;
  int logShows = 0;
};

}  // namespace contenttest
