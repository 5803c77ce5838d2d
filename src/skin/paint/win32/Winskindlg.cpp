// TSkinManage: the lists of skinners, take-over decisions and deferred actions.
#include "skin/paint/win32/Winskindlg.h"

#include <algorithm>

#include "skin/paint/core/TakeOverRules.h"
#include "skin/paint/win32/SkinEngineDebug.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/Timer.h"

namespace relayon::skin {

namespace {

TPopMenuFactory& PopMenuFactory() {
    static TPopMenuFactory factory;
    return factory;
}

std::wstring ClassOf(HWND h) {
    wchar_t buf[256] = {};
    int n = GetClassNameW(h, buf, 256);
    return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace

void SetPopMenuFactory(TPopMenuFactory factory) { PopMenuFactory() = std::move(factory); }

TSkinManage* Manager() { return dynamic_cast<TSkinManage*>(SkinManager); }

TSkinManage::TSkinManage(intptr_t amode) : Timer(std::make_unique<TTimer>(nullptr)) {
    Flist = &ownFlist_;
    Mlist = &ownMlist_;
    Dlist = &ownDlist_;
    Threadlist = &ownThreadlist_;
    listLock = &ownLock_;
    mode = amode == 0 ? 0 : reinterpret_cast<intptr_t>(ModuleInstance());
    Timer->SetEnabled(false);
    Timer->SetInterval(100);
    Timer->OnTimer = TNotifyEvent(this, &TSkinManage::OnTimer);
}

void TSkinManage::AddSkinData(TSkinData* adata) {
    if (!adata) return;
    std::lock_guard lock(*listLock);
    if (std::find(Dlist->begin(), Dlist->end(), adata) == Dlist->end()) Dlist->push_back(adata);
    if (!MainData && adata->SkinFormtype() == sfMainform) MainData = adata;
}

void TSkinManage::RemoveSkinData(TSkinData* adata) {
    {
        std::lock_guard lock(*listLock);
        Dlist->erase(std::remove(Dlist->begin(), Dlist->end(), adata), Dlist->end());
        // A component that is gone must not be reached by a pending action or
        // by the take-over rules afterwards.
        if (UpdateData == adata) {
            UpdateData = nullptr;
            Timer->SetEnabled(false);
        }
        if (MainData == adata) MainData = nullptr;
    }
    // Windows drawn with it are given back while its pictures still exist
    // (the component calls this from its destructor): a form skinner must
    // never paint from a skin that is gone.
    for (TWinSkinForm* sf : Forms()) {
        if (sf->fsd != adata) continue;
        sf->UnSubclass();
        FreeFormSkinner(sf, true);
    }
}

void TSkinManage::DeleteSysbtn() {
    for (TWinSkinForm* sf : Forms())
        if (sf->fsd == UpdateData) sf->DeleteSysbtn();
}

std::vector<TWinSkinForm*> TSkinManage::Forms() {
    std::lock_guard lock(*listLock);
    return *Flist;
}

TWinSkinForm* TSkinManage::FindSkinForm(HWND hwnd) {
    if (!hwnd) return nullptr;
    std::lock_guard lock(*listLock);
    for (TWinSkinForm* sf : *Flist)
        if (sf->Hwnd == hwnd && sf->Skinstate != 6) return sf;
    return nullptr;
}

TComponent* TSkinManage::FindTForm(HWND hwnd) {
    TWinControl* c = FindControl(hwnd);
    if (auto* f = dynamic_cast<TForm*>(c); f && f->HandleAllocated() && f->Handle() == hwnd) return f;
    return c;
}

bool TSkinManage::NestedForm(HWND hwnd) {
    LONG style = GetWindowLongW(hwnd, GWL_STYLE), ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
    if (!(style & WS_CHILD) || (ex & WS_EX_MDICHILD)) return false;
    return paint::LowerAscii(ClassOf(GetParent(hwnd))) != L"mdiclient";
}

bool TSkinManage::OnBeforeSkin(HWND ahwnd, const std::wstring& aname) {
    bool yes = paint::BeforeSkinRules(aname, static_cast<unsigned>(GetWindowLongW(ahwnd, GWL_STYLE)), MainData != nullptr,
                                      MainData && MainData->Options().Contains(xoPreview));
    if (yes && MainData) MainData->DoFormSkin(ahwnd, aname, yes);
    return yes;
}

void TSkinManage::FindSkindata(TSkinData*& adata, HWND hwnd) {
    std::vector<TSkinData*> list;
    {
        std::lock_guard lock(*listLock);
        list = *Dlist;
    }
    std::vector<paint::DataFacts> facts;
    for (TSkinData* d : list) {
        paint::DataFacts f;
        f.type = static_cast<paint::FormType>(d->SkinFormtype());
        auto* owner = dynamic_cast<TWinControl*>(d->Owner());
        f.ownerWindowIsThisWindow = owner && owner->HandleAllocated() && owner->Handle() == hwnd;
        facts.push_back(f);
    }
    auto i = paint::ChooseSkinData(facts, ClassOf(hwnd));
    adata = i ? list[*i] : nullptr;
}

bool TSkinManage::AddForm(HWND aHwnd) {
    if (!active || !aHwnd || !IsWindow(aHwnd)) return false;
    DeleteDeleted();
    paint::WindowFacts w;
    w.managerActive = active;
    w.hasFormSkinner = FindSkinForm(aHwnd) != nullptr;
    if (w.hasFormSkinner) return false;
    // Asked once: a window that answers is already someone's.
    w.answersSkinned = SendMessageW(aHwnd, CN_IsSkinned, 0, 0) == 1;
    TComponent* form = FindTForm(aHwnd);
    w.hasToolkitObject = form != nullptr;
    w.style = static_cast<unsigned>(GetWindowLongW(aHwnd, GWL_STYLE));
    w.childStyle = w.style & WS_CHILD;
    w.mdiChild = GetWindowLongW(aHwnd, GWL_EXSTYLE) & WS_EX_MDICHILD;
    w.parentClass = w.childStyle ? ClassOf(GetParent(aHwnd)) : L"";
    w.skinChildForms = skinchildform;
    w.className = ClassOf(aHwnd);
    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(aHwnd, GWLP_HINSTANCE));
    w.ownModule = inst == ModuleInstance();
    RECT r{};
    GetWindowRect(aHwnd, &r);
    w.width = r.right - r.left;
    w.height = r.bottom - r.top;
    w.tag = form ? static_cast<long long>(form->Tag()) : 0;
    w.hasMainData = MainData != nullptr;
    w.mainDataAllowsPreview = MainData && MainData->Options().Contains(xoPreview);
    if (paint::DecideTakeOver(w) != paint::TakeOverVerdict::Yes) return false;
    bool yes = true;
    if (MainData) MainData->DoFormSkin(aHwnd, w.className, yes);
    if (!yes) return false;
    TSkinData* data = nullptr;
    FindSkindata(data, aHwnd);
    if (!data || data->Empty) return false;

    auto* tform = dynamic_cast<TForm*>(form);
    auto* sf = new TWinSkinForm(tform);
    sf->Hwnd = aHwnd;
    sf->mode = mode;
    sf->formclass = w.className;
    if (tform) sf->InitTform(data, tform);
    else sf->InitDlg(data);
    {
        std::lock_guard lock(*listLock);
        Flist->push_back(sf);
    }
    PostMessageW(aHwnd, CN_SkinActive, 0, 1000);
    return true;
}

bool TSkinManage::ActiveForm(TForm* form) {
    if (!form || !form->HandleAllocated()) return false;
    HWND h = form->Handle();
    if (!IsWindowVisible(h) || (GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) return false;
    return AddForm(h);
}

void TSkinManage::RemoveFromList(TWinSkinForm* sf) {
    std::lock_guard lock(*listLock);
    Flist->erase(std::remove(Flist->begin(), Flist->end(), sf), Flist->end());
}

void TSkinManage::FreeFormSkinner(TWinSkinForm* sf, bool repaint) {
    RemoveFromList(sf);
    HWND h = sf->Hwnd;
    delete sf;
    if (repaint && h && IsWindow(h))
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool TSkinManage::DeleteForm(HWND aHwnd) {
    if (state == 4) return false;
    TWinSkinForm* sf = FindSkinForm(aHwnd);
    if (!sf || !sf->FForm) return false;
    sf->Skinstate = 4;
    sf->UnSubclass();
    FreeFormSkinner(sf, false);
    return true;
}

void TSkinManage::DeleteForm2(TWinSkinForm* sf) {
    if (state == 4) return;
    RemoveFromList(sf);
}

void TSkinManage::DeleteDeleted() {
    if (state == 4) return;
    std::vector<TWinSkinForm*> gone;
    {
        std::lock_guard lock(*listLock);
        for (size_t i = Flist->size(); i-- > 0;)
            if ((*Flist)[i]->Skinstate == 6 && (*Flist)[i]->mode == mode) gone.push_back((*Flist)[i]);
    }
    for (TWinSkinForm* sf : gone) FreeFormSkinner(sf, false);
}

void TSkinManage::DeleteForm3() {
    if (state == 4) return;
    std::vector<TWinSkinForm*> gone;
    {
        std::lock_guard lock(*listLock);
        for (size_t i = Flist->size(); i-- > 0;)
            if ((*Flist)[i]->Skinstate == 6) gone.push_back((*Flist)[i]);
    }
    for (TWinSkinForm* sf : gone) FreeFormSkinner(sf, false);
}

void TSkinManage::DeleteAllForms() {
    active = false;
    std::vector<TWinSkinForm*> mine;
    {
        std::lock_guard lock(*listLock);
        for (size_t i = Flist->size(); i-- > 0;)
            if ((*Flist)[i]->mode == mode) mine.push_back((*Flist)[i]);
        for (TWinSkinForm* sf : mine) Flist->erase(std::remove(Flist->begin(), Flist->end(), sf), Flist->end());
    }
    for (TWinSkinForm* sf : mine) {
        if (sf->Skinstate != 6) sf->UnSubclass3();
        delete sf;
    }
}

void TSkinManage::SetMDIMax(bool b) {
    if (MDIMax == b) return;
    MDIMax = b;
    if (MainData && MainData->Options().Contains(xoMDIChildBorder)) return;
    for (TWinSkinForm* sf : Forms()) {
        if (sf->FormStyle != sfsMDIChild || sf->Skinstate == 6) continue;
        if (b) {
            if (sf->crop) sf->Uncropwindow();
            sf->EnableSysbtn(true);
        } else if (IsIconic(sf->Hwnd)) {
            sf->EnableSysbtn(true);
        } else {
            // Back to normal through the MDI client, which keeps the
            // active child where it is (showing would activate it).
            if (IsZoomed(sf->Hwnd)) SendMessageW(GetParent(sf->Hwnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(sf->Hwnd), 0);
            sf->Windowstate = swsNormal;
            sf->Cropwindow();
            sf->EnableSysbtn(false);
            if (!sf->crop) sf->Refresh();
        }
    }
}

// ---- popup menus ----

void TSkinManage::AddMenu(HWND ahwnd) {
    if (!active || !ahwnd || FindSkinMenu(ahwnd)) return;
    if (SendMessageW(ahwnd, CN_IsSkinned, 0, 0) == 1) return;
    TSkinData* data = nullptr;
    FindSkindata(data, ahwnd);
    if (!data || data->Empty) return;
    TSkinControlTypes t = data->SkinControls();
    bool allowed = (menutype == 0 && t.Contains(xcPopupMenu)) ||
                   (menutype == 1 && (t.Contains(xcMainMenu) || t.Contains(xcMenuItem))) ||
                   (menutype == 2 && t.Contains(xcSystemMenu));
    if (!allowed || !PopMenuFactory()) return;
    std::unique_ptr<TWinSkinPopMenu> m = PopMenuFactory()();
    if (!m) return;
    m->hwnd = ahwnd;
    m->InitSkin(ahwnd, data);
    if (menuactive) m->ownerdraw = true;
    std::lock_guard lock(*listLock);
    Mlist->push_back(std::move(m));
}

bool TSkinManage::DeleteMenu(HWND hwnd) {
    std::unique_ptr<TWinSkinPopMenu> gone;
    {
        std::lock_guard lock(*listLock);
        for (auto it = Mlist->begin(); it != Mlist->end(); ++it) {
            if ((*it)->hwnd == hwnd) {
                gone = std::move(*it);
                Mlist->erase(it);
                break;
            }
        }
        if (Mlist->empty()) {
            menuactive = false;
            menutype = 0;
        }
    }
    if (gone) gone->Unsubclass();
    return gone != nullptr;
}

bool TSkinManage::FindSkinMenu(HWND hwnd) {
    std::lock_guard lock(*listLock);
    for (auto& m : *Mlist)
        if (m->hwnd == hwnd) return true;
    return false;
}

size_t TSkinManage::MenuCount() {
    std::lock_guard lock(*listLock);
    return Mlist->size();
}

void TSkinManage::SetPopMenu() {
    std::lock_guard lock(*listLock);
    for (auto& m : *Mlist) m->ownerdraw = true;
}

void TSkinManage::SetHMenu(HMENU hmenu) {
    std::lock_guard lock(*listLock);
    for (size_t i = Mlist->size(); i-- > 0;) {
        if (!(*Mlist)[i]->hmenu) {
            (*Mlist)[i]->hmenu = hmenu;
            return;
        }
    }
}

TBitmap* TSkinManage::GetMenuBg(HMENU amenu) {
    std::lock_guard lock(*listLock);
    for (auto& m : *Mlist)
        if (m->hmenu == amenu) return m->MenuBg();
    return nullptr;
}

}  // namespace relayon::skin
