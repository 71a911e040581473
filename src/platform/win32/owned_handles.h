// What each kind of Win32 resource needs to be owned by platform::Owned: its empty value and
// the one call that gives it back. The only place such calls are written.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include "platform/owned.h"

namespace platform::win32 {

// Kernel handles whose "none" is null: processes, threads, and the like.
struct KernelHandleTraits {
  using Value = HANDLE;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(Value h) { return h == nullptr; }
  static void Release(Value h) { CloseHandle(h); }
};
using ProcessHandle = Owned<KernelHandleTraits>;
using ThreadHandle = Owned<KernelHandleTraits>;

// CreateFileW gives INVALID_HANDLE_VALUE, not null, when it fails.
struct FileHandleTraits {
  using Value = HANDLE;
  static Value Empty() { return INVALID_HANDLE_VALUE; }
  static bool IsEmpty(Value h) { return h == INVALID_HANDLE_VALUE || h == nullptr; }
  static void Release(Value h) { CloseHandle(h); }
};
using FileHandle = Owned<FileHandleTraits>;

// Closes a written file now and says whether the close succeeded: a write can still fail
// there, and a file that was not written whole must not pass as written.
inline bool CloseWrittenFile(FileHandle& file) {
  return CloseHandle(file.release()) != 0;
}

struct FindHandleTraits {
  using Value = HANDLE;
  static Value Empty() { return INVALID_HANDLE_VALUE; }
  static bool IsEmpty(Value h) { return h == INVALID_HANDLE_VALUE; }
  static void Release(Value h) { FindClose(h); }
};
using FindHandle = Owned<FindHandleTraits>;

struct RegistryKeyTraits {
  using Value = HKEY;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(Value k) { return k == nullptr; }
  static void Release(Value k) { RegCloseKey(k); }
};
using RegistryKey = Owned<RegistryKeyTraits>;

// Pens, brushes, fonts, bitmaps, regions.
template <typename Object>
struct GdiObjectTraits {
  using Value = Object;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(Value o) { return o == nullptr; }
  static void Release(Value o) { DeleteObject(o); }
};
using OwnedFont = Owned<GdiObjectTraits<HFONT>>;
using OwnedBitmap = Owned<GdiObjectTraits<HBITMAP>>;
using OwnedBrush = Owned<GdiObjectTraits<HBRUSH>>;

// A memory device context from CreateCompatibleDC.
struct MemoryDcTraits {
  using Value = HDC;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(Value dc) { return dc == nullptr; }
  static void Release(Value dc) { DeleteDC(dc); }
};
using MemoryDc = Owned<MemoryDcTraits>;

// The screen's device context from GetDC(nullptr).
struct ScreenDcTraits {
  using Value = HDC;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(Value dc) { return dc == nullptr; }
  static void Release(Value dc) { ReleaseDC(nullptr, dc); }
};
using ScreenDc = Owned<ScreenDcTraits>;

struct ImageListTraits {
  using Value = HIMAGELIST;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(Value list) { return list == nullptr; }
  static void Release(Value list) { ImageList_Destroy(list); }
};
using ImageList = Owned<ImageListTraits>;

// Icons made at run time (CreateIconIndirect, ExtractIcon); shared icons from LoadIcon are
// not owned.
struct IconTraits {
  using Value = HICON;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(Value icon) { return icon == nullptr; }
  static void Release(Value icon) { DestroyIcon(icon); }
};
using OwnedIcon = Owned<IconTraits>;

// The token of a GdiplusStartup that succeeded.
struct GdiplusTokenTraits {
  using Value = ULONG_PTR;
  static Value Empty() { return 0; }
  static bool IsEmpty(Value token) { return token == 0; }
  static void Release(Value token) { Gdiplus::GdiplusShutdown(token); }
};
using GdiplusToken = Owned<GdiplusTokenTraits>;

struct GdiplusImageTraits {
  using Value = Gdiplus::GpImage*;
  static Value Empty() { return nullptr; }
  static bool IsEmpty(Value image) { return image == nullptr; }
  static void Release(Value image) { Gdiplus::DllExports::GdipDisposeImage(image); }
};
using GdiplusImage = Owned<GdiplusImageTraits>;

}  // namespace platform::win32
