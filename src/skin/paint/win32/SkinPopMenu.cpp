// The popup-menu window skinner: border and background from the skin.
#include "skin/paint/win32/SkinPopMenu.h"

#include "skin/paint/core/MenuGeometry.h"
#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Bitmap.h"
#include "toolkit/ObjectInstance.h"

namespace relayon::skin {

namespace {
using paint::kMenuBorder;

// The 9x family keeps the high bit of the packed version.
bool NtFamily() { return WinVersion < 0x80000000u; }

RECT WindowBox(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    OffsetRect(&r, -r.left, -r.top);
    return r;
}
}  // namespace

TSkinPopMenuWindow::TSkinPopMenuWindow() : menuBg_(std::make_unique<TBitmap>()) {}

TSkinPopMenuWindow::~TSkinPopMenuWindow() { Unsubclass(); }

// The window procedure installed on the menu window. It lives apart from the
// skinner: when someone subclassed the window after us, our procedure stays
// in their chain after the skinner is gone and must then only pass on.
class TPopMenuRelay : public TObject {
public:
    TSkinPopMenuWindow* owner = nullptr;
    HWND hwnd = nullptr;
    WNDPROC prev = nullptr;
    void Proc(TMessage& m) {
        if (owner) return owner->WinWndProc(m);
        m.Result = CallWindowProcW(prev ? prev : DefWindowProcW, hwnd, m.Msg, m.WParam, m.LParam);
    }
};

void TSkinPopMenuWindow::InitSkin(HWND ahwnd, TSkinData* afsd) {
    if (FObjectInst || !ahwnd) return;
    hwnd = ahwnd;
    fsd = afsd;
    relay_ = new TPopMenuRelay;
    relay_->owner = this;
    relay_->hwnd = ahwnd;
    FObjectInst = MakeObjectInstance(TWndMethod(relay_, &TPopMenuRelay::Proc));
    FPrevWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    relay_->prev = FPrevWndProc;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInst));
    ownerdraw = false;
}

void TSkinPopMenuWindow::Unsubclass() {
    if (!FObjectInst) return;
    menuBg_ = std::make_unique<TBitmap>();
    const bool ours = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == FObjectInst;
    if (IsWindow(hwnd) && !ours) {
        // Still reachable through a later subclass: the relay stays (a few
        // bytes per such window) and only passes messages on from now.
        relay_->owner = nullptr;
    } else {
        if (ours) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevWndProc));
        FreeObjectInstance(FObjectInst);
        delete relay_;
    }
    relay_ = nullptr;
    FObjectInst = nullptr;
}

void TSkinPopMenuWindow::Default(TMessage& Message) {
    WNDPROC prev = FPrevWndProc ? FPrevWndProc : DefWindowProcW;
    Message.Result = CallWindowProcW(prev, hwnd, Message.Msg, Message.WParam, Message.LParam);
}

void TSkinPopMenuWindow::WinWndProc(TMessage& Message) {
    try {
        if (Message.Msg == CN_IsSkinned) {
            Message.Result = 1;
            return;
        }
        TSkinManage* mgr = Manager();
        if (!mgr || !mgr->active) return Default(Message);
        done = false;
        switch (Message.Msg) {
        case WM_DESTROY: {
            // The procedure to pass on to is gone once unsubclassed; keep it.
            WNDPROC prev = FPrevWndProc;
            Unsubclass();
            Message.Result = CallWindowProcW(prev ? prev : DefWindowProcW, hwnd, Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        case WM_ERASEBKGND:
            if (NtFamily()) WMERASEBKGND(Message);
            return;
        case WM_NCPAINT:
            return NcPaint(Message);
        case WM_PRINT: return WMPrint(Message);
        case WM_PAINT:
            Default(Message);
            return BorderOverClient();
        default: return Default(Message);
        }
    } catch (...) {
        // A fault in painting leaves the menu to the system.
        Default(Message);
    }
}

bool TSkinPopMenuWindow::HasBackground() const {
    return fsd && !fsd->Empty && fsd->MenuitemBG && fsd->MenuitemBG->Map && !fsd->MenuitemBG->Map->Empty();
}

bool TSkinPopMenuWindow::ComposeBackground() {
    if (!HasBackground()) return false;
    RECT r = WindowBox(hwnd);
    if (r.right <= 0 || r.bottom <= 0) return false;
    TDataSkinObject& bg = *fsd->MenuitemBG;
    const paint::SliceMargins m{bg.r.Left, bg.r.Top, bg.r.Right, bg.r.Bottom};
    menuBg_ = GetHMap(r, *bg.Map, m, 1, 1, bg.Tile != 0, false);
    return !menuBg_->Empty();
}

void TSkinPopMenuWindow::NcPaint(TMessage& Message) {
    // Whatever part the system asks for, the whole frame is repainted from
    // the skin: the background is one composed picture of the window.
    if (!ComposeBackground()) return Default(Message);
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return Default(Message);
    HDC src = menuBg_->Canvas().Handle();
    const int w = menuBg_->Width(), h = menuBg_->Height();
    // The border strips first: they are what the system would have drawn.
    BitBlt(dc, 0, 0, w, kMenuBorder, src, 0, 0, SRCCOPY);
    BitBlt(dc, 0, h - kMenuBorder, w, kMenuBorder, src, 0, h - kMenuBorder, SRCCOPY);
    BitBlt(dc, 0, 0, kMenuBorder, h, src, 0, 0, SRCCOPY);
    BitBlt(dc, w - kMenuBorder, 0, kMenuBorder, h, src, w - kMenuBorder, 0, SRCCOPY);
    // The inside only where the items do not paint themselves (the client
    // area is the items' own).
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    RECT win{};
    GetWindowRect(hwnd, &win);
    const int cx = origin.x - win.left, cy = origin.y - win.top;
    int saved = SaveDC(dc);
    ExcludeClipRect(dc, cx, cy, cx + client.right, cy + client.bottom);
    BitBlt(dc, 0, 0, w, h, src, 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    ReleaseDC(hwnd, dc);
    Message.Result = 0;
}

void TSkinPopMenuWindow::BorderOverClient() {
    // Some systems draw a menu's border inside its client area (the window
    // has no frame of its own); the skin's border goes over it after the
    // menu has painted.
    RECT client{}, win{};
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &win);
    if (client.right < win.right - win.left || client.bottom < win.bottom - win.top) return;
    if (!ComposeBackground()) return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    HDC src = menuBg_->Canvas().Handle();
    const int w = menuBg_->Width(), h = menuBg_->Height();
    BitBlt(dc, 0, 0, w, kMenuBorder, src, 0, 0, SRCCOPY);
    BitBlt(dc, 0, h - kMenuBorder, w, kMenuBorder, src, 0, h - kMenuBorder, SRCCOPY);
    BitBlt(dc, 0, 0, kMenuBorder, h, src, 0, 0, SRCCOPY);
    BitBlt(dc, w - kMenuBorder, 0, kMenuBorder, h, src, w - kMenuBorder, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
}

void TSkinPopMenuWindow::WMPrint(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (!dc || !ComposeBackground()) return Default(Message);
    const int w = menuBg_->Width(), h = menuBg_->Height();
    BitBlt(dc, 0, 0, w, h, menuBg_->Canvas().Handle(), 0, 0, SRCCOPY);
    int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    // The menu prints its items clipped inside the skinned border.
    IntersectClipRect(dc, kMenuBorder, kMenuBorder, w - kMenuBorder, h - kMenuBorder);
    Default(Message);
    RestoreDC(dc, saved);
}

void TSkinPopMenuWindow::WMERASEBKGND(TMessage& Message) {
    if (!(fsd && fsd->Options().Contains(xoMenuBG))) Default(Message);
    Message.Result = 1;
}

POINT TSkinPopMenuWindow::ClientOffset() const {
    POINT origin{0, 0};
    RECT win{};
    if (!IsWindow(hwnd) || !ClientToScreen(hwnd, &origin) || !GetWindowRect(hwnd, &win)) return POINT{kMenuBorder, kMenuBorder};
    return POINT{origin.x - win.left, origin.y - win.top};
}

TSkinPopMenuWindow* FindMenuSkinner(HMENU amenu) {
    TSkinManage* mgr = Manager();
    if (!mgr || !amenu || !mgr->Mlist) return nullptr;
    std::lock_guard lock(*mgr->listLock);
    for (auto& m : *mgr->Mlist)
        if (m->hmenu == amenu) return dynamic_cast<TSkinPopMenuWindow*>(m.get());
    return nullptr;
}

void InstallMenuSkinning() {
    SetPopMenuFactory([] { return std::make_unique<TSkinPopMenuWindow>(); });
}

}  // namespace relayon::skin
