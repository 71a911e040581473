#include <windows.h>
#include <gdiplus.h>

#include "platform/platform.h"
#include "platform/win32/owned_handles.h"
#include "platform/win32/wide.h"

namespace platform {

GraphicsSession::GraphicsSession() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_.reset(token);
}

void GraphicsSession::Token::Release(Value token) {
  win32::GdiplusTokenTraits::Release(token);
}

ImageSize ImagePixelSize(std::u16string_view path) {
  Gdiplus::GpImage* loaded = nullptr;
  const Gdiplus::Status status =
      Gdiplus::DllExports::GdipLoadImageFromFile(detail::Wide(path).c_str(), &loaded);
  const win32::GdiplusImage image(loaded);
  if (status != Gdiplus::Ok || !image) return {};
  UINT width = 0;
  UINT height = 0;
  Gdiplus::DllExports::GdipGetImageWidth(image.get(), &width);
  Gdiplus::DllExports::GdipGetImageHeight(image.get(), &height);
  return {static_cast<int>(width), static_cast<int>(height)};
}

std::span<const std::uint8_t> BuiltinResource(int id) {
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"RT_RCDATA");
  if (found == nullptr) return {};
  const HGLOBAL loaded = LoadResource(nullptr, found);
  const DWORD size = SizeofResource(nullptr, found);
  if (loaded == nullptr || size == 0) return {};
  return {static_cast<const std::uint8_t*>(LockResource(loaded)), size};
}

}  // namespace platform
