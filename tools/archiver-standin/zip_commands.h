// WinRAR's commands carried out for real on ZIP archives.
#pragma once

#include <string>

#include "command_line.h"

namespace standin {

// Whether the archive name ends with ".zip" (letter case aside); WinRAR chooses the format
// by the extension, and this stand-in writes only ZIP.
bool IsZipArchive(const std::u16string& archive);

// Carries out the command on its ZIP archive and gives WinRAR's exit code. The archive is
// replaced only when the whole command succeeded.
int RunZipCommand(const Command& command);

}  // namespace standin
