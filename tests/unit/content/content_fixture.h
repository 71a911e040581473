// A game installation in a temp folder, a pack list and a content tree in memory, the
// built-in UI text and a window that records what it is shown.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/archive_content.h"
#include "content/content_page.h"
#include "support/fake_controls.h"
#include "fixtures/image_writer.h"
#include "fixtures/map_writer.h"
#include "support/maps_fixture.h"
#include "ui/memory_tree.h"

namespace contenttest {

inline std::string Narrow(std::u16string_view text) {  // the texts here are ASCII
  return {text.begin(), text.end()};
}

// A sound map using the given files.
inline fixtures::PmsSpec MapUsing(std::string texture, std::vector<std::string> sceneries) {
  fixtures::PmsSpec recipe;
  recipe.description = "A fine map";
  recipe.texture = std::move(texture);
  recipe.sceneryInstanceCount = static_cast<std::int32_t>(sceneries.size());
  recipe.sceneryNames = std::move(sceneries);
  return recipe;
}

class ContentTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::SetUpMapsState(state, dir, &controls));
    state.programFolder = dir.folder(u"program");
    state.packTree = &pack;
    state.contentTree = &content;
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
    state.showLog = [this](AppState& s) {
      ++logShows;
      controls.setText(ui::Slot::detailsEdit, s.contentReport ? *s.contentReport : u"");
    };
  }

  void Put(int kind, std::string_view name, const std::vector<std::uint8_t>& bytes) {
    fixtures::WriteBytes(state.kindFolders[kind] + std::u16string(name.begin(), name.end()), bytes);
  }
  void PutImage(int kind, std::string_view name) { Put(kind, name, fixtures::BmpBytes(4, 4)); }
  void PutTexture(std::string_view name) {  // with its edge
    PutImage(kKindTexture, name);
    PutImage(kKindEdge, name);
  }
  void Choose(std::string_view name, int kind) {
    pack.insertLast(state.packRoot, {std::u16string(name.begin(), name.end()), 11 + kind});
    pack.sortChildren(state.packRoot);
    ++state.packCount;
  }
  void PutMap(std::string_view name, const fixtures::PmsSpec& recipe, int kind = kKindMap) {
    Put(kind, name, fixtures::PmsBytes(recipe));
    Choose(name, kind);
  }

  void Select(ui::TreeItem item) {
    content.select(item);
    ShowContentDetails(state, item);
  }
  std::string Report() const {
    return state.contentReport ? Narrow(*state.contentReport) : "<none>";
  }
  std::string Details() const { return Narrow(controls.text(ui::Slot::detailsEdit)); }
  ui::TreeItem Group(int kind) const { return state.contentGroups[static_cast<std::size_t>(kind)]; }
  ui::TreeItem Item(int kind, std::u16string_view name) const {
    for (ui::TreeItem c = content.child(Group(kind)); c != ui::kNoItem; c = content.nextSibling(c))
      if (content.text(c) == name) return c;
    ADD_FAILURE() << "no item " << Narrow(name);
    return ui::kNoItem;
  }
  int Mark(int kind, std::u16string_view name) const { return content.overlay(Item(kind, name)); }
  int TabImage() const { return controls.tabImage(kContentTab); }

  testsupport::TempDir dir;
  testsupport::FakeControls controls;
  ui::MemoryTree pack;
  ui::MemoryTree content;
  AppState state;
  int logShows = 0;
};

}  // namespace contenttest
