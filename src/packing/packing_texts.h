// The packing messages that the UI text table has no entry for. They are English only until
// the table grows; every one is kept here so that they move together.
#pragma once

#include <string_view>

namespace packing_text {

// Behind the archive's path and CR LF.
inline constexpr std::u16string_view kCannotDeleteArchive =
    u"The existing archive cannot be deleted (it may be open elsewhere or read-only). "
    u"Nothing was packed.";
// Behind the step's name.
inline constexpr std::u16string_view kStepFailedWithCode = u" failed: WinRAR ended with exit code ";
inline constexpr std::u16string_view kStepNotStarted = u" failed: WinRAR could not be started.";
// Behind a temporary file's path and CR LF.
inline constexpr std::u16string_view kTempFileNotWritten =
    u"This temporary file could not be written completely.";
// Closes every stop message, before the archive's path.
inline constexpr std::u16string_view kPackingStopped =
    u"Packing stopped. Whatever part of the archive was made is left where it is:";

// The head of the progress texts that a step's name in a message goes without.
inline constexpr std::u16string_view kProgressHead = u"WinRar in progress: ";

}  // namespace packing_text
