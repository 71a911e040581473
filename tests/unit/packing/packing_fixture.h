// A game with its archive content in memory, and an archiver that records its command lines
// and plays the exit codes and durations a test scripts.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "content/archive_content.h"
#include "fixtures/image_writer.h"
#include "fixtures/map_writer.h"
#include "platform/platform.h"
#include "support/fake_controls.h"
#include "support/maps_fixture.h"
#include "ui/memory_tree.h"

namespace packingtest {

using Bytes = std::optional<std::vector<std::uint8_t>>;

inline std::string Narrow(std::u16string_view text) {  // the texts here are ASCII
  return {text.begin(), text.end()};
}
inline std::u16string Wide(std::string_view text) {
  return {text.begin(), text.end()};
}

// A folder as a Windows user types it: the posix side turns the backslashes back.
inline std::u16string Backslashed(std::u16string path) {
  for (char16_t& c : path)
    if (c == u'/') c = u'\\';
  return path;
}

class PackingTest : public testing::Test {
 public:
  struct Played {
    std::optional<std::uint32_t> exitCode = 0;  // nothing: the run cannot be started
    int ticks = 0;                              // half seconds the run takes
  };

 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::SetUpMapsState(state, dir, &controls));
    state.programFolder = dir.folder(u"program");
    state.tempFolder = Backslashed(dir.folder(u"temp"));
    state.defaultSaveFolder = Backslashed(dir.folder(u"packs"));
    state.winRarPath = u"C:\\Program Files\\WinRAR\\WinRAR.exe";
    state.packTree = &pack;
    state.contentTree = &content;
    state.packRoot = pack.insertLast(ui::kNoItem, {u"Maps to pack", 2, 2});
    state.explore = false;
    controls.setChecked(ui::Slot::rarRadio, true);
    controls.setComboItems(ui::Slot::compressionCombo, {u"0", u"1", u"2", u"3", u"4", u"5"});
    controls.setComboSelection(ui::Slot::compressionCombo, 3);
    controls.setComboItems(ui::Slot::recoveryCombo, std::vector<std::u16string>(11, u"x"));
    controls.setComboSelection(ui::Slot::recoveryCombo, 0);
    controls.tabs[2].image = 15;
    state.runProcess = [this](std::u16string_view line, const std::function<void()>& tick) {
      runs.push_back(Narrow(line));
      listFiles.push_back(platform::ReadWholeFile(Temp(u"zek.lst")));
      mapslistFiles.push_back(platform::ReadWholeFile(Temp(u"mapslist.txt")));
      commentFiles.push_back(platform::ReadWholeFile(Temp(u"comment.txt")));
      const Played played = script.contains(runs.size() - 1) ? script[runs.size() - 1] : Played{};
      for (int i = 0; i < played.ticks; ++i) tick();
      return played.exitCode;
    };
  }

  std::u16string Temp(std::u16string_view name) const {
    return state.tempFolder + std::u16string(name);
  }
  void Put(int kind, std::string_view name, const std::vector<std::uint8_t>& bytes) {
    fixtures::WriteBytes(state.kindFolders[kind] + Wide(name), bytes);
  }
  void PutImage(int kind, std::string_view name) { Put(kind, name, fixtures::BmpBytes(4, 4)); }
  void Choose(std::string_view name, int kind) {
    pack.insertLast(state.packRoot, {Wide(name), 11 + kind});
    pack.sortChildren(state.packRoot);
    ++state.packCount;
    state.contentStale = true;
  }
  // A sound map using rock.bmp and its edge and the given sceneries, all present.
  void PutMap(std::string_view name, int kind = kKindMap, std::string description = "A fine map",
              std::vector<std::string> sceneries = {"tree.bmp"}) {
    fixtures::PmsSpec recipe;
    recipe.description = std::move(description);
    recipe.texture = "rock.bmp";
    recipe.sceneryInstanceCount = static_cast<std::int32_t>(sceneries.size());
    recipe.sceneryNames = sceneries;
    if (kind == kKindUncompiledMap) recipe.polygonsPerCell = 0;
    Put(kind, name, fixtures::PmsBytes(recipe));
    for (const std::string& scenery : sceneries) PutImage(kKindScenery, scenery);
    PutImage(kKindTexture, "rock.bmp");
    PutImage(kKindEdge, "rock.bmp");
    Choose(name, kind);
  }
  void PutPrefab(std::string_view name, std::vector<std::string> sceneries = {}) {
    fixtures::PfbSpec recipe;
    recipe.sceneryNames = sceneries;
    for (const std::string& scenery : sceneries) PutImage(kKindScenery, scenery);
    Put(kKindPrefab, name, fixtures::PfbBytes(recipe));
    Choose(name, kKindPrefab);
  }
  void Build() { BuildArchiveContent(state); }

  // Marks one content item, or its whole group for an empty name.
  void Mark(int kind, std::u16string_view name, int mark = kMarkExcluded) {
    const ui::TreeItem group = state.contentGroups[static_cast<std::size_t>(kind)];
    for (ui::TreeItem c = content.child(group); c != ui::kNoItem; c = content.nextSibling(c))
      if (name.empty() || content.text(c) == name) content.setOverlay(c, mark);
  }

  std::string Quoted(std::u16string_view text) const { return "\"" + Narrow(text) + "\""; }
  std::string W() const { return Quoted(state.winRarPath); }
  bool AnyTempFileLeft() const {
    return platform::Exists(Temp(u"zek.lst")) || platform::Exists(Temp(u"mapslist.txt")) ||
           platform::Exists(Temp(u"comment.txt"));
  }
  bool SaidSuccess() const {
    for (const std::u16string& text : controls.statusTexts)
      if (text.find(u" created successfully") != std::u16string::npos) return true;
    return false;
  }

  testsupport::TempDir dir;
  testsupport::FakeControls controls;
  ui::MemoryTree pack;
  ui::MemoryTree content;
  AppState state;

  std::map<std::size_t, Played> script;  // by run number, from 0
  std::vector<std::string> runs;
  std::vector<Bytes> listFiles;
  std::vector<Bytes> mapslistFiles;
  std::vector<Bytes> commentFiles;
};

}  // namespace packingtest
