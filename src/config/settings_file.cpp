#include "config/settings_file.h"

#include <string_view>

#include "core/text_helpers.h"
#include "platform/platform.h"

namespace {

using ui::Slot;

constexpr std::u16string_view kPreferences = u"Preferences";
constexpr std::u16string_view kSettings = u"Settings";

// Numbers are at most four digits; a longer text is read the same.
constexpr std::size_t kNumberChars = 260;

constexpr int kMaxCompression = 5;
constexpr int kMaxRecoveryPercent = 10;

struct Reader {
  std::u16string path;

  std::u16string text(std::u16string_view section, std::u16string_view key,
                      std::u16string_view fallback, std::size_t maxChars) const {
    return platform::ReadIniString(path, section, key, fallback, maxChars);
  }
  int number(std::u16string_view key, std::u16string_view fallback) const {
    return static_cast<int>(ParseDecimal4(text(kPreferences, key, fallback, kNumberChars)));
  }
  // Set by a value starting with "1", whatever follows ("10" too); anything else clears.
  bool flag(std::u16string_view section, std::u16string_view key,
            std::u16string_view fallback) const {
    const std::u16string value = text(section, key, fallback, kNumberChars);
    return !value.empty() && value.front() == u'1';
  }
};

struct Writer {
  std::u16string path;
  // Every key is still tried after a failure; the first one decides the result.
  mutable bool written = true;

  void text(std::u16string_view section, std::u16string_view key, std::u16string_view value) const {
    if (!platform::WriteIniString(path, section, key, value)) written = false;
  }
  void number(std::u16string_view key, int value) const {
    text(kPreferences, key, DecimalText(value));
  }
  void flag(std::u16string_view section, std::u16string_view key, bool value) const {
    text(section, key, value ? u"1" : u"0");
  }
};

}  // namespace

WindowFrame WindowFrameOf(const AppState& state) {
  return {state.frameBorder, state.fixedWindowWidth, state.minWindowHeight};
}

WindowPlacement ClampWindowPlacement(int x, int y, int height, const ui::Rect& workArea,
                                     const WindowFrame& frame) {
  const int f = frame.frameBorder;
  const int w = frame.width;
  const int hmin = frame.minHeight;
  // The side frames may stick out by up to f - 4 pixels: the visible window then still
  // touches the work area's edge.
  if (x + w > workArea.right + f - 4) x = workArea.right + f - 4 - w;
  if (x < workArea.left - f + 4) x = workArea.left - f + 4;
  if (height < hmin) height = hmin;
  if (y + height > workArea.bottom + f) {
    if (workArea.bottom - y > hmin) {
      height = workArea.bottom + f - y;
    } else {
      y = workArea.bottom + f - hmin;
      height = hmin;
    }
  }
  if (y < workArea.top - 2) y = workArea.top - 2;
  return {x, y, w, height};
}

std::u16string SettingsFilePath(const AppState& state) {
  return state.programFolder + u"Soldat ZEK.ini";
}

void LoadSettings(AppState& state, ui::Controls& controls) {
  const Reader in{SettingsFilePath(state)};

  const int x = in.number(u"Left", u"100");
  const int y = in.number(u"Top", u"100");
  const int h = in.number(u"Height", u"594");
  const WindowPlacement place =
      ClampWindowPlacement(x, y, h, controls.workArea(), WindowFrameOf(state));
  controls.placeWindow(place.x, place.y, place.width, place.height);

  state.lastActiveFolder = in.text(kPreferences, u"LastActiveFolder", u"",
                                   static_cast<std::size_t>(ui::TextLimit(Slot::archiveNameEdit)));

  const std::u16string archiveType = in.text(kPreferences, u"ArchiveType", u"0", kNumberChars);
  const bool rar = !archiveType.empty() && archiveType.front() == u'0';
  controls.setChecked(Slot::rarRadio, rar);
  controls.setChecked(Slot::zipRadio, !rar);

  int compression = in.number(u"Compression", u"5");
  if (compression > kMaxCompression) compression = kMaxCompression;
  controls.setComboSelection(Slot::compressionCombo, compression);

  int recovery = in.number(u"RepairRecord", u"0");
  if (recovery > kMaxRecoveryPercent) recovery = 0;
  controls.setComboSelection(Slot::recoveryCombo, recovery);

  controls.setChecked(Slot::solidCheck, in.flag(kPreferences, u"SolidArchive", u"0"));
  controls.setChecked(Slot::fitImageCheck, in.flag(kPreferences, u"FitImage", u"0"));
  controls.setChecked(Slot::addCommentCheck, in.flag(kPreferences, u"AddComment", u"0"));

  // Each path is cut to what its edit on the Settings page takes.
  const auto path = [&](std::u16string_view key, Slot edit) {
    return in.text(kSettings, key, u"", static_cast<std::size_t>(ui::TextLimit(edit)));
  };
  state.soldatPath = path(u"SoldatPath", Slot::soldatPathEdit);
  state.polyWorksPath = path(u"PWPath", Slot::polyWorksPathEdit);
  state.winRarPath = path(u"WinRARPath", Slot::winRarPathEdit);
  state.defaultSaveFolder = path(u"DefaultSaveFolder", Slot::defaultFolderEdit);
  state.templatePath = path(u"TemplatePath", Slot::templatePathEdit);

  state.autoloadTemplate = in.flag(kSettings, u"AutoloadTemplate", u"0");
  state.skipDefaultMaps = in.flag(kSettings, u"SkipDefaultMaps", u"1");
  state.skipDefaultSceneries = in.flag(kSettings, u"SkipDefaultSceneries", u"1");
  state.skipDefaultTextures = in.flag(kSettings, u"SkipDefaultTextures", u"1");
  state.skipMapslist = in.flag(kSettings, u"SkipMapslist", u"1");
  state.testArchive = in.flag(kSettings, u"TestArchive", u"0");
  state.lockArchive = in.flag(kSettings, u"LockArchive", u"0");
  state.explore = in.flag(kSettings, u"Explore", u"1");

  state.languageName = in.text(kSettings, u"Localization", u"default", 64);
}

bool SaveSettings(const AppState& state, const ui::Controls& controls) {
  const Writer out{SettingsFilePath(state)};

  // The normal rectangle, so that a maximized or minimized window keeps its restored place.
  // The file holds screen coordinates, as LoadSettings places the window by them; read back
  // in workspace coordinates, the window would climb by a top task bar's height every run.
  const ui::Rect window = controls.normalWindowRect();
  const ui::Point origin = controls.workspaceOrigin();
  out.number(u"Left", window.left + origin.x);
  out.number(u"Top", window.top + origin.y);
  out.number(u"Height", window.bottom - window.top);

  out.text(kPreferences, u"LastActiveFolder", FolderPart(controls.text(Slot::archiveNameEdit)));
  out.text(kPreferences, u"ArchiveType", controls.checked(Slot::rarRadio) ? u"0" : u"1");
  out.number(u"Compression", controls.comboSelection(Slot::compressionCombo));
  out.number(u"RepairRecord", controls.comboSelection(Slot::recoveryCombo));
  out.flag(kPreferences, u"SolidArchive", controls.checked(Slot::solidCheck));
  out.flag(kPreferences, u"FitImage", controls.checked(Slot::fitImageCheck));
  out.flag(kPreferences, u"AddComment", controls.checked(Slot::addCommentCheck));

  out.text(kSettings, u"SoldatPath", state.soldatPath);
  out.text(kSettings, u"PWPath", state.polyWorksPath);
  out.text(kSettings, u"WinRARPath", state.winRarPath);
  out.text(kSettings, u"DefaultSaveFolder", state.defaultSaveFolder);
  out.text(kSettings, u"TemplatePath", state.templatePath);

  out.flag(kSettings, u"AutoloadTemplate", state.autoloadTemplate);
  out.flag(kSettings, u"SkipDefaultMaps", state.skipDefaultMaps);
  out.flag(kSettings, u"SkipDefaultSceneries", state.skipDefaultSceneries);
  out.flag(kSettings, u"SkipDefaultTextures", state.skipDefaultTextures);
  out.flag(kSettings, u"SkipMapslist", state.skipMapslist);
  out.flag(kSettings, u"TestArchive", state.testArchive);
  out.flag(kSettings, u"LockArchive", state.lockArchive);
  out.flag(kSettings, u"Explore", state.explore);

  out.text(kSettings, u"Localization", state.languageName);
  return out.written;
}
