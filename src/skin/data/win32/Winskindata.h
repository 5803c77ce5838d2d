#pragma once
// TSkinData: the component a form carries to be skinned. It owns one loaded
// skin (the skin-file bytes, the skin objects built from its description,
// the colour scheme) and the published settings that decide which windows
// and kinds of controls are skinned. The painters read everything they draw
// from it.
//
// Stored in form resources: Active, DisableTag, SkinControls (4 bytes),
// Options (2 bytes), Skin3rd, SkinFile, SkinStore, SkinFormtype, Version,
// MenuUpdate, MenuMerge, the events, and the skin as the binary SkinStream:
//
//   offset  size  content
//   0       4     length L of the skin file, little-endian signed
//   4       L     the skin file (compressed package); nothing when L is 0
//
// Problems inside a skin never raise: an unreadable package leaves the
// component empty, an unusable image leaves its element absent.
#include <windows.h>

#include <cstdint>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinDescription.h"
#include "skin/data/Skinread.h"
#include "skin/data/win32/MenuGlyphs.h"
#include "skin/data/win32/SkinManagerLink.h"
#include "toolkit/Bitmap.h"
#include "toolkit/GdiObject.h"
#include "toolkit/HintWindow.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"
#include "toolkit/core/Set.h"
#include "toolkit/core/Strings.h"

class TWinControl;

namespace relayon::skin {

class TSkinStore;

enum TSkinControlType {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress,
    xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab,
    xcTrackBar, xcSystemMenu, xcFastReport
};
using TSkinControlTypes = TSet<TSkinControlType>;
enum TSkinOption {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect, xoToolbarBK,
    xoToolbarButton, xoMDIChildBorder, xoMenuBG, xoCaptionButtonHint, xoFormScrollbar
};
using TSkinOptions = TSet<TSkinOption>;
enum TWinContainer {
    xccForm, xccFrame, xccToolbar, xccCoolbar, xccControlbar, xccPanel, xccScrollBox, xccGroupBox, xccTabSheet,
    xccPageScroller
};
using TWinContainers = TSet<TWinContainer>;
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

using TOnFormSkin = TMethod<void(TObject* Sender, const std::wstring& aName, bool& DoSkin)>;
using TOnSkinForm = TMethod<void(TObject* Sender, HWND ahwnd, const std::wstring& aName)>;
using TOnSkinControl = TMethod<void(TObject* Sender, TObject* SkinData, TObject* Form, TObject* Control,
                                    const std::wstring& ControlClass, TComponent*& SkinnedControl)>;
using TNotifyEvent = TMethod<void(TObject* Sender)>;

// One skinned element; the descendants add what their elements need.
class TDataSkinObject {
public:
    explicit TDataSkinObject(std::wstring id = L"");
    virtual ~TDataSkinObject() = default;
    TRect r;
    std::unique_ptr<TBitmap> Map;
    int32_t trans = 0, Tile = 0, frame = 0, style = 0;
    std::wstring IDName;
    int32_t Normalcolor = -1, Overcolor = -1, Downcolor = -1;
    TColor Normalcolor2 = clBtnText, Overcolor2 = clBtnText, Downcolor2 = clBtnText;
    // Takes the portable element's values and images.
    virtual void Assign(const SkinElement& e);
};
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::unique_ptr<TBitmap> MaskMap = std::make_unique<TBitmap>();
    void Assign(const SkinElement& e) override;
};
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t Aligment = 0, BackGround = 0, FontHeight = 14, backleft = 0, backright = 0;
    TColor activetext = clNone, inactivetext = clNone;
    void Assign(const SkinElement& e) override;
};
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::unique_ptr<TBitmap> CheckMap = std::make_unique<TBitmap>(), RadioMap = std::make_unique<TBitmap>();
    int32_t radioframe = 0, checkframe = 0;
    bool newnormal = false, newover = false, newdown = false;
    void Assign(const SkinElement& e) override;
};
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t Action = 0, Align = 0, XCoord = 0, YCoord = 0, CombineOp = -1, Visibility = 0, Visibility1 = 0;
    void Assign(const SkinElement& e) override;
};
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t LeftShift = 0, RightShift = 0, Alignment = 0;
    void Assign(const SkinElement& e) override;
};

using SkinObjectPtr = std::unique_ptr<TDataSkinObject>;

class TSkinData : public TComponent {
public:
    explicit TSkinData(TComponent* AOwner);
    ~TSkinData() override;

    // Published properties.
    bool Active() const { return factive; }
    void SetActive(bool value);
    int32_t DisableTag() const { return fdisableTag; }
    void SetDisableTag(int32_t v) { fdisableTag = v; }
    TSkinControlTypes SkinControls() const { return FSkinControls; }
    void SetSkinControls(TSkinControlTypes v) { FSkinControls = v; }
    TSkinOptions Options() const { return fSkinOptions; }
    void SetOptions(TSkinOptions v) { fSkinOptions = v; }
    TStrings& Skin3rd() { return f3rdControls; }
    void SetSkin3rd(const TStrings& v) { f3rdControls.Assign(v); }
    std::wstring SkinFile() const { return fskinfile; }
    void SetSkinFile(const std::wstring& v) { LoadFromFile(v); }
    std::wstring SkinStore() const { return L"(none)"; }
    void SetSkinStore(const std::wstring&) {}
    TSkinFormType SkinFormtype() const { return ftype; }
    void SetSkinFormtype(TSkinFormType v) { ftype = v; }
    std::wstring Version() const { return fversion; }
    void SetVersion(const std::wstring&) {}
    bool MenuUpdate() const { return fmenuauto; }
    void SetMenuUpdate(bool v) { fmenuauto = v; }
    bool MenuMerge() const { return fmenumerge; }
    void SetMenuMerge(bool v) { fmenumerge = v; }
    TOnFormSkin fOnFormSkin;
    TOnSkinForm fOnBeforeSkinForm, fOnAfterSkinForm;
    TNotifyEvent fOnSkinChanged;
    TOnSkinControl FOnSkinControl;

    // SkinStream: length word then the skin file (see the table above).
    std::vector<uint8_t> SkinStreamBytes() const;
    // Reads the length word and that many bytes; a positive length loads the skin.
    void ReadSkinStream(const std::vector<uint8_t>& bytes);

    // Loading.
    void LoadFromFile(const std::wstring& value);
    void LoadFromStream(const std::vector<uint8_t>& Stream);
    void LoadFromCollection(TSkinStore* astore, int aindex);
    bool LoadSkin();
    // Counts the skin loads of every skin data component of the process:
    // painters that keep composed pictures compare it to know when the skin
    // under them changed (a reload may refill the same bitmaps).
    static uint64_t LoadGeneration();
    // Builds the skin objects from a description (the portable loader's result).
    void LoadFromIni(const TQuickIni& ini, const TSkinReader& reader);
    void Readbmp(TBitmap& bmp, const std::string& fname, const TSkinReader& reader) const;

    void Loaded() override;
    void UpdateSkin();
    void Install();
    void Uninstall();

    // Operations on the manager and its form skinners; they live with the
    // manager (skin/paint/win32/SkinDataFormOps.cpp) because they reach the
    // form skinners, which this library does not know. Each does nothing
    // while there is no manager or no form skinner for the given form.
    void ChangeForm(TComponent* aform);
    void EnableSkin(bool b);
    void SkinForm(HWND ahwnd);
    void InstallThread(DWORD aThreadID);
    void UnInstallThread(DWORD aThreadID);
    void AddNestForm(TComponent* fParent, TComponent* fNested);
    void UpdateSkinControl(TComponent* fParent, TComponent* acontrol);
    void DeleteGraphicControl(TComponent* fParent, TComponent* acontrol);
    void UpdateMenu(TComponent* fParent);
    void UpdateMainMenu(bool done);

    void DoFormSkin(HWND ahwnd, const std::wstring& aname, bool& Doskin);
    void DoSkinChanged();
    TColor GetCaptionColor() const;
    bool GetPrecolor(TColor& acolor, int n) const;
    static std::wstring GetFileName(const std::wstring& s);
    void ChangeProperty(TComponent* control, const std::wstring& aprop, const std::wstring& value);
    void DoDebug(const std::wstring& s);
    // Fills SysIcon from the application window's small icon, else its big
    // one, scaled onto a magenta small-icon bitmap (magenta transparent);
    // without any icon SysIcon stays as it was.
    void GetAppIcon();
    void CreateCaptionFont();
    // Caption-button hints: shown only with xoCaptionButtonHint and when no
    // hint is showing, at most 500 pixels of text wide, placed at aRect's
    // top-left (screen coordinates).
    void ActivateHint(const RECT& aRect, const std::wstring& AHint);
    void HideHint();
    bool IsHint() const { return hashint; }
    // The system's scroll-bar information call when it exists, else false.
    bool GetScrollBarInfo(HWND hwnd, LONG idObject, SCROLLBARINFO& psbi) const;

    // State.
    std::vector<uint8_t> data;
    bool Empty = true;
    std::wstring SkinName;

    // Skin objects.
    std::unique_ptr<TDataSkinTitle> Title;
    std::unique_ptr<TDataSkinButton> Button;
    std::array<std::unique_ptr<TDataSkinBorder>, 4> border;
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysBtn;
    // One per optional element of the description, under the same name.
#define RELAYON_SKIN_DECLARE_OBJECT(name) SkinObjectPtr name;
    RELAYON_SKIN_OPTIONAL_ELEMENTS(RELAYON_SKIN_DECLARE_OBJECT)
#undef RELAYON_SKIN_DECLARE_OBJECT

    TShemeColors Colors{};
    std::array<bool, kShemeColorCount> hasColors{};
    std::vector<TColor> ColorPreset;
    std::array<TColor, 10> PresetColors{};
    GdiObject<HBRUSH> BGBrush;
    HFONT CaptionFont() const { return CaptionFont_.get(); }
    std::unique_ptr<TBitmap> SysIcon = std::make_unique<TBitmap>();
    bool MenuMsg = true;
    int cxMax = 0, cyMax = 0;
    HWND formhwnd = nullptr;
    int hintcount = 0;
    bool hashint = false;
    std::unique_ptr<THintWindow> fhintwindow = std::make_unique<THintWindow>();
    // The MDI menu-bar button glyphs (restore, maximise, minimise, close).
    TImageList bmpmenu{nullptr};
    TWinContainers FContainers;
    TStrings* DebugList = nullptr;

    // Every optional skin object with its field name, in the order of
    // SkinDescription::Optionals().
    std::vector<std::pair<const char*, SkinObjectPtr*>> SkinObjects();

private:
    bool factive = false;
    int32_t fdisableTag = 99;
    TSkinControlTypes FSkinControls;
    TSkinOptions fSkinOptions;
    TStrings f3rdControls;
    std::wstring fskinfile;
    TSkinFormType ftype = sfMainform;
    std::wstring fversion = L"5.60.03.29";
    bool fmenuauto = true, fmenumerge = false;
    GdiObject<HFONT> CaptionFont_;
    // The icon, size and picture SysIcon was last drawn with by GetAppIcon.
    struct DrawnAppIcon {
        HICON icon = nullptr;
        int width = 0, height = 0;
        PixelImage picture;
    } appIcon_;
    bool SysIconHoldsDrawnAppIcon() const;
};

// user32 entry points looked up by name at start-up; null where the system
// lacks them, and the features that need them are skipped.
extern BOOL(WINAPI* pGetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO);
extern BOOL(WINAPI* pTrackMouseEvent)(LPTRACKMOUSEEVENT);
extern BOOL(WINAPI* pGetComboBoxInfo)(HWND, PCOMBOBOXINFO);
extern void(WINAPI* pDisableProcessWindowsGhosting)();
// Code page of the 8-bit string helpers (0: the system's ANSI code page).
extern UINT DefaultUserCodePage;
// Platform flags read by the painters: the NT family, and a system whose
// major version is not 6. Set for the running system at start-up.
extern bool Win32PlatformIsUnicode;
extern bool IsVista;

// The toolkit control bound to a window (its control-object property), or
// null; null for a null window.
TWinControl* FindControlx(HWND hwnd);
// Asks for a WM_MOUSELEAVE when the pointer leaves the window.
void DoTrackMouse(HWND hwnd);
// 8-bit text to wide text and back through DefaultUserCodePage.
std::wstring StrToWideStr(const std::string& s);
std::string WideStringToStringEx(const std::wstring& w);
// Wide string from `p`: up to its terminator when n is -1, else n characters.
std::wstring _WStr(const wchar_t* p, int n);
// Draws wide text: with the wide call on a Unicode platform, else converted
// to the ANSI code page and drawn with the 8-bit call. Returns the text height.
int Tnt_DrawTextW(HDC dc, const std::wstring& text, RECT& rect, UINT format);

// The 118-line default of Skin3rd.
TStrings DefaultSkin3rd();
// Registers TSkinData and its types with the class registry (once).
void RegisterSkinDataClasses();

}  // namespace relayon::skin
