#include "support/soldat_install.h"

#include <filesystem>

#include "platform/platform.h"
#include "support/image_writer.h"
#include "support/temp_dir.h"

namespace testsupport {
namespace {

constexpr int kImageSide = 4;

std::u16string Wide(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    char c = text[text.size() - suffix.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

void MakeFolder(std::u16string_view folder) {
  std::filesystem::create_directories(NativePath(folder));
}

void WritePlaceholder(std::u16string_view path, std::string_view what) {
  WriteText(path, "MZ placeholder for " + std::string(what) + "\r\n");
}

void WriteImages(std::u16string_view folder, const std::vector<std::string>& names) {
  MakeFolder(folder);
  for (const auto& name : names) {
    const auto bytes = EndsWith(name, ".png") ? PngBytes(kImageSide, kImageSide)
                                              : BmpBytes(kImageSide, kImageSide);
    WriteBytes(std::u16string(folder) + Wide(name), bytes);
  }
}

void WriteMaps(std::u16string_view folder, const std::vector<MapFile>& maps) {
  MakeFolder(folder);
  for (const auto& map : maps)
    WriteBytes(std::u16string(folder) + Wide(map.name), PmsBytes(map.recipe));
}

// UTF-16LE with the mark, CR LF after every line: the program's own text-file format. No
// lines give an empty file: a lone mark would be read as one line of ANSI text.
void WriteUtf16Lines(std::u16string_view path, const std::vector<std::u16string>& lines) {
  if (lines.empty()) return WriteBytes(path, {});
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  for (const auto& line : lines) {
    for (const char16_t c : line + u"\r\n") {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
  }
  WriteBytes(path, bytes);
}

MapFile Map(std::string name, std::string texture, std::vector<std::string> sceneries) {
  MapFile map;
  map.name = std::move(name);
  map.recipe.description = "Map " + map.name;
  map.recipe.texture = std::move(texture);
  map.recipe.sceneryNames = std::move(sceneries);
  map.recipe.sceneryInstanceCount = static_cast<std::int32_t>(map.recipe.sceneryNames.size());
  return map;
}

}  // namespace

SoldatInstallOptions StandardInstall() {
  SoldatInstallOptions o;
  o.maps = {
      Map("ctf_Ash.PMS", "ash.bmp", {"tree.bmp", "rock.png"}),
      Map("ctf_Run.PMS", "run.png", {"tree.bmp"}),
      Map("dm_Bridge.PMS", "bridge.bmp", {"bridge.png"}),
      Map("inf_Abel.PMS", "ash.bmp", {}),
      Map("htf_Custom.PMS", "custom.bmp", {"custom_tree.png", "rock.png"}),
  };
  o.sceneries = {"tree.bmp", "rock.png", "bridge.png", "custom_tree.png"};
  o.textures = {"ash.bmp", "run.png", "bridge.bmp", "custom.bmp"};
  o.edges = o.textures;

  MapFile draft = Map("ctf_Draft.PMS", "custom.bmp", {"custom_tree.png"});
  draft.recipe.polygonsPerCell = 0;  // not compiled yet
  MapFile twin = Map("htf_Custom.PMS", "custom.bmp", {"custom_tree.png", "rock.png"});
  twin.recipe.polygonsPerCell = 0;
  o.uncompiledMaps = {draft, twin};

  PrefabFile bunker;
  bunker.name = "bunker.PFB";
  bunker.recipe.sceneryNames = {"rock.png"};
  PrefabFile bridge;
  bridge.name = "bridge_piece.PFB";
  bridge.recipe.sceneryNames = {"bridge.png", "custom_tree.png"};
  o.prefabs = {bunker, bridge};

  o.recentFiles = {u"maps\\htf_Custom.PMS", u"Soldat PolyWorks\\Uncompiled\\ctf_Draft.PMS"};

  o.defaultMaps = {{u"ctf_Ash.PMS", u"ctf_Run.PMS", u"dm_Bridge.PMS", u"inf_Abel.PMS"}};
  o.defaultSceneries = {{u"bridge.png", u"rock.png", u"tree.bmp"}};
  o.defaultTextures = {{u"ash.bmp", u"bridge.bmp", u"run.png"}};
  return o;
}

void WritePolyWorksIni(const SoldatInstall& install, std::u16string_view uncompiled,
                       std::u16string_view prefabs,
                       const std::vector<std::u16string>& recentFiles) {
  // PolyWorks keeps its settings as ANSI text.
  std::u16string text = u"[Preferences]\r\nUncompiled=" + std::u16string(uncompiled) +
                        u"\r\nPrefabs=" + std::u16string(prefabs) + u"\r\nGridSize=10\r\n";
  if (!recentFiles.empty()) {
    text += u"[RecentFiles]\r\n";
    for (std::size_t i = 0; i < recentFiles.size(); ++i) {
      const std::size_t key = i + 1;
      text += Wide(key < 10 ? "0" + std::to_string(key) : std::to_string(key));
      text += u"=" + recentFiles[i] + u"\r\n";
    }
  }
  WriteText(install.polyWorksIni, platform::Utf16ToAnsi(text));
}

SoldatInstall BuildSoldatInstall(std::u16string_view base, const SoldatInstallOptions& options) {
  SoldatInstall in;
  in.base = base;
  in.soldatFolder = in.base + options.folderName + u"\\";
  in.soldatExe = in.soldatFolder + u"Soldat.exe";
  in.mapsFolder = in.soldatFolder + u"maps\\";
  in.sceneryFolder = in.soldatFolder + u"scenery-gfx\\";
  in.texturesFolder = in.soldatFolder + u"textures\\";
  in.edgesFolder = in.soldatFolder + u"textures\\edges\\";
  in.polyWorksFolder = in.soldatFolder + u"Soldat PolyWorks\\";
  in.polyWorksExe = in.polyWorksFolder + u"Soldat PolyWorks.exe";
  in.polyWorksIni = in.polyWorksFolder + u"polyworks.ini";
  in.uncompiledFolder = in.polyWorksFolder + u"Uncompiled\\";
  in.prefabsFolder = in.polyWorksFolder + u"Prefabs\\";
  in.winRarExe = in.base + u"WinRAR\\WinRAR.exe";
  in.programFolder = options.program == ProgramPlace::kInsideSoldat ? in.soldatFolder + u"Tools\\"
                                                                    : in.base + u"Soldat ZEK\\";

  MakeFolder(in.soldatFolder);
  if (options.soldatExe) WritePlaceholder(in.soldatExe, "Soldat");
  WriteMaps(in.mapsFolder, options.maps);
  WriteImages(in.sceneryFolder, options.sceneries);
  WriteImages(in.texturesFolder, options.textures);
  WriteImages(in.edgesFolder, options.edges);
  if (options.mapslist) {
    std::string text;
    for (const auto& line : *options.mapslist) text += line + "\r\n";
    WriteText(in.soldatFolder + u"mapslist.txt", text);
  }

  if (options.polyWorks) {
    MakeFolder(in.polyWorksFolder);
    WritePlaceholder(in.polyWorksExe, "Soldat PolyWorks");
    WriteMaps(in.uncompiledFolder, options.uncompiledMaps);
    MakeFolder(in.prefabsFolder);
    for (const auto& prefab : options.prefabs)
      WriteBytes(in.prefabsFolder + Wide(prefab.name), PfbBytes(prefab.recipe));
    if (options.polyWorksIni) {
      std::u16string uncompiled = in.uncompiledFolder;
      std::u16string prefabs = in.prefabsFolder;
      if (!options.iniFoldersEndWithBackslash) {
        uncompiled.pop_back();
        prefabs.pop_back();
      }
      std::vector<std::u16string> recent;
      for (const auto& relative : options.recentFiles) recent.push_back(in.soldatFolder + relative);
      recent.insert(recent.end(), options.rawRecentValues.begin(), options.rawRecentValues.end());
      WritePolyWorksIni(in, uncompiled, prefabs, recent);
    }
  }

  if (options.winRar) {
    if (options.winRarCopyFrom.empty()) {
      WritePlaceholder(in.winRarExe, "WinRAR");
    } else {
      MakeFolder(in.base + u"WinRAR\\");
      std::filesystem::copy_file(NativePath(options.winRarCopyFrom), NativePath(in.winRarExe),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }

  MakeFolder(in.programFolder);
  if (options.defaultMaps)
    WriteUtf16Lines(in.programFolder + u"default maps.txt", *options.defaultMaps);
  if (options.defaultSceneries)
    WriteUtf16Lines(in.programFolder + u"default sceneries.txt", *options.defaultSceneries);
  if (options.defaultTextures)
    WriteUtf16Lines(in.programFolder + u"default textures.txt", *options.defaultTextures);
  return in;
}

}  // namespace testsupport
