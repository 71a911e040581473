// A file association hands the program whatever name a downloaded file has: any argument
// vector ends in one of the three outcomes, with the pack list and its count agreeing.
#include "catalogue/pack_list.h"
#include "fuzz_support.h"
#include "packing/command_line.h"
#include "support/maps_fixture.h"
#include "ui/memory_tree.h"

using fuzzsupport::Check;
using Result = CommandLineOutcome::Result;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Arguments are UTF-16 units separated by a zero unit.
  std::vector<std::u16string> arguments = {u"Soldat ZEK.exe", u""};
  for (const char16_t unit : fuzzsupport::Units(data, size)) {
    if (unit == 0) arguments.emplace_back();
    if (unit != 0) arguments.back().push_back(unit);
  }

  AppState state;
  testsupport::FakeControls controls;
  ui::MemoryTree pack;
  if (!testsupport::SetUpMapsState(state, fuzzsupport::Folder(), &controls)) std::abort();
  state.packTree = &pack;
  state.soldatFolder = fuzzsupport::Folder().path();
  state.polyWorksPath = state.soldatFolder + u"Soldat PolyWorks.exe";
  ClearPackList(state);
  fuzzsupport::FillCombos(controls);
  controls.setText(ui::Slot::archiveNameEdit, u"pack.rar");

  const CommandLineOutcome outcome = ParseCommandLine(state, controls, arguments, {});
  const bool goOn = outcome.result == Result::kGoOn;
  Check(pack.childCount(state.packRoot) == state.packCount);
  Check((state.packCount <= 1 || goOn) && (outcome.exitCode() == 0) == goOn);
  Check(!state.commandLineMode || (goOn && arguments.size() >= 3));
  Check(!outcome.unattended || state.commandLineMode);
  Check(controls.messages.size() == (goOn ? 0u : 1u));
  for (ui::TreeItem c = pack.child(state.packRoot); c != ui::kNoItem; c = pack.nextSibling(c))
    Check(pack.image(c) >= 11 && pack.image(c) <= 13);
  return 0;
}
