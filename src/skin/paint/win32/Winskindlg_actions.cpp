// TSkinManage: the window hooks, the deferred actions, DLL mode, start-up
// and destruction.
#include <algorithm>

#include "skin/paint/core/TakeOverRules.h"
#include "skin/paint/win32/SkinPopMenu.h"
#include "skin/paint/win32/SkinEngineDebug.h"
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Form.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/Timer.h"

namespace relayon::skin {

DWORD WinVersion = 0;

namespace {

HHOOK gOwnHook = nullptr;
DWORD gOwnHookThread = 0;
bool gHooksOff = false;

std::wstring ClassOf(HWND h) {
    wchar_t buf[256] = {};
    int n = GetClassNameW(h, buf, 256);
    return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

void ReportHookFault(const char* what) {
    TSkinManage* m = Manager();
    EngineDebug(m ? m->MainData : nullptr, L"window hook: " + WideFromAnsi(what));
}

void OnActivation(TSkinManage* m, HWND h) {
    if (m->state == 0) m->state = 1;
    m->AddForm(h);
}

// The hook of the thread that owns the manager.
LRESULT CALLBACK OwnThreadHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && !gHooksOff) {
        try {
            if (TSkinManage* m = Manager()) {
                HWND h = reinterpret_cast<HWND>(wParam);
                switch (code) {
                case HCBT_CREATEWND: {
                    const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
                    std::wstring cls = ClassOf(h);
                    bool child = cs->style & WS_CHILD;
                    if (paint::LowerAscii(cls) == L"scrollbar" && (cs->style & 0x10)) {
                        if (TWinSkinForm* sf = m->FindSkinForm(cs->hwndParent)) sf->AddControlh(h);
                    } else if (!child && cls == L"#32768" && !m->mmgr) {
                        m->AddMenu(h);
                    } else if (cs->dwExStyle & WS_EX_MDICHILD) {
                        m->AddForm(h);
                    }
                    break;
                }
                case HCBT_DESTROYWND: m->DeleteMenu(h); break;
                case HCBT_ACTIVATE: OnActivation(m, h); break;
                default: break;
                }
            }
        } catch (const std::exception& e) {
            ReportHookFault(e.what());
        } catch (...) {
            ReportHookFault("unknown error");
        }
    }
    return CallNextHookEx(gOwnHook, code, wParam, lParam);
}

// The hook of another thread: it runs on that thread; the manager's lists
// are reached only through its locked operations.
LRESULT CALLBACK OtherThreadHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && !gHooksOff) {
        try {
            if (TSkinManage* m = Manager()) {
                HWND h = reinterpret_cast<HWND>(wParam);
                switch (code) {
                case HCBT_CREATEWND:
                    if (ClassOf(h) == L"#32768") m->AddMenu(h);
                    break;
                case HCBT_DESTROYWND:
                    m->DeleteMenu(h);
                    m->DeleteForm(h);
                    break;
                case HCBT_ACTIVATE: OnActivation(m, h); break;
                default: break;
                }
            }
        } catch (const std::exception& e) {
            ReportHookFault(e.what());
        } catch (...) {
            ReportHookFault("unknown error");
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RemoveOwnHook() {
    if (gOwnHook) UnhookWindowsHookEx(gOwnHook);
    gOwnHook = nullptr;
    gOwnHookThread = 0;
}

}  // namespace

bool OwnHookInstalled() { return gOwnHook != nullptr; }

void TSkinManage::InstallHook() {
    WinVersion = GetVersion();
    if (gOwnHook && gOwnHookThread == GetCurrentThreadId()) return;
    RemoveOwnHook();
    gHooksOff = false;
    gOwnHook = SetWindowsHookExW(WH_CBT, OwnThreadHook, nullptr, GetCurrentThreadId());
    gOwnHookThread = gOwnHook ? GetCurrentThreadId() : 0;
}

void TSkinManage::InstallThread(DWORD aThreadID) {
    std::lock_guard lock(*listLock);
    for (auto& t : *Threadlist)
        if (t->ThreadID == aThreadID) return;
    auto t = std::make_unique<TSkinThread>();
    t->ThreadID = aThreadID;
    t->hook = SetWindowsHookExW(WH_CBT, OtherThreadHook, nullptr, aThreadID);
    if (t->hook) Threadlist->push_back(std::move(t));
}

void TSkinManage::UnInstallThread(DWORD aThreadID) {
    std::lock_guard lock(*listLock);
    for (auto it = Threadlist->begin(); it != Threadlist->end(); ++it) {
        if ((*it)->ThreadID == aThreadID) {
            UnhookWindowsHookEx((*it)->hook);
            Threadlist->erase(it);
            return;
        }
    }
}

// ---- deferred actions ----

void TSkinManage::SetAction(int acode, int Interval) {
    action = acode;
    Timer->SetInterval(static_cast<unsigned>(Interval));
    if (state == 0) {
        if (acode == 1) active = true;
        else if (acode == 2) active = false;
        return;
    }
    if (mode == 0) {
        for (TSkinManage* sub : sublist) {
            sub->UpdateData = UpdateData;
            if (acode == 1) {
                sub->active = true;
                sub->SetAction(1, 300);
            } else if (acode == 2) {
                sub->active = false;
            }
        }
    }
    // Off and on again: a request replaces the pending one and its delay.
    Timer->SetEnabled(false);
    Timer->SetEnabled(true);
}

bool TSkinManage::ActionPending() const { return Timer->Enabled(); }

void TSkinManage::OnTimer(TObject*) {
    try {
        Timer->SetEnabled(false);
        TSkinData* d = UpdateData;
        if (!d) return;
        if (d->SkinFormtype() == sfOnlyThisForm) {
            RunOnlyThisForm(d);
        } else {
            if (action == 7) {
                HWND h = lpara;
                if (TWinSkinForm* sf = FindSkinForm(h)) {
                    sf->UnSubclass();
                    sf->Skinstate = 6;
                    DeleteDeleted();
                }
                AddForm(h);
                return;
            }
            RunAction(d);
        }
        d->DoSkinChanged();
        UpdateData = nullptr;
    } catch (const std::exception& e) {
        EngineDebug(UpdateData, L"deferred action: " + WideFromAnsi(e.what()));
    } catch (...) {
        EngineDebug(UpdateData, L"deferred action: unknown error");
    }
}

void TSkinManage::RunOnlyThisForm(TSkinData* d) {
    auto* owner = dynamic_cast<TForm*>(d->Owner());
    switch (action) {
    case 1:
        active = true;
        if (skinchildform && owner) ActiveForm(owner);
        break;
    case 2: {
        active = false;
        DeleteDeleted();
        std::vector<TWinSkinForm*> list = Forms();
        for (size_t i = list.size(); i-- > 0;) {
            if (list[i]->fsd == d) {
                list[i]->UnSubclass();
                FreeFormSkinner(list[i], true);
                break;
            }
        }
        break;
    }
    case 3:
        DeleteDeleted();
        for (TWinSkinForm* sf : Forms()) {
            if (sf->fsd == d) {
                sf->DeleteSysbtn();
                sf->InitSkinData();
                sf->SkinChange();
                break;
            }
        }
        break;
    case 6: DeleteForm3(); break;
    default: break;
    }
}

void TSkinManage::RunAction(TSkinData* d) {
    switch (action) {
    case 1: {
        active = true;
        WMSetDraw = false;
        DeleteDeleted();
        if (skinchildform) {
            std::vector<TForm*> forms = ThreadFormsForActions();
            for (size_t i = forms.size(); i-- > 0;) ActiveForm(forms[i]);
        }
        // The window the operator is using is taken over now, not at its
        // next activation.
        if (HWND h = GetActiveWindow()) AddForm(h);
        for (TSkinManage* sub : sublist) {
            sub->UpdateData = UpdateData;
            sub->active = true;
            sub->SetAction(1, 300);
        }
        break;
    }
    case 2:
        active = false;
        DeleteDeleted();
        for (TWinSkinForm* sf : Forms()) {
            if (sf->Skinstate != 6) sf->UnSubclass();
            FreeFormSkinner(sf, true);
        }
        for (TSkinManage* sub : sublist) sub->active = false;
        break;
    case 3: {
        DeleteDeleted();
        std::vector<TWinSkinForm*> list = Forms();
        for (TWinSkinForm* sf : list)
            if (sf->fsd == d) {
                sf->DeleteSysbtn();
                sf->InitSkinData();
            }
        for (TWinSkinForm* sf : list)
            if (sf->fsd == d) sf->SkinChange();
        break;
    }
    case 6: DeleteForm3(); break;
    default: break;
    }
}

std::vector<TForm*> TSkinManage::ThreadFormsForActions() {
    std::vector<TForm*> forms;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM p) -> BOOL {
            if (auto* f = dynamic_cast<TForm*>(FindControl(h))) reinterpret_cast<std::vector<TForm*>*>(p)->push_back(f);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&forms));
    return forms;
}

// ---- DLL mode ----

void TSkinManage::AssignData(TSkinManage* host) {
    if (host) {
        Flist = host->Flist;
        Mlist = host->Mlist;
        Dlist = host->Dlist;
        Threadlist = host->Threadlist;
        listLock = host->listLock;
        MainData = host->MainData;
        mmgr = host;
        state = 1;
        active = host->active;
        host->sublist.push_back(this);
        return;
    }
    Flist = &ownFlist_;
    Mlist = &ownMlist_;
    Dlist = &ownDlist_;
    Threadlist = &ownThreadlist_;
    listLock = &ownLock_;
    MainData = nullptr;
    active = false;
    mmgr = nullptr;
    state = 4;
    RemoveOwnHook();
}

void TSkinManage::DeleteSub(TSkinManage* p) { sublist.erase(std::remove(sublist.begin(), sublist.end(), p), sublist.end()); }

void TSkinManage::DeleteSubForm(intptr_t amode) {
    std::vector<TWinSkinForm*> mine;
    {
        std::lock_guard lock(*listLock);
        for (TWinSkinForm* sf : *Flist)
            if (sf->mode == amode) mine.push_back(sf);
        for (TWinSkinForm* sf : mine) Flist->erase(std::remove(Flist->begin(), Flist->end(), sf), Flist->end());
    }
    for (TWinSkinForm* sf : mine) {
        TForm* form = sf->FForm;
        if (sf->Skinstate != 6) sf->UnSubclass3();
        delete sf;
        delete form;
    }
}

void TSkinManage::DeleteAllSub() {
    std::vector<TSkinManage*> subs = sublist;
    for (TSkinManage* sub : subs) sub->AssignData(nullptr);
    sublist.clear();
}

TSkinManage::~TSkinManage() {
    state = 4;
    active = false;
    Timer.reset();
    if (mode == 0 || !mmgr) {
        for (auto& t : *Threadlist) UnhookWindowsHookEx(t->hook);
        Threadlist->clear();
        bool any = !sublist.empty() || !Flist->empty();
        // DeleteAllForms runs with state 4 so that the skinners' own
        // removal does not touch the list being emptied.
        if (any) {
            std::vector<TWinSkinForm*> list;
            {
                std::lock_guard lock(*listLock);
                list.swap(*Flist);
            }
            for (TWinSkinForm* sf : list) {
                if (sf->Skinstate != 6) sf->UnSubclass3();
                delete sf;
            }
        }
        std::vector<std::unique_ptr<TWinSkinPopMenu>> menus;
        {
            std::lock_guard lock(*listLock);
            menus.swap(*Mlist);
        }
        for (auto& m : menus) m->Unsubclass();
        Dlist->clear();
        DeleteAllSub();
    } else {
        mmgr->DeleteSub(this);
        int keep = state;
        state = 1;
        DeleteSubForm(mode);
        state = keep;
    }
    if (SkinManager == this) SkinManager = nullptr;
    RemoveOwnHook();
    gHooksOff = true;
}

// ---- start-up ----

TSkinManage* SkinDll(TSkinManage* host) {
    if (!host) return nullptr;
    if (!SkinManager) SkinManager = new TSkinManage(1);
    TSkinManage* m = Manager();
    if (!m) return nullptr;
    m->AssignData(host);
    m->InstallHook();
    m->state++;
    return m;
}

void InstallSkinEngine() {
    WinVersion = GetVersion();
    CreateSharedBG();
    InstallMenuSkinning();
    CreateSkinManager = [] () -> TSkinManagerLink* {
        gHooksOff = false;
        return new TSkinManage(0);
    };
}

void ShutdownSkinEngine() {
    TSkinManagerLink* m = SkinManager;
    SkinManager = nullptr;
    delete m;
    FreeSharedBG();
}

}  // namespace relayon::skin
