// The pictures of the window's one image list, by position: the trees take their item
// images from it and the tab control its icons. Every image number is written here only.
#pragma once

#include "core/file_kind.h"

namespace ui {

enum class Image : int {
  kSearchFolder = 0,  // a tree's top item
  kClosedFolder = 1,  // a group
  kOpenFolder = 2,    // an expanded group; the pack list's root
  kBox = 3,           // the Content tab
  kMapslist = 4,
  kPicture = 5,  // a scenery, texture or edge
  kContentAllWell = 6,
  kContentProblems = 7,
  kContentNothingIncluded = 8,
  kMain = 9,
  kSettings = 10,
  kMap = 11,  // FileImage: map, uncompiled map and prefab in FileKind order
  kUncompiledMap = 12,
  kPrefab = 13,
  kNoComment = 15,
  kFirstOverlay = 16,  // overlays 1..3 are images 16..18
};

constexpr int ImageIndex(Image image) {
  return static_cast<int>(image);
}

// The image of a map, uncompiled map or prefab entry: the three follow kMap in kind order.
constexpr int FileImage(FileKind kind) {
  return ImageIndex(Image::kMap) + kind;
}

// The kind of a pack-list entry by its image (FileImage's inverse); any image that is not an
// uncompiled map's or a prefab's counts as a map.
constexpr FileKind PackEntryKind(int image) {
  if (image == FileImage(kKindPrefab)) return kKindPrefab;
  if (image == FileImage(kKindUncompiledMap)) return kKindUncompiledMap;
  return kKindMap;
}

}  // namespace ui
