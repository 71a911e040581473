// Indexes into the UI text table. Entries from kFirstRuntimeText on stay loaded while the
// program runs; the lower ones only label the window.
#pragma once

namespace uitext {

constexpr int kEntryCount = 161;
constexpr int kFirstRuntimeText = 56;

constexpr int kAllMapsLabel = 56;
constexpr int kRecentMapsLabel = 57;
constexpr int kUncompiledMapsLabel = 58;
constexpr int kPrefabsLabel = 59;
constexpr int kReadingFile = 67;
constexpr int kBuildingContent = 68;
constexpr int kMapsToPackLabel = 70;
constexpr int kArchiveContentLabel = 71;
constexpr int kFirstContentGroupTitle = 72;  // + kind (0..5): "Maps ( " ... "Edges ( "
constexpr int kPolygonsLabel = 90;
constexpr int kSceneriesLabel = 91;
constexpr int kSpawnsLabel = 92;
constexpr int kCollidersLabel = 93;
constexpr int kWaypointsLabel = 94;
constexpr int kNadeKitsLabel = 95;
constexpr int kMedKitsLabel = 96;
constexpr int kJetLabel = 97;
constexpr int kWeatherLabel = 98;
constexpr int kStepsLabel = 99;
constexpr int kWeatherNone = 100;  // + weather (0..3)
constexpr int kStepsHard = 104;    // + steps (0..2)
constexpr int kDescription = 110;
constexpr int kDimensions = 111;
constexpr int kModified = 112;
constexpr int kSize = 113;
constexpr int kAffectedMaps = 114;
constexpr int kFileNotFound = 115;
constexpr int kFailedToOpen = 116;
constexpr int kFileDamaged = 117;
constexpr int kNoDescription = 118;
constexpr int kNameTooLong = 119;
constexpr int kLowercaseExtension = 120;
constexpr int kNotCompiled = 121;
constexpr int kNoPolygons = 122;
constexpr int kNoSpawns = 123;
constexpr int kPolygonLimit = 124;
constexpr int kUncompiledPolygonLimit = 125;
constexpr int kSceneryLimit = 126;
constexpr int kColliderLimit = 127;
constexpr int kSpawnLimit = 128;
constexpr int kWaypointLimit = 129;
constexpr int kSceneryNotFound = 130;
constexpr int kTextureNotFound = 131;
constexpr int kEdgeNotFound = 132;
constexpr int kArchiveExists = 133;
constexpr int kProblemsContinue = 134;
constexpr int kNoValidFiles = 135;
constexpr int kSpecifySoldatPath = 136;
constexpr int kSpecifyWinRarPath = 137;
constexpr int kHelpMissing = 138;
constexpr int kCommentTemplateFailed = 139;
constexpr int kMapslistLoadFailed = 140;
constexpr int kMapslistSaveFailed = 141;
constexpr int kDetailsFileNotFound = 142;
constexpr int kDetailsFailedToOpen = 143;
constexpr int kCreatedSuccessfully = 144;
constexpr int kReady = 145;
constexpr int kCommentTemplateLoaded = 146;
constexpr int kMapslistLoaded = 147;
constexpr int kMapslistSaved = 148;
constexpr int kUnicodeNotSupported = 149;
constexpr int kFirstGroupProgress = 150;  // + kind (0..5): "WinRar in progress: Packing maps" ...
constexpr int kMapslistProgress = 156;
constexpr int kCommentProgress = 157;
constexpr int kRecoveryProgress = 158;
constexpr int kTestProgress = 159;
constexpr int kLockProgress = 160;
// The Soldat or WinRAR path is missing.
constexpr int kPathsInvalid = 69;

}  // namespace uitext
