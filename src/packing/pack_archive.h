// The pack sequence: the archive content becomes one RAR or ZIP archive through one WinRAR
// run per step, each waited for, with an honest result at the end.
#pragma once

#include <string>
#include <string_view>

#include "state/app_state.h"

struct PackOptions {
  bool rar = true;
  int compression = 5;      // 0 store .. 5 best
  bool solid = false;       // RAR only
  int recoveryPercent = 0;  // 0 none, 1..10; RAR only
};

// The add command around the path inside the archive: the head ends with -ap and the
// opening quotation mark, the tail begins with the closing one.
struct AddCommand {
  std::u16string head;
  std::u16string tail;
  std::u16string with(std::u16string_view pathInside) const {
    // WinRAR reads two adjoining quotation marks as one literal mark, so -ap"" would put the
    // files under a folder named ". The archive's root needs no -ap at all.
    if (pathInside.empty())
      return head.substr(0, head.size() - kPathSwitch.size()) + tail.substr(1);
    return head + std::u16string(pathInside) + tail;
  }
  static constexpr std::u16string_view kPathSwitch = u" -ap\"";
};
AddCommand BuildAddCommand(std::u16string_view winRar, const PackOptions& options,
                           std::u16string_view archive, std::u16string_view listFile);
std::u16string BuildCommentCommand(std::u16string_view winRar, std::u16string_view commentFile,
                                   std::u16string_view archive);
std::u16string BuildRecoveryCommand(std::u16string_view winRar, int percent,
                                    std::u16string_view archive);
std::u16string BuildTestCommand(std::u16string_view winRar, std::u16string_view archive);
std::u16string BuildLockCommand(std::u16string_view winRar, std::u16string_view archive);

// The packing options as the Main page shows them.
PackOptions ReadPackOptions(const AppState& state);

// Packs the files marked in the archive content: asks before packing over problems or
// replacing an existing archive, then runs WinRAR for the six groups, the mapslist, the
// comment, the recovery record, the test and the lock, each when chosen. A step that fails
// stops the sequence with a message; the temporary files are removed on every way out. True
// only when the archive was made.
bool PackArchive(AppState& state);
