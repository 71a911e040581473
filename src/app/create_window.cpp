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
  DWORD style;  // besides WS_CHILD; every control starts hidden
  bool edge;    // WS_EX_CLIENTEDGE
  int id;
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

// In slot order. Controls that share an id share their action in the window procedure.
const ControlSpec kControls[ui::kSlotCount] = {
    {kEdit, kLineEdit, true, 0, nullptr},              // mainSearchEdit
    {kButton, BS_DEFPUSHBUTTON, false, 1, L"Go"},      // mainSearchButton
    {kTreeView, kTree, true, 2, nullptr},              // catalogueTree
    {kButton, kPush, false, 3, L"->"},                 // addButton
    {kButton, kPush, false, 4, nullptr},               // loadMapslistButton
    {kButton, kPush, false, 5, nullptr},               // saveMapslistButton
    {kTreeView, kTree, true, 6, nullptr},              // packTree
    {kButton, kPush, false, 7, L"<-"},                 // removeButton
    {kButton, kPush, false, 8, nullptr},               // refreshCatalogueButton
    {kButton, kPush, false, 9, nullptr},               // clearButton
    {kEdit, kLineEdit, true, 10, nullptr},             // archiveNameEdit
    {kButton, kPush, false, 11, nullptr},              // browseArchiveButton
    {kButton, BS_AUTORADIOBUTTON, false, 12, L"rar"},  // rarRadio
    {kButton, BS_AUTORADIOBUTTON, false, 12, L"zip"},  // zipRadio
    {kStatic, kLabel, false, 0, nullptr},              // compressionLabel
    {kCombo, kDropList, false, 15, nullptr},           // compressionCombo
    {kStatic, kLabel, false, 0, nullptr},              // recoveryLabel
    {kCombo, kDropList, false, 17, nullptr},           // recoveryCombo
    {kButton, kCheck, false, 18, nullptr},             // solidCheck
    {kButton, kPush, false, 19, nullptr},              // packButton
    {kEdit, kLineEdit, true, 20, nullptr},             // contentSearchEdit
    {kButton, kPush, false, 21, L"Go"},                // contentSearchButton
    {kTreeView, kTree, true, 22, nullptr},             // contentTree
    {kButton, kPush, false, 23, nullptr},              // showLogButton
    {kEdit, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY, true, 24,
     nullptr},                                    // detailsEdit
    {kButton, kCheck, false, 25, nullptr},        // fitImageCheck
    {kStatic, SS_OWNERDRAW, false, 26, nullptr},  // previewBox
    {kButton, kPush, false, 27, nullptr},         // refreshContentButton
    {kButton, kCheck, false, 28, nullptr},        // addCommentCheck
    {kButton, kPush, false, 29, nullptr},         // loadTemplateButton
    {kButton, kCheck, false, 30, nullptr},        // useFileCheck
    {kButton, kPush, false, 31, nullptr},         // browseCommentFileButton
    {kEdit, kLineEdit, true, 32, nullptr},        // commentFileEdit
    {kEdit, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, true, 32, nullptr},  // commentEdit
    {kStatic, kLabel, false, 0, nullptr},                                    // soldatPathLabel
    {kEdit, kLineEdit, true, 35, nullptr},                                   // soldatPathEdit
    {kButton, kPush, false, 36, nullptr},                                    // browseSoldatButton
    {kStatic, kLabel, false, 0, nullptr},                                    // polyWorksPathLabel
    {kEdit, kLineEdit, true, 35, nullptr},                                   // polyWorksPathEdit
    {kButton, kPush, false, 39, nullptr},                // browsePolyWorksButton
    {kStatic, kLabel, false, 0, nullptr},                // winRarPathLabel
    {kEdit, kLineEdit, true, 35, nullptr},               // winRarPathEdit
    {kButton, kPush, false, 42, nullptr},                // browseWinRarButton
    {kStatic, kLabel, false, 0, nullptr},                // tempFolderLabel
    {kEdit, WS_DISABLED | kLineEdit, true, 0, nullptr},  // tempFolderEdit
    {kStatic, kLabel, false, 0, nullptr},                // defaultFolderLabel
    {kEdit, kLineEdit, true, 35, nullptr},               // defaultFolderEdit
    {kButton, kPush, false, 47, nullptr},                // browseDefaultFolderButton
    {kStatic, kLabel, false, 0, nullptr},                // templatePathLabel
    {kEdit, kLineEdit, true, 35, nullptr},               // templatePathEdit
    {kButton, kPush, false, 50, nullptr},                // browseTemplateButton
    {kButton, kCheck, false, 51, nullptr},               // autoloadTemplateCheck
    {kButton, BS_GROUPBOX, false, 0, nullptr},           // defaultFilesGroup
    {kButton, kCheck, false, 53, nullptr},               // skipAllCheck
    {kButton, kCheck, false, 54, nullptr},               // skipMapsCheck
    {kButton, kCheck, false, 54, nullptr},               // skipSceneriesCheck
    {kButton, kCheck, false, 54, nullptr},               // skipTexturesCheck
    {kButton, kCheck, false, 51, nullptr},               // skipMapslistCheck
    {kButton, BS_GROUPBOX, false, 0, nullptr},           // afterCreationGroup
    {kButton, kCheck, false, 51, nullptr},               // testArchiveCheck
    {kButton, kCheck, false, 51, nullptr},               // lockArchiveCheck
    {kButton, kCheck, false, 51, nullptr},               // exploreCheck
    {kStatic, kLabel, false, 0, nullptr},                // languageLabel
    {kCombo, kDropList, false, 63, nullptr},             // languageCombo
    {kButton, kPush, false, 64, nullptr},                // applyButton
};

struct TextLimit {
  Slot slot;
  int characters;
};
constexpr TextLimit kTextLimits[] = {
    {Slot::mainSearchEdit, 50},   {Slot::archiveNameEdit, 260},   {Slot::contentSearchEdit, 50},
    {Slot::commentFileEdit, 260}, {Slot::soldatPathEdit, 195},    {Slot::polyWorksPathEdit, 195},
    {Slot::winRarPathEdit, 260},  {Slot::defaultFolderEdit, 210}, {Slot::templatePathEdit, 260},
};

constexpr int kCompressionLevels = 6;
constexpr int kRecoveryChoices = 11;
constexpr int kTabImages[4] = {kImageMain, kImageBox, kImageNoComment, kImageSettings};

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
    ImageList_SetOverlayImage(list, kFirstOverlayImage + overlay - 1, overlay);
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
    item.iImage = kTabImages[tab];
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
  for (const TextLimit& limit : kTextLimits) {
    SendMessageW(main.slot(limit.slot), EM_SETLIMITTEXT, static_cast<WPARAM>(limit.characters), 0);
  }
  return true;
}

}  // namespace app
