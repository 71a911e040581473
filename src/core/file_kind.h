#pragma once

// The kinds of file the program handles; the kind indexes AppState::kindFolders and the
// content groups, and tree images 11..13 are map, uncompiled map and prefab (image - 11).
enum FileKind : int {
  kKindMap = 0,
  kKindUncompiledMap = 1,
  kKindPrefab = 2,
  kKindScenery = 3,
  kKindTexture = 4,
  kKindEdge = 5,
  kKindCount = 6,
};
