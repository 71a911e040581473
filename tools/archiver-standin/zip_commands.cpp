#include "zip_commands.h"

#include <cstdio>

#include "exit_codes.h"
#include "files.h"
#include "list_file.h"
#include "text.h"
#include "zip.h"

namespace standin {
namespace {

void Report(const char* what, const std::u16string& path) {
  std::fprintf(stderr, "archiver-standin: %s: %s\n", what, ToUtf8(path).c_str());
}

// WinRAR's -m0..-m5 as zlib levels; 0 stores.
int ZlibLevel(int level) {
  constexpr int kLevels[] = {0, 1, 3, 6, 8, 9};
  return level >= 0 && level <= 5 ? kLevels[level] : 6;
}

// The -ap path as a ZIP folder: forward slashes, no leading slash, a trailing one.
std::u16string FolderInside(std::u16string path) {
  for (char16_t& c : path) {
    if (c == u'\\') c = u'/';
  }
  const std::size_t start = path.find_first_not_of(u'/');
  path.erase(0, start == std::u16string::npos ? path.size() : start);
  if (!path.empty() && path.back() != u'/') path += u'/';
  return path;
}

// -ep: the source's folders are dropped, only its own name goes in.
std::u16string FileName(const std::u16string& path) {
  const std::size_t slash = path.find_last_of(u"\\/:");
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

// Reads an existing archive; `damaged` is the code for one that cannot be read as ZIP.
int LoadArchive(const std::u16string& path, ZipArchive& archive, int damaged) {
  FileData file;
  const ReadResult read = ReadWholeFile(path, file);
  if (read == ReadResult::kCannotOpen) {
    Report("cannot open the archive", path);
    return kOpenError;
  }
  if (read != ReadResult::kOk || !ParseZip(file.bytes, archive)) {
    Report("the archive is damaged or not a ZIP archive", path);
    return damaged;
  }
  return kSuccess;
}

int SaveArchive(const std::u16string& path, const ZipArchive& archive) {
  const std::optional<std::string> bytes = WriteZip(archive);
  if (!bytes) {
    Report("the archive would need ZIP64", path);
    return kFatalError;
  }
  if (!ReplaceFileWith(path, *bytes)) {
    Report("cannot write the archive", path);
    return kCreateError;
  }
  return kSuccess;
}

int Add(const Command& command) {
  std::vector<std::u16string> sources = command.files;
  for (const std::u16string& list : command.lists) {
    FileData file;
    if (ReadWholeFile(list, file) != ReadResult::kOk) {
      Report("cannot open the list file", list);
      return kOpenError;
    }
    for (std::u16string& name : ListNames(file.bytes)) sources.push_back(std::move(name));
  }
  if (sources.empty()) {
    std::fprintf(stderr, "archiver-standin: no files to add\n");
    return kNoFiles;
  }
  ZipArchive archive;
  if (FileExists(command.archive)) {
    const int loaded = LoadArchive(command.archive, archive, kFatalError);
    if (loaded != kSuccess) return loaded;
  }
  const std::u16string folder = FolderInside(command.pathInside);
  for (const std::u16string& source : sources) {
    FileData file;
    const ReadResult read = ReadWholeFile(source, file);
    if (read != ReadResult::kOk) {
      Report(read == ReadResult::kCannotOpen ? "cannot open" : "cannot read", source);
      return read == ReadResult::kCannotOpen ? kOpenError : kFatalError;
    }
    std::optional<ZipEntry> entry = MakeEntry(folder + FileName(source), file.bytes,
                                              ZlibLevel(command.level), file.dosTime, file.dosDate);
    if (!entry) {
      Report("cannot pack", source);
      return kFatalError;
    }
    AddOrReplace(archive, std::move(*entry));
  }
  return SaveArchive(command.archive, archive);
}

int SetComment(const Command& command) {
  ZipArchive archive;
  const int loaded = LoadArchive(command.archive, archive, kFatalError);
  if (loaded != kSuccess) return loaded;
  FileData comment;
  if (ReadWholeFile(command.commentFile, comment) != ReadResult::kOk) {
    Report("cannot open the comment file", command.commentFile);
    return kOpenError;
  }
  int result = kSuccess;
  if (comment.bytes.size() > kLongestComment) {
    comment.bytes.resize(kLongestComment);
    std::fprintf(stderr, "archiver-standin: the comment was cut to 65535 bytes\n");
    result = kWarning;
  }
  archive.comment = std::move(comment.bytes);
  const int saved = SaveArchive(command.archive, archive);
  return saved != kSuccess ? saved : result;
}

int Test(const Command& command) {
  ZipArchive archive;
  const int loaded = LoadArchive(command.archive, archive, kCrcError);
  if (loaded != kSuccess) return loaded;
  for (const ZipEntry& entry : archive.entries) {
    if (!EntryIntact(entry)) {
      Report("CRC failed in", entry.wideName);
      return kCrcError;
    }
  }
  return kSuccess;
}

}  // namespace

bool IsZipArchive(const std::u16string& archive) {
  return AsciiLower(archive).ends_with(u".zip");
}

int RunZipCommand(const Command& command) {
  switch (command.verb) {
    case Verb::kAdd:
      return Add(command);
    case Verb::kComment:
      return SetComment(command);
    case Verb::kTest:
      return Test(command);
    case Verb::kLock:
    case Verb::kRecovery:
      break;
  }
  // WinRAR can neither lock a ZIP archive nor give it a recovery record; the program must
  // not ask, so asking is a fatal error that its tests see.
  Report("not possible for a ZIP archive", command.archive);
  return kFatalError;
}

}  // namespace standin
