#pragma once
// TSkinManage: the process-wide skin manager. It watches window creation,
// destruction and activation through a CBT hook on the thread that owns it
// (and on other threads on request), decides which top-level windows and
// popup-menu windows to take over, keeps one form skinner per taken-over
// window and one menu skinner per menu window, and runs the deferred actions
// the skin data components request from a one-shot timer:
//
//   code  action                              delay
//   1     install: take windows over again    250 ms (300 ms for attached managers)
//   2     uninstall: give every window back   250 ms
//   3     skin changed: reread and apply      250 ms
//   6     purge skinners of destroyed windows
//   7     re-skin one window (lpara)          250 ms
//
// A new request replaces a pending one and restarts the delay. Hooks of
// other threads edit the manager's lists only under listLock; every hook and
// timer callback catches all errors and leaves the window to the system.
//
// DLL mode: a module that carries its own copy of the engine calls
// SkinDll(host) with the host's manager; its own manager then shares the
// host's lists and takes over the module's windows with its own code.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "skin/data/win32/SkinManagerLink.h"
#include "skin/data/win32/Winskindata.h"
#include "toolkit/core/Object.h"

class TForm;
class TTimer;
class TBitmap;

namespace relayon::skin {

class TWinSkinForm;
class TSkinManage;

// A popup-menu window's skinner; the menu painter derives from it.
class TWinSkinPopMenu {
public:
    virtual ~TWinSkinPopMenu() = default;
    virtual void InitSkin(HWND ahwnd, TSkinData* afsd) = 0;
    virtual void Unsubclass() = 0;
    virtual TBitmap* MenuBg() { return nullptr; }
    HWND hwnd = nullptr;
    HMENU hmenu = nullptr;
    bool ownerdraw = false;
};
// Makes the menu skinners; none installed means menu windows stay the system's.
using TPopMenuFactory = std::function<std::unique_ptr<TWinSkinPopMenu>()>;
void SetPopMenuFactory(TPopMenuFactory factory);

class TSkinThread : public TObject {
public:
    HHOOK hook = nullptr;
    DWORD ThreadID = 0;
};

class TSkinManage : public TObject, public TSkinManagerLink {
public:
    // amode 0: the process's own manager; otherwise a DLL-mode manager for
    // the module instance amode (no lists of its own until AssignData).
    explicit TSkinManage(intptr_t amode = 0);
    ~TSkinManage() override;

    // TSkinManagerLink.
    void AddSkinData(TSkinData* adata) override;
    void RemoveSkinData(TSkinData* adata) override;
    void InstallHook() override;
    void SetAction(int acode, int Interval) override;
    void SetUpdateData(TSkinData* adata) override { UpdateData = adata; }
    void DeleteSysbtn() override;
    void AddForm(void* ahwnd) override { AddForm(static_cast<HWND>(ahwnd)); }
    bool Active() const override { return active; }
    void SetActive(bool value) override { active = value; }
    int State() const override { return state; }
    void SetState(int value) override { state = value; }

    void InstallThread(DWORD aThreadID);
    void UnInstallThread(DWORD aThreadID);

    bool AddForm(HWND aHwnd);
    bool ActiveForm(TForm* form);
    bool DeleteForm(HWND aHwnd);
    void DeleteForm2(TWinSkinForm* sf);
    void DeleteDeleted();
    void DeleteForm3();
    void DeleteAllForms();
    TWinSkinForm* FindSkinForm(HWND hwnd);
    // The form skinners in list order (a copy, safe to walk while the list changes).
    std::vector<TWinSkinForm*> Forms();

    void AddMenu(HWND ahwnd);
    bool DeleteMenu(HWND hwnd);
    bool FindSkinMenu(HWND hwnd);
    void SetPopMenu();
    void SetHMenu(HMENU hmenu);
    TBitmap* GetMenuBg(HMENU amenu);
    size_t MenuCount();

    void FindSkindata(TSkinData*& adata, HWND hwnd);
    bool OnBeforeSkin(HWND ahwnd, const std::wstring& aname);
    bool NestedForm(HWND hwnd);
    // The toolkit form of the window, else the toolkit control bound to it.
    TComponent* FindTForm(HWND hwnd);

    void SetMDIMax(bool b);

    // DLL mode.
    void AssignData(TSkinManage* host);
    void DeleteSub(TSkinManage* p);
    void DeleteSubForm(intptr_t amode);
    void DeleteAllSub();

    // The deferred-action tick (the timer's OnTimer).
    void OnTimer(TObject* Sender);
    bool ActionPending() const;

    // Fields.
    std::unique_ptr<TTimer> Timer;
    std::vector<TWinSkinForm*>* Flist = nullptr;
    std::vector<std::unique_ptr<TWinSkinPopMenu>>* Mlist = nullptr;
    std::vector<TSkinData*>* Dlist = nullptr;
    std::vector<std::unique_ptr<TSkinThread>>* Threadlist = nullptr;
    std::vector<TSkinManage*> sublist;
    bool active = false;
    bool skinchildform = false;
    int state = 0;
    int menutype = 0;
    bool menuactive = false;
    bool MDIMax = false;
    bool WMSetDraw = false;
    HWND clienthwnd = nullptr;
    TForm* MDIForm = nullptr;
    int action = 0;
    TSkinData* UpdateData = nullptr;
    TSkinData* MainData = nullptr;
    intptr_t mode = 0;
    HWND lpara = nullptr;
    TSkinManage* mmgr = nullptr;
    // Guards the list edits (other threads' hooks reach them too).
    std::recursive_mutex* listLock = nullptr;

private:
    void RunAction(TSkinData* d);
    void RunOnlyThisForm(TSkinData* d);
    void FreeFormSkinner(TWinSkinForm* sf, bool repaint);
    void RemoveFromList(TWinSkinForm* sf);
    static std::vector<TForm*> ThreadFormsForActions();
    std::vector<TWinSkinForm*> ownFlist_;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> ownMlist_;
    std::vector<TSkinData*> ownDlist_;
    std::vector<std::unique_ptr<TSkinThread>> ownThreadlist_;
    std::recursive_mutex ownLock_;
};

// The process's manager as its concrete class (null when none).
TSkinManage* Manager();
// Called once at start-up (main, tests): lets the first skin data component
// that loads create the manager, and sets the platform flags.
void InstallSkinEngine();
// DLL mode: the module's own manager, attached to the host's.
TSkinManage* SkinDll(TSkinManage* host);
// Frees the manager (process exit, tests).
void ShutdownSkinEngine();

// GetVersion() of the running system (high bit set on the 9x family), set
// by InstallSkinEngine and InstallHook.
extern DWORD WinVersion;

// The hook of the owning thread (for tests: whether one is installed).
bool OwnHookInstalled();

}  // namespace relayon::skin
