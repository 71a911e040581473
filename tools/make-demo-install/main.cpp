// Lays out a demo Soldat installation for the demo and the screenshots: the game with maps,
// sceneries and textures, Soldat PolyWorks with uncompiled maps and prefabs, a WinRAR
// placeholder, and a program folder whose settings file names Soldat and WinRAR, so that
// the program opens on its Main page. Two of the custom maps are faulty and one scenery is
// a real picture, so that the Content page has problems to report and something to preview.
// A comment template in the program folder is loaded at start-up.
//
// usage: make-demo-install BASE_FOLDER [WINRAR_EXE] [--bench-maps N]
// Prints the program folder. A given WINRAR_EXE (the archiver stand-in) is copied as WinRAR.
// --bench-maps N (1..10000) adds N maps of real size for bench/pack_timing.sh, ctf_Pack0.PMS
// onwards, each with its own noisy scenery, texture and edge, and a mapslist.txt naming them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fixtures/fixture_files.h"
#include "fixtures/image_writer.h"
#include "fixtures/soldat_install.h"
#include "platform/platform.h"

namespace {

std::u16string Argument(const char* text) {
  return platform::AnsiToUtf16(std::string_view(text));
}

// Hold The Flag maps, so that choosing that group chooses them: one uses a scenery the game
// lacks, the other has more spawn points than the game takes.
void AddFaultyMaps(fixtures::SoldatInstallOptions& options) {
  fixtures::MapFile lost{"htf_Lost.PMS", {}};
  lost.recipe.description = "Map htf_Lost.PMS";
  lost.recipe.texture = "custom.bmp";
  lost.recipe.sceneryNames = {"custom_wall.bmp", "lost_tower.png"};
  lost.recipe.sceneryInstanceCount = 2;
  fixtures::MapFile crowded{"htf_Crowded.PMS", {}};
  crowded.recipe.description = "Map htf_Crowded.PMS";
  crowded.recipe.texture = "custom.bmp";
  crowded.recipe.spawnCount = 129;
  options.maps.push_back(lost);
  options.maps.push_back(crowded);
}

constexpr int kMaxBenchMaps = 10000;

std::string BenchName(const char* prefix, int i) {
  return prefix + std::to_string(i);
}

// Maps of about 200 kB, as real ones go, so that the archiver's share of a pack is honest.
void AddBenchMaps(fixtures::SoldatInstallOptions& options, int count) {
  std::vector<std::string> mapslist;
  for (int i = 0; i < count; ++i) {
    fixtures::MapFile map{BenchName("ctf_Pack", i) + ".PMS", {}};
    map.recipe.polygonCount = 2000;
    map.recipe.texture = BenchName("texture", i) + ".bmp";
    map.recipe.sceneryNames = {BenchName("scenery", i) + ".bmp"};
    options.maps.push_back(map);
    mapslist.push_back(BenchName("ctf_Pack", i));
  }
  if (count > 0) options.mapslist = mapslist;
}

// 256 x 256 pixels of noise, which no archiver can shrink: a pack of them costs what real
// pictures do.
void WriteBenchImages(const fixtures::SoldatInstall& install, int count) {
  std::uint32_t noise = 12345;
  for (int i = 0; i < count; ++i) {
    const std::u16string texture = platform::AnsiToUtf16(BenchName("texture", i) + ".bmp");
    const std::u16string scenery = platform::AnsiToUtf16(BenchName("scenery", i) + ".bmp");
    for (const std::u16string& path :
         {install.texturesFolder + texture, install.edgesFolder + texture,
          install.sceneryFolder + scenery}) {
      std::vector<std::uint8_t> bmp = fixtures::BmpBytes(256, 256);
      for (std::size_t b = 54; b < bmp.size(); ++b) {
        noise = noise * 1664525u + 1013904223u;
        bmp[b] = static_cast<std::uint8_t>(noise >> 24);
      }
      fixtures::WriteBytes(path, bmp);
    }
  }
}

// A 128 x 128 wall of reddish bricks as a 24-bit BMP, for the preview.
std::vector<std::uint8_t> BrickWall() {
  constexpr int kSide = 128;
  const std::uint32_t size = 54 + kSide * kSide * 3;
  std::vector<std::uint8_t> bmp(size, 0);
  auto put32 = [&bmp](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, kSide);
  put32(22, kSide);
  put32(26, 1 | (24 << 16));  // one plane, 24 bits
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const int shifted = x + (y / 16 % 2) * 16;  // every other course is offset
      const bool mortar = y % 16 == 0 || shifted % 32 == 0;
      const int shade = (shifted / 32 * 37 + y / 16 * 23) % 40;  // each brick its own
      const std::size_t at = 54 + static_cast<std::size_t>(y * kSide + x) * 3;
      bmp[at] = static_cast<std::uint8_t>(mortar ? 190 : 40 + shade / 2);       // blue
      bmp[at + 1] = static_cast<std::uint8_t>(mortar ? 200 : 60 + shade / 2);   // green
      bmp[at + 2] = static_cast<std::uint8_t>(mortar ? 205 : 150 + shade * 2);  // red
    }
  }
  return bmp;
}

// The archive comment's template, ANSI text as a user's editor would save it.
constexpr char kCommentTemplate[] =
    "%descr% made on %mdate%\r\n\r\n%stats%\r\nFiles:\r\n%mlist%\r\n%zeksg%\r\n";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::u16string> folders;  // the base, then WinRAR
  int benchMaps = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--bench-maps") {
      char* end = nullptr;
      const long count = i + 1 < argc ? std::strtol(argv[++i], &end, 10) : 0;
      const bool valid = end != nullptr && *end == '\0' && count > 0 && count <= kMaxBenchMaps;
      benchMaps = valid ? static_cast<int>(count) : -1;
    } else {
      folders.push_back(Argument(argv[i]));
    }
  }
  if (folders.empty() || folders.size() > 2 || folders[0].empty() || benchMaps < 0) {
    std::fprintf(stderr, "usage: make-demo-install BASE_FOLDER [WINRAR_EXE] [--bench-maps N]\n");
    return 2;
  }
  std::u16string base = folders[0];
  if (base.back() != u'\\') base += u'\\';
  platform::CreateFolder(base);

  fixtures::SoldatInstallOptions options = fixtures::StandardInstall();
  if (folders.size() == 2) options.winRarCopyFrom = folders[1];
  AddFaultyMaps(options);
  AddBenchMaps(options, benchMaps);
  const fixtures::SoldatInstall install = fixtures::BuildSoldatInstall(base, options);
  fixtures::WriteBytes(install.sceneryFolder + u"custom_wall.bmp", BrickWall());
  WriteBenchImages(install, benchMaps);

  const std::u16string commentTemplate = install.programFolder + u"comment template.txt";
  const std::string templateText = kCommentTemplate;
  fixtures::WriteBytes(commentTemplate,
                       std::vector<std::uint8_t>(templateText.begin(), templateText.end()));

  // No folder window after packing: the demo lists the archive itself.
  const std::u16string settings = install.programFolder + u"Soldat ZEK.ini";
  const bool written =
      platform::WriteIniString(settings, u"Settings", u"SoldatPath", install.soldatExe) &&
      platform::WriteIniString(settings, u"Settings", u"PWPath", install.polyWorksExe) &&
      platform::WriteIniString(settings, u"Settings", u"WinRARPath", install.winRarExe) &&
      platform::WriteIniString(settings, u"Settings", u"TemplatePath", commentTemplate) &&
      platform::WriteIniString(settings, u"Settings", u"AutoloadTemplate", u"1") &&
      platform::WriteIniString(settings, u"Settings", u"Explore", u"0");
  if (!written) {
    std::fprintf(stderr, "make-demo-install: cannot write the settings file\n");
    return 1;
  }
  std::printf("%s\n", platform::Utf16ToAnsi(install.programFolder).c_str());
  return 0;
}
