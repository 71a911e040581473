// The seam to the operating system. Portable code reaches files, text conversion and the
// system's comparison only through these functions; win32/ is the real thing, posix/ serves
// the native build and its tests.
//
// Paths are Windows paths in UTF-16 (folders end with a backslash); the posix side turns
// backslashes into slashes at this boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/owned.h"

namespace platform {

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// True when the path's attributes can be read: a file or a folder of that name exists.
bool Exists(std::u16string_view path);

// True when a file, not a folder, has that path: a folder named like a map or an image is
// not one, and packing it would pack the folder.
bool IsFile(std::u16string_view path);

// Answers whether files (not subfolders) of given names are in one folder, letter case
// ignored as the Windows file system ignores it. Posix reads the folder once, at the first
// question, so that many questions cost one listing; Windows asks the file system for each
// name. For one piece of work: a file added later may go unseen.
class FolderNames {
 public:
  explicit FolderNames(std::u16string folder) : folder_(std::move(folder)) {}
  // `name` is a plain file name, no path.
  bool contains(std::u16string_view name);

 private:
  std::u16string folder_;
  [[maybe_unused]] bool read_ = false;
  [[maybe_unused]] std::unordered_set<std::u16string> folded_;  // posix: lower-cased names
};

// Files read whole (lists, templates, localization) are small text; a larger one is
// refused as unreadable rather than allocated.
inline constexpr std::uint64_t kMaxWholeFileBytes = std::uint64_t{64} << 20;

// The whole file, or nothing when it cannot be opened or is over kMaxWholeFileBytes.
// Others may read it meanwhile.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::u16string_view path);

// Creates or replaces the file, unshared, and writes the bytes. False when it cannot be
// created; a short write is reported as false too.
[[nodiscard]] bool WriteNewFile(std::u16string_view path, std::span<const std::uint8_t> bytes);

// A read-only file with a read buffer, so that many small reads and relative seeks cost no
// system call each. Seeking past the end is allowed; the next read then yields nothing.
class FileReader {
 public:
  FileReader() = default;
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // Opens for reading, sharing reads with others. Closes a file opened before.
  bool open(std::u16string_view path);
  bool isOpen() const { return handle_ != kNoHandle; }
  void close();

  // Copies up to n bytes; returns how many were copied (fewer only at the end of the file).
  std::size_t read(void* destination, std::size_t n);
  // Copies up to n bytes from an absolute offset straight from the file, past the buffer and
  // without moving the position: for callers that know exactly which bytes they need.
  std::size_t readAt(std::int64_t offset, void* destination, std::size_t n);
  // Moves the position by the given number of bytes, forwards or backwards.
  void skip(std::int64_t bytes) { position_ += bytes; }
  std::int64_t position() const { return position_; }

  std::uint64_t size() const;
  std::optional<LocalTime> lastWriteLocalTime() const;

 private:
  static constexpr std::intptr_t kNoHandle = -1;
  static constexpr std::size_t kBufferSize = 64 * 1024;

  std::intptr_t handle_ = kNoHandle;
  std::int64_t position_ = 0;     // logical position in the file
  std::int64_t bufferStart_ = 0;  // file offset of buffer_[0]
  std::size_t bufferLength_ = 0;  // valid bytes in buffer_
  std::vector<std::uint8_t> buffer_;
};

// Text in the system's ANSI code page (posix: Windows-1252) to and from UTF-16.
std::u16string AnsiToUtf16(std::string_view bytes);
// The same into `out`, whose storage is reused: for loops over many short names.
void AnsiToUtf16(std::string_view bytes, std::u16string& out);
std::string Utf16ToAnsi(std::u16string_view text);

// Locale-aware lower-casing and case-insensitive comparison (<0, 0, >0). Every sorted,
// de-duplicated or subtracted list uses this one comparison.
std::u16string LowerCase(std::u16string_view text);
int CompareNoCase(std::u16string_view a, std::u16string_view b);

// An image's size in pixels; 0 x 0 when the file cannot be decoded as an image.
struct ImageSize {
  int width = 0;
  int height = 0;
};
ImageSize ImagePixelSize(std::u16string_view path);

// A table built into the program (the RCDATA resource of that id on Windows). Empty when
// there is no such resource.
std::span<const std::uint8_t> BuiltinResource(int id);

// Whatever the image decoder needs for the life of the process (GDI+ on Windows). The entry
// point and test mains hold one.
class GraphicsSession {
 public:
  GraphicsSession();

 private:
  // The GDI+ startup token on Windows, shut down with the session; 0 where nothing starts.
  struct Token {
    using Value = std::uintptr_t;
    static Value Empty() { return 0; }
    static bool IsEmpty(Value token) { return token == 0; }
    static void Release(Value token);
  };
  Owned<Token> token_;
};

// --- Folders and listings ---------------------------------------------------------------

// Names (not paths) of the files in `folder` whose names match `pattern` ("*.pms",
// "*.lng"; '*' and '?' wildcards, letter case ignored). Folders are not listed. Empty when
// the folder cannot be read.
std::vector<std::u16string> ListFiles(std::u16string_view folder, std::u16string_view pattern);

bool CreateFolder(std::u16string_view path);
bool DeleteFilePath(std::u16string_view path);

// The folder of the running executable and the system's temporary folder, each ending with
// the path separator.
std::u16string ProgramFolder();
std::u16string TempFolder();

// The date and time now, on the local clock.
LocalTime CurrentLocalTime();

// --- Child processes --------------------------------------------------------------------

// Starts a command line whose first, quoted word is the program, and waits for the process
// to end, calling `tick` each time `tickMilliseconds` pass without its ending. The exit code
// (UINT32_MAX when it cannot be read); nothing when the process could not be started.
std::optional<std::uint32_t> RunProcess(std::u16string_view commandLine, int tickMilliseconds,
                                        const std::function<void()>& tick);

// --- INI profile files ------------------------------------------------------------------

// The value of key in [section], cut to maxChars characters; `fallback` when the file,
// section or key is missing.
std::u16string ReadIniString(std::u16string_view path, std::u16string_view section,
                             std::u16string_view key, std::u16string_view fallback,
                             std::size_t maxChars);
// How a file that does not exist yet is started; an existing file keeps its encoding.
// UTF-16 keeps every letter of a path; other programs' files may only be read as ANSI.
enum class NewIniFile { kUtf16, kAnsi };
// False when the file cannot be created or the key written.
[[nodiscard]] bool WriteIniString(std::u16string_view path, std::u16string_view section,
                                  std::u16string_view key, std::u16string_view value,
                                  NewIniFile newFile = NewIniFile::kUtf16);

// --- Registry ---------------------------------------------------------------------------

enum class RegistryRoot { kLocalMachine, kClassesRoot };

// The data of the value at enumeration position 0 of the key, as text (at most 260
// characters); nothing when the key or value cannot be read. Never found off Windows.
[[nodiscard]] std::optional<std::u16string> FirstRegistryValue(RegistryRoot root,
                                                               std::u16string_view subkey);

}  // namespace platform
