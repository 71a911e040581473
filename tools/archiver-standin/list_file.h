// The names in a WinRAR list file (@list): one full path a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace standin {

// UTF-16LE after the mark FF FE, UTF-8 after EF BB BF, the ANSI code page otherwise. Lines
// end with CR LF or LF; blank lines name nothing.
std::vector<std::u16string> ListNames(std::string_view bytes);

}  // namespace standin
