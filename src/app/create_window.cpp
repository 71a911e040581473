// Building the main window: the class, the frame, the 65 page controls in slot order, the
// tab control, the status bar, the shared image list and the fonts.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/content_page_handlers.h"
#include "app/main_page_handlers.h"
#include "app/main_window.h"
#include "ui/window_geometry.h"

namespace app {

namespace {

using ui::Slot;

struct ControlSpec {
  const wchar_t* className;
  DWORD style;             // besides WS_CHILD; every control starts hidden
  bool edge;               // WS_EX_CLIENTEDGE
  int id;                  // WM_COMMAND's low word
  const wchar_t* caption;  // the untranslated ones; the others come with the UI text
};

constexpr DWORD kPush = BS_PUSHBUTTON;
constexpr DWORD kCheck = BS_AUTOCHECKBOX;
constexpr DWORD kLabel = SS_LEFT;
constexpr DWORD kLineEdit = ES_AUTOHSCROLL;
constexpr DWORD kDropList = CBS_DROPDOWNLIST | CBS_AUTOHSCROLL;
// No lines; buttons open groups; hot tracking; info tips are asked from the window.
constexpr DWORD kTree = TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT | TVS_INFOTIP;

const wchar_t* const kEdit = L"EDIT";
const wchar_t* const kButton = L"BUTTON";
const wchar_t* const kStatic = L"STATIC";
const wchar_t* const kCombo = L"COMBOBOX";
const wchar_t* const kTreeView = WC_TREEVIEWW;

// In slot order. A control's command id is its own slot's; controls that share an action in
// the window procedure share the id of the first of them.
const ControlSpec kControls[ui::kSlotCount] = {
    {kEdit, kLineEdit, true, SlotCommand(Slot::mainSearchEdit), nullptr},
    {kButton, BS_DEFPUSHBUTTON, false, SlotCommand(Slot::mainSearchButton), L"Go"},
    {kTreeView, kTree, true, SlotCommand(Slot::catalogueTree), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::addButton), L"->"},
    {kButton, kPush, false, SlotCommand(Slot::loadMapslistButton), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::saveMapslistButton), nullptr},
    {kTreeView, kTree, true, SlotCommand(Slot::packTree), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::removeButton), L"<-"},
    {kButton, kPush, false, SlotCommand(Slot::refreshCatalogueButton), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::clearButton), nullptr},
    {kEdit, kLineEdit, true, SlotCommand(Slot::archiveNameEdit), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::browseArchiveButton), nullptr},
    {kButton, BS_AUTORADIOBUTTON, false, SlotCommand(Slot::rarRadio), L"rar"},
    {kButton, BS_AUTORADIOBUTTON, false, SlotCommand(Slot::rarRadio), L"zip"},  // zipRadio
    {kStatic, kLabel, false, kNoCommand, nullptr},                              // compressionLabel
    {kCombo, kDropList, false, SlotCommand(Slot::compressionCombo), nullptr},
    {kStatic, kLabel, false, kNoCommand, nullptr},  // recoveryLabel
    {kCombo, kDropList, false, SlotCommand(Slot::recoveryCombo), nullptr},
    {kButton, kCheck, false, SlotCommand(Slot::solidCheck), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::packButton), nullptr},
    {kEdit, kLineEdit, true, SlotCommand(Slot::contentSearchEdit), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::contentSearchButton), L"Go"},
    {kTreeView, kTree, true, SlotCommand(Slot::contentTree), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::showLogButton), nullptr},
    {kEdit, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY, true,
     SlotCommand(Slot::detailsEdit), nullptr},
    {kButton, kCheck, false, SlotCommand(Slot::fitImageCheck), nullptr},
    {kStatic, SS_OWNERDRAW, false, SlotCommand(Slot::previewBox), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::refreshContentButton), nullptr},
    {kButton, kCheck, false, SlotCommand(Slot::addCommentCheck), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::loadTemplateButton), nullptr},
    {kButton, kCheck, false, SlotCommand(Slot::useFileCheck), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::browseCommentFileButton), nullptr},
    {kEdit, kLineEdit, true, SlotCommand(Slot::commentFileEdit), nullptr},
    {kEdit, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, true, SlotCommand(Slot::commentFileEdit),
     nullptr},                                      // commentEdit
    {kStatic, kLabel, false, kNoCommand, nullptr},  // soldatPathLabel
    {kEdit, kLineEdit, true, SlotCommand(Slot::soldatPathEdit), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::browseSoldatButton), nullptr},
    {kStatic, kLabel, false, kNoCommand, nullptr},                         // polyWorksPathLabel
    {kEdit, kLineEdit, true, SlotCommand(Slot::soldatPathEdit), nullptr},  // polyWorksPathEdit
    {kButton, kPush, false, SlotCommand(Slot::browsePolyWorksButton), nullptr},
    {kStatic, kLabel, false, kNoCommand, nullptr},                         // winRarPathLabel
    {kEdit, kLineEdit, true, SlotCommand(Slot::soldatPathEdit), nullptr},  // winRarPathEdit
    {kButton, kPush, false, SlotCommand(Slot::browseWinRarButton), nullptr},
    {kStatic, kLabel, false, kNoCommand, nullptr},                         // tempFolderLabel
    {kEdit, WS_DISABLED | kLineEdit, true, kNoCommand, nullptr},           // tempFolderEdit
    {kStatic, kLabel, false, kNoCommand, nullptr},                         // defaultFolderLabel
    {kEdit, kLineEdit, true, SlotCommand(Slot::soldatPathEdit), nullptr},  // defaultFolderEdit
    {kButton, kPush, false, SlotCommand(Slot::browseDefaultFolderButton), nullptr},
    {kStatic, kLabel, false, kNoCommand, nullptr},                         // templatePathLabel
    {kEdit, kLineEdit, true, SlotCommand(Slot::soldatPathEdit), nullptr},  // templatePathEdit
    {kButton, kPush, false, SlotCommand(Slot::browseTemplateButton), nullptr},
    {kButton, kCheck, false, SlotCommand(Slot::autoloadTemplateCheck), nullptr},
    {kButton, BS_GROUPBOX, false, kNoCommand, nullptr},  // defaultFilesGroup
    {kButton, kCheck, false, SlotCommand(Slot::skipAllCheck), nullptr},
    {kButton, kCheck, false, SlotCommand(Slot::skipMapsCheck), nullptr},
    {kButton, kCheck, false, SlotCommand(Slot::skipMapsCheck), nullptr},  // skipSceneriesCheck
    {kButton, kCheck, false, SlotCommand(Slot::skipMapsCheck), nullptr},  // skipTexturesCheck
    {kButton, kCheck, false, SlotCommand(Slot::autoloadTemplateCheck),
     nullptr},                                           // skipMapslistCheck
    {kButton, BS_GROUPBOX, false, kNoCommand, nullptr},  // afterCreationGroup
    {kButton, kCheck, false, SlotCommand(Slot::autoloadTemplateCheck),
     nullptr},  // testArchiveCheck
    {kButton, kCheck, false, SlotCommand(Slot::autoloadTemplateCheck),
     nullptr},  // lockArchiveCheck
    {kButton, kCheck, false, SlotCommand(Slot::autoloadTemplateCheck), nullptr},  // exploreCheck
    {kStatic, kLabel, false, kNoCommand, nullptr},                                // languageLabel
    {kCombo, kDropList, false, SlotCommand(Slot::languageCombo), nullptr},
    {kButton, kPush, false, SlotCommand(Slot::applyButton), nullptr},
};

constexpr int kCompressionLevels = 6;
constexpr int kRecoveryChoices = 11;
constexpr ui::Image kTabImages[4] = {ui::Image::kMain, ui::Image::kBox, ui::Image::kNoComment,
                                     ui::Image::kSettings};

void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kWindowClass;
  // A second window in the same process (the window tests) finds the class registered.
  RegisterClassW(&windowClass);
}

// 24-bit colour with masks, not 32-bit alpha: Wine's image list skips the overlay of an
// image that has alpha, and clips it to the image's own mask unless the tree hands it a
// solid background. Masked pictures draw their overlays whole on Windows and Wine alike.
// False when the list or one of its pictures could not be made; the window works on with
// what there is.
[[nodiscard]] bool LoadImageList(MainWindow& main) {
  main.images.reset(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, kImageCount, 0));
  const HIMAGELIST list = main.images.get();
  if (list == nullptr) return false;
  bool complete = true;
  for (int i = 0; i < kImageCount; ++i) {
    // A DIB section keeps the exact colours whatever the display's depth.
    const platform::win32::OwnedBitmap picture(
        static_cast<HBITMAP>(LoadImageW(main.instance, MAKEINTRESOURCEW(kFirstPictureResource + i),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    // Makes the mask and turns the clear pixels black, which masked drawing needs.
    if (ImageList_AddMasked(list, picture.get(), kClearColour) < 0) complete = false;
  }
  for (int overlay = 1; overlay <= 3; ++overlay) {
    ImageList_SetOverlayImage(list, ui::ImageIndex(ui::Image::kFirstOverlay) + overlay - 1,
                              overlay);
  }
  return complete;
}

// A group box paints only its frame and caption; the inside is erased with the button
// class's grey. Erasing it white keeps the page one white surface.
LRESULT CALLBACK WhiteGroupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR) {
  if (message == WM_ERASEBKGND) {
    RECT r{};
    GetClientRect(window, &r);
    FillRect(reinterpret_cast<HDC>(wParam), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return 1;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void CreatePageControls(MainWindow& main) {
  for (int i = 0; i < ui::kSlotCount; ++i) {
    const ControlSpec& c = kControls[i];
    const ui::Box box = ui::InitialControlBox(static_cast<Slot>(i));
    main.slots[i] = CreateWindowExW(
        c.edge ? WS_EX_CLIENTEDGE : 0, c.className, c.caption ? c.caption : L"", WS_CHILD | c.style,
        box.x, box.y, box.width, box.height, main.window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), main.instance, nullptr);
  }
  for (Slot group : {Slot::defaultFilesGroup, Slot::afterCreationGroup}) {
    SetWindowSubclass(main.slot(group), WhiteGroupBoxProc, 0, 0);
  }
  // Placeholders, so that a saved selection can be set before the UI text exists.
  for (int i = 0; i < kCompressionLevels; ++i) {
    SendMessageW(main.slot(Slot::compressionCombo), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(L"->"));
  }
  for (int i = 0; i < kRecoveryChoices; ++i) {
    SendMessageW(main.slot(Slot::recoveryCombo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"->"));
  }
}

void CreateTabControl(MainWindow& main) {
  const ui::Box box = ui::kTabControlBox;
  main.tabControl = CreateWindowExW(
      0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH | TCS_FORCEICONLEFT, box.x,
      box.y, box.width, box.height, main.window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabControlId)), main.instance, nullptr);
  SendMessageW(main.tabControl, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(main.images.get()));
  for (int tab = 0; tab < 4; ++tab) {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    item.iImage = ui::ImageIndex(kTabImages[tab]);
    SendMessageW(main.tabControl, TCM_INSERTITEMW, static_cast<WPARAM>(tab),
                 reinterpret_cast<LPARAM>(&item));
  }
}

void SetFonts(MainWindow& main) {
  const WPARAM gui = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(main.window, WM_SETFONT, gui, FALSE);
  SendMessageW(main.tabControl, WM_SETFONT, gui, FALSE);
  SendMessageW(main.statusBar, WM_SETFONT, gui, FALSE);
  for (HWND control : main.slots) SendMessageW(control, WM_SETFONT, gui, FALSE);

  main.fixedFont.reset(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                   OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                   FIXED_PITCH, L"Courier New"));
  const WPARAM fixed = reinterpret_cast<WPARAM>(main.fixedFont.get());
  SendMessageW(main.slot(Slot::commentEdit), WM_SETFONT, fixed, FALSE);
  SendMessageW(main.slot(Slot::detailsEdit), WM_SETFONT, fixed, FALSE);
}

}  // namespace

void TraceFailure(const wchar_t* what) {
  OutputDebugStringW((std::wstring(kProgramTitle) + L": " + what + L"\n").c_str());
}

MainWindow::~MainWindow() {
  if (window != nullptr && IsWindow(window)) DestroyWindow(window);
  if (state.controls == &controls) state.controls = nullptr;
  if (state.catalogueTree == &catalogueTree) state.catalogueTree = nullptr;
  if (state.packTree == &packTree) state.packTree = nullptr;
  if (state.contentTree == &contentTree) state.contentTree = nullptr;
}

bool CreateMainWindow(MainWindow& main, HINSTANCE instance) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES |
                                                    ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  main.instance = instance;
  RegisterWindowClass(instance);

  // No minimize or maximize box, so the caption shows the help button.
  main.window = CreateWindowExW(
      WS_EX_APPWINDOW | WS_EX_CONTEXTHELP, kWindowClass, kProgramTitle,
      WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 100, 100,
      ui::kCreateWindowWidth, ui::kCreateWindowHeight, nullptr, nullptr, instance, &main);
  if (main.window == nullptr) return false;
  main.state.controls = &main.controls;

  RECT client{};
  GetClientRect(main.window, &client);
  const int fixedWidth = ui::ComputeFrameGeometry(client.right, client.bottom, 0).fixedWindowWidth;
  // The status bar places and sizes itself at the bottom.
  main.statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                                   0, 0, fixedWidth, 0, main.window, nullptr, instance, nullptr);
  RECT status{};
  GetClientRect(main.statusBar, &status);
  const ui::FrameGeometry geometry =
      ui::ComputeFrameGeometry(client.right, client.bottom, status.bottom);
  main.state.frameBorder = geometry.frameBorder;
  main.state.fixedWindowWidth = geometry.fixedWindowWidth;
  main.state.minWindowHeight = geometry.minWindowHeight;

  CreatePageControls(main);
  main.catalogueTree.attach(main.slot(Slot::catalogueTree));
  main.packTree.attach(main.slot(Slot::packTree));
  main.contentTree.attach(main.slot(Slot::contentTree));
  main.state.catalogueTree = &main.catalogueTree;
  main.state.packTree = &main.packTree;
  main.state.contentTree = &main.contentTree;
  WireContentPage(main);
  WireMainPage(main);
  if (!LoadImageList(main)) TraceFailure(L"the image list could not be loaded");
  CreateTabControl(main);
  for (Slot tree : {Slot::catalogueTree, Slot::packTree, Slot::contentTree}) {
    SendMessageW(main.slot(tree), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(main.images.get()));
    SendMessageW(main.slot(tree), TVM_SETITEMHEIGHT, kTreeItemHeight, 0);
    // With no background colour of its own, Wine's tree draws images transparently and
    // shows an overlay only where the image under it is opaque.
    SendMessageW(main.slot(tree), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(RGB(255, 255, 255)));
  }
  SetFonts(main);
  for (int i = 0; i < ui::kSlotCount; ++i) {
    if (const int limit = ui::TextLimit(static_cast<Slot>(i)); limit > 0) {
      SendMessageW(main.slots[i], EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
    }
  }
  return true;
}

}  // namespace app
