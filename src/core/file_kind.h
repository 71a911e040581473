#pragma once

// The kinds of file the program handles; the kind indexes AppState::kindFolders and the
// content groups; ui::FileImage gives the tree image of the first three.
enum FileKind : int {
  kKindMap = 0,
  kKindUncompiledMap = 1,
  kKindPrefab = 2,
  kKindScenery = 3,
  kKindTexture = 4,
  kKindEdge = 5,
  kKindCount = 6,
};
