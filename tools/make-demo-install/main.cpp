// Lays out a demo Soldat installation for the demo and the screenshots: the game with maps,
// sceneries and textures, Soldat PolyWorks with uncompiled maps and prefabs, a WinRAR
// placeholder, and a program folder whose settings file names Soldat and WinRAR, so that
// the program opens on its Main page.
//
// usage: make-demo-install BASE_FOLDER [WINRAR_EXE]
// Prints the program folder. A given WINRAR_EXE (the archiver stand-in) is copied as WinRAR.
#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "support/soldat_install.h"

namespace {

std::u16string Argument(const char* text) {
  return platform::AnsiToUtf16(std::string_view(text));
}

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

  testsupport::SoldatInstallOptions options = testsupport::StandardInstall();
  if (argc == 3) options.winRarCopyFrom = Argument(argv[2]);
  const testsupport::SoldatInstall install = testsupport::BuildSoldatInstall(base, options);

  const std::u16string settings = install.programFolder + u"Soldat ZEK.ini";
  const bool written =
      platform::WriteIniString(settings, u"Settings", u"SoldatPath", install.soldatExe) &&
      platform::WriteIniString(settings, u"Settings", u"PWPath", install.polyWorksExe) &&
      platform::WriteIniString(settings, u"Settings", u"WinRARPath", install.winRarExe);
  if (!written) {
    std::fprintf(stderr, "make-demo-install: cannot write the settings file\n");
    return 1;
  }
  std::printf("%s\n", platform::Utf16ToAnsi(install.programFolder).c_str());
  return 0;
}
