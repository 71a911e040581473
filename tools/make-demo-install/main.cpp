// Lays out a demo Soldat installation for the demo and the screenshots: the game with maps,
// sceneries and textures, Soldat PolyWorks with uncompiled maps and prefabs, a WinRAR
// placeholder, and a program folder whose settings file names Soldat and WinRAR, so that
// the program opens on its Main page. Two of the custom maps are faulty and one scenery is
// a real picture, so that the Content page has problems to report and something to preview.
// A comment template in the program folder is loaded at start-up.
//
// usage: make-demo-install BASE_FOLDER [WINRAR_EXE]
// Prints the program folder. A given WINRAR_EXE (the archiver stand-in) is copied as WinRAR.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fixtures/fixture_files.h"
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
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: make-demo-install BASE_FOLDER [WINRAR_EXE]\n");
    return 2;
  }
  std::u16string base = Argument(argv[1]);
  if (base.empty()) return 2;
  if (base.back() != u'\\') base += u'\\';
  platform::CreateFolder(base);

  fixtures::SoldatInstallOptions options = fixtures::StandardInstall();
  if (argc == 3) options.winRarCopyFrom = Argument(argv[2]);
  AddFaultyMaps(options);
  const fixtures::SoldatInstall install = fixtures::BuildSoldatInstall(base, options);
  fixtures::WriteBytes(install.sceneryFolder + u"custom_wall.bmp", BrickWall());

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
