#pragma once
// TSkinControl: the base of every control skinner. A skinner sits in front of
// one control's messages (through the toolkit control's WindowProc, or a
// window-procedure thunk for a window the toolkit does not own), lets the
// control keep its behaviour and replaces its painting with pictures from the
// skin. Subclasses override the virtual steps:
//
//   NewWndProc(m):  CN_SkinControlEnable -> skinned := wParam > 0 (not passed on)
//                   not skinned          -> Default(m)
//                   BeforeProc(m) true   -> Default(m), AfterProc(m)
//                   BeforeProc(m) false  -> the skinner answered m itself
//
// A skinner is owned by the toolkit control it skins (freed with it) or, for a
// window known only by its handle, by the form skinner; either way it sits in
// the form skinner's Controllist while it lives. Nothing raised while drawing
// leaves PaintControl or the window procedure.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "skin/data/win32/Winskindata.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "toolkit/Canvas.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/Set.h"

class TControl;
class TWinControl;
class TGraphicControl;
class TBitmap;

namespace relayon::skin {

class TWinSkinForm;

// Turns a control's skinner on (wParam > 0, then repaints) or off (wParam <= 0).
constexpr UINT CN_SkinControlEnable = 0x3506;
// Tag that makes button-like skinners paint the parent's background under the control.
constexpr intptr_t kParentBackgroundTag = 5555;

enum TSkinControlState { scMouseIn, scDown };
using TSkinControlStates = TSet<TSkinControlState>;

class TSkinControl : public TComponent {
public:
    explicit TSkinControl(TComponent* AOwner);
    ~TSkinControl() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Takes over a toolkit control (the owner), once: hooks its WindowProc,
    // registers with `sf`, and with `acolor` replaces its Color by csButtonFace.
    virtual void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor);
    // Takes over a window known only by its handle: subclasses it with a thunk.
    virtual void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TWinSkinForm* sf);
    // Skin switched off for this control: once; restores the saved colour.
    virtual void Unsubclass();
    // True: pass the message on and run AfterProc; false: handled here.
    virtual bool BeforeProc(TMessage& Message);
    virtual void AfterProc(TMessage& Message);
    // Paints the control into adc, or into its window DC when adc is null.
    virtual void PaintControl(HDC adc);
    // Draws the whole control into dc; rc is the zero-based window rectangle.
    virtual void DrawControl(HDC dc, const RECT& rc);
    virtual void SkinChange();
    virtual int GetState();

    void NewWndProc(TMessage& Message);
    // Passes the message to the control's own handling and keeps its result.
    void Default(TMessage& Message);
    void MouseLeave();
    // Repaint now: a graphic control repaints itself, a window is
    // invalidated (erasing) and updated.
    void Invalidate();
    // The control's own window procedure, for skinners that pass messages
    // around the pipeline.
    void CallDefault(TMessage& Message) { Default(Message); }

    // Painting helpers.
    void WMPaint(TMessage& Message);
    void WMERASEBKGND(TMessage& Message);
    void FillBG(HDC dc, const RECT& rc);
    void FillParentBG(HDC dc, const RECT& rc);
    TColor GetParentColor(TColor acolor);
    void DrawFocus(HDC dc, const std::wstring& text, const RECT& rc, UINT flags);
    void DrawCaption(TCanvas& acanvas, const RECT& rc, const std::wstring& text, bool benabled, bool defaulted,
                     UINT Alignment);
    void DrawImgCaption(TCanvas& acanvas, const RECT& rc, HIMAGELIST ImgList, int imgIndex, const std::wstring& text,
                        int talign);
    // Nine-slice of aObject's bitmap by its margins r, frame I of N.
    void DrawSkinMap(HDC dc, const RECT& rc, TDataSkinObject* aObject, int I, int N);
    // The same into the shared BG bitmap at its origin, over csButtonFace.
    void DrawSkin(const RECT& rc, TDataSkinObject* aObject, int I, int N, bool trans);
    void DrawBMPSkin(TBitmap& abmp, const RECT& rc, TDataSkinObject* aObject, int I, int N, bool trans);
    // Frame I of N side-by-side frames stretched into rc, magenta left out.
    void DrawSkinMap1(HDC dc, const RECT& rc, TBitmap& bmp, int I, int N);
    void DrawSkinMap2(HDC dc, const RECT& rc, TBitmap& bmp, int I, int N);
    void DrawSkinMap3(TCanvas& acanvas, const RECT& rc, TBitmap& bmp, int I, int N);
    // Copies BG from its origin into rc.
    void DrawBuf(HDC dc, const RECT& rc);
    int TextHeight(HDC dc, const std::wstring& s);
    // Adds DT_RTLREADING for a right-to-left control.
    UINT CheckBiDi(UINT dw);

    // Fields.
    TSkinControlStates state;
    TCanvas* fCanvas = nullptr;
    bool done = false, isdraw = false;
    bool enabled = true, focused = false;
    std::wstring caption;
    WNDPROC FObjectInst = nullptr;
    WNDPROC FPrevWndProc = nullptr;
    bool skinned = true;
    bool isunicode = false;
    TSkinData* fsd = nullptr;
    HWND hwnd = nullptr;
    TWndMethod OldWndProc;
    TWinControl* control = nullptr;
    RECT boundsrect{};
    TGraphicControl* GControl = nullptr;
    bool newColor = false;
    TColor oldcolor = clNone;
    bool Inited = false;
    int skinstate = 0;
    TWinSkinForm* skinform = nullptr;
    int kind = 0;
    bool sizing = false, parentbk = false;

protected:
    // Hooks a toolkit control's WindowProc (used by Init and by skinners of
    // windowless controls); UnhookControl undoes it.
    void HookControl(TControl* c);
    void UnhookControl();
    // Registers with the form skinner's list.
    void Register(TWinSkinForm* sf);
    // The control's window is gone or being destroyed.
    bool WindowGone() const { return skinstate == 6; }

private:
    void WindowProcThunk(TMessage& Message);
    void RecoverFromFault(TMessage& Message, const char* what);
    TControl* hooked_ = nullptr;
    bool passedOn_ = false;
};

// The control a skinner skins, as a toolkit object (windowed or graphic), or null.
TControl* SkinnedObject(const TSkinControl& c);

// Published properties by name on any component; a missing property yields
// an empty value (-1 for GetIntProperty).
std::wstring GetProperty(TObject* obj, const std::wstring& name);
int64_t GetIntProperty(TObject* obj, const std::wstring& name);
std::wstring GetEnumProperty(TObject* obj, const std::wstring& name);
std::wstring GetStringProp(TObject* obj, const std::wstring& name);
TObject* GetObjProp(TObject* obj, const std::wstring& name);
// Whether the component publishes a handler (method) property of that name that is assigned.
bool GetObjMethod(TObject* obj, const std::wstring& name);
// Integer from decimal text, enumeration by name, Boolean "True"/"False",
// strings; false when the property is missing or refuses the value.
bool SetProperty(TObject* obj, const std::wstring& name, const std::wstring& value);

// Free drawing helpers.
void CopyBMP(TBitmap& src, TBitmap& dst);
void FillColor(HDC dc, const RECT& rc, TColor acolor);
void MyDrawCaption(TCanvas& acanvas, const RECT& rc, const std::wstring& text, UINT alignment, bool benabled);
void MyDrawImgCaption(TCanvas& acanvas, const RECT& rc, HIMAGELIST ImgList, int imgIndex, const std::wstring& text,
                      UINT alignment, bool benabled);
void DrawArrow(TCanvas& acanvas, int x, int y, int type);
// A disabled-looking copy of a glyph (embossed in highlight and shadow).
void GetDisableImg(TBitmap& bmp);
std::wstring StringReplaceW(const std::wstring& s, const std::wstring& from, const std::wstring& to);
// Paints the parent's background and content under `control` into dc
// (whose origin is the control's top-left).
void DrawParentImage(TControl* control, HDC dc);
// The scheme colour of the skin data, or the system colour it stands for.
TColor SchemeColor(TSkinData* sd, TShemeColor which);

}  // namespace relayon::skin
