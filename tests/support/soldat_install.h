// Lays out a Soldat installation in a folder for tests and the demo: the game with its maps,
// scenery, textures and edges, the map editor Soldat PolyWorks with its polyworks.ini,
// WinRAR, and a program folder with the three default-file lists. Options choose what
// exists.
//
// Every path below the base folder is joined with backslashes, as the program joins them;
// the install lies in a sub-folder of the base so that even natively the Soldat path has a
// backslash before "Soldat.exe".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/map_writer.h"

namespace testsupport {

struct MapFile {
  std::string name;  // "ctf_Ash.PMS"
  PmsSpec recipe;
};

struct PrefabFile {
  std::string name;  // "bunker.PFB"
  PfbSpec recipe;
};

// Where the program itself lives: beside the installation, or in a folder inside the Soldat
// folder (where the program guesses the Soldat path from its own folder).
enum class ProgramPlace { kBeside, kInsideSoldat };

struct SoldatInstallOptions {
  std::u16string folderName = u"Soldat";  // the Soldat folder below the base

  bool soldatExe = true;  // "Soldat.exe" placeholder
  std::vector<MapFile> maps;
  // Image names; a name ending in ".png" becomes a PNG, any other a BMP.
  std::vector<std::string> sceneries;
  std::vector<std::string> textures;
  std::vector<std::string> edges;
  // Soldat's own "mapslist.txt" (ANSI lines), written when set.
  std::optional<std::vector<std::string>> mapslist;

  bool polyWorks = true;     // "Soldat PolyWorks\Soldat PolyWorks.exe"
  bool polyWorksIni = true;  // its polyworks.ini, when polyWorks is set
  // Whether the Uncompiled= and Prefabs= values end with a backslash.
  bool iniFoldersEndWithBackslash = true;
  std::vector<MapFile> uncompiledMaps;  // in "Soldat PolyWorks\Uncompiled\"
  std::vector<PrefabFile> prefabs;      // in "Soldat PolyWorks\Prefabs\"
  // [RecentFiles] values "01", "02", ... in order: first these paths relative to the Soldat
  // folder ("maps\\ctf_Ash.PMS"), stored as full paths, then the raw values as given.
  std::vector<std::u16string> recentFiles;
  std::vector<std::u16string> rawRecentValues;

  bool winRar = true;  // "WinRAR\WinRAR.exe" beside the installation
  // A file copied as WinRAR.exe instead of the placeholder (the archiver stand-in).
  std::u16string winRarCopyFrom;

  ProgramPlace program = ProgramPlace::kBeside;
  // The default-file lists in the program folder (UTF-16LE; no lines give an empty file);
  // nothing is written when unset.
  std::optional<std::vector<std::u16string>> defaultMaps;
  std::optional<std::vector<std::u16string>> defaultSceneries;
  std::optional<std::vector<std::u16string>> defaultTextures;
};

// A complete, consistent installation: five maps (four of them the game's defaults, one
// custom), their sceneries, textures and edges, two uncompiled maps, two prefabs, two recent
// files, WinRAR and the three default-file lists naming the game's own files.
SoldatInstallOptions StandardInstall();

// Paths of what was laid out; folders end with a backslash (the base with its own
// separator). A path is given even when its file was not written.
struct SoldatInstall {
  std::u16string base;
  std::u16string soldatFolder;
  std::u16string soldatExe;
  std::u16string mapsFolder;
  std::u16string sceneryFolder;
  std::u16string texturesFolder;
  std::u16string edgesFolder;
  std::u16string polyWorksFolder;
  std::u16string polyWorksExe;
  std::u16string polyWorksIni;
  std::u16string uncompiledFolder;
  std::u16string prefabsFolder;
  std::u16string winRarExe;
  std::u16string programFolder;
};

// Lays out the installation under `base` (an existing folder, such as a TempDir's path).
SoldatInstall BuildSoldatInstall(std::u16string_view base,
                                 const SoldatInstallOptions& options = StandardInstall());

// Writes the polyworks.ini of an installation again, for tests that vary its values.
void WritePolyWorksIni(const SoldatInstall& install, std::u16string_view uncompiled,
                       std::u16string_view prefabs,
                       const std::vector<std::u16string>& recentFiles = {});

}  // namespace testsupport
