#include "app/packing_handlers.h"

#include "packing/archive_comment.h"
#include "packing/archive_name.h"
#include "packing/pack_archive.h"

namespace app {

bool OnPackingCommand(MainWindow& main, int id, int notification) {
  AppState& state = main.state;
  switch (id) {
    case kBrowseArchiveButtonId:
      BrowseArchiveName(state);
      return true;
    case kArchiveTypeId:
      NormalizeArchiveName(state);
      return true;
    case kPackButtonId:
      PackArchive(state);
      return true;
    case kAddCommentCheckId:
      UpdateCommentControls(state);
      return true;
    case kLoadTemplateButtonId:
      LoadCommentTemplate(state);
      UpdateCommentTabIcon(state);
      return true;
    case kUseFileCheckId:
      CommentFileChoiceChanged(state);
      return true;
    case kBrowseCommentFileButtonId:
      BrowseCommentFile(state);
      return true;
    case kCommentEditsId:
      if (notification == EN_CHANGE) UpdateCommentTabIcon(state);
      return true;
    default:
      return false;
  }
}

}  // namespace app
