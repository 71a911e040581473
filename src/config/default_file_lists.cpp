#include "config/default_file_lists.h"

namespace {

void LoadSorted(StringList& list, std::u16string_view path, int maxLine) {
  list.clear();
  list.loadFromFile(path, maxLine);
  list.sortUnique();
}

}  // namespace

void LoadDefaultFileLists(AppState& state) {
  LoadSorted(state.defaultMaps, state.programFolder + u"default maps.txt", kDefaultMapsMaxLine);
  LoadSorted(state.defaultSceneries, state.programFolder + u"default sceneries.txt",
             kDefaultSceneriesMaxLine);
  LoadSorted(state.defaultTextures, state.programFolder + u"default textures.txt",
             kDefaultTexturesMaxLine);
}
