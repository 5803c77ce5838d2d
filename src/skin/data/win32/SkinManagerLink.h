#pragma once
// What a skin data component asks of the process-wide skin manager. The
// manager implements this; until one exists the global is null and the
// components do everything up to registering with it.
namespace relayon::skin {

class TSkinData;

class TSkinManagerLink {
public:
    virtual ~TSkinManagerLink() = default;
    virtual void AddSkinData(TSkinData* adata) = 0;
    virtual void RemoveSkinData(TSkinData* adata) = 0;
    virtual void InstallHook() = 0;
    // Deferred action `acode` (1 install, 2 uninstall, 3 skin changed, 7 re-skin one window).
    virtual void SetAction(int acode, int interval) = 0;
    virtual void SetUpdateData(TSkinData* adata) = 0;
    virtual void DeleteSysbtn() = 0;
    virtual void AddForm(void* ahwnd) = 0;
    virtual bool Active() const = 0;
    virtual void SetActive(bool value) = 0;
    virtual int State() const = 0;
    virtual void SetState(int value) = 0;
};

// The manager, once one exists (created by the first component that loads).
extern TSkinManagerLink* SkinManager;
// Creates the manager when there is none; set by the manager's unit.
extern TSkinManagerLink* (*CreateSkinManager)();

}  // namespace relayon::skin
