// The skin data component's operations that reach the manager and its form
// skinners. Each does nothing while there is no manager or no form skinner
// for the form it names.
#include "skin/paint/win32/Winskindlg.h"
#include "skin/paint/win32/SkinMenuBar.h"
#include "skin/paint/win32/SkinMenuItems.h"
#include "skin/paint/win32/Winskinform.h"
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"

namespace relayon::skin {

namespace {
TWinSkinForm* SkinnerOf(TComponent* aform) {
    auto* form = dynamic_cast<TWinControl*>(aform);
    TSkinManage* m = Manager();
    if (!m || !form || !form->HandleAllocated()) return nullptr;
    return m->FindSkinForm(form->Handle());
}
}  // namespace

void TSkinData::ChangeForm(TComponent* aform) {
    TSkinManage* m = Manager();
    auto* form = dynamic_cast<TWinControl*>(aform);
    if (!m || !form || !form->HandleAllocated()) return;
    m->UpdateData = this;
    m->lpara = form->Handle();
    m->SetAction(7, 250);
}

void TSkinData::EnableSkin(bool b) {
    if (TSkinManage* m = Manager()) m->active = b;
}

void TSkinData::SkinForm(HWND ahwnd) {
    TSkinManage* m = Manager();
    if (!m) return;
    bool keep = m->skinchildform;
    m->skinchildform = true;
    m->AddForm(ahwnd);
    m->skinchildform = keep;
}

void TSkinData::InstallThread(DWORD aThreadID) {
    if (TSkinManage* m = Manager()) m->InstallThread(aThreadID);
}

void TSkinData::UnInstallThread(DWORD aThreadID) {
    if (TSkinManage* m = Manager()) m->UnInstallThread(aThreadID);
}

void TSkinData::AddNestForm(TComponent* fParent, TComponent* fNested) {
    TWinSkinForm* sf = SkinnerOf(fParent);
    auto* nested = dynamic_cast<TForm*>(fNested);
    if (!sf || !nested) return;
    auto* spy = new TWinSkinSpy(nested);
    spy->sf = sf;
    sf->InitNestform(nested);
}

void TSkinData::UpdateSkinControl(TComponent* fParent, TComponent* acontrol) {
    TWinSkinForm* sf = SkinnerOf(fParent);
    if (!sf) return;
    if (auto* container = dynamic_cast<TWinControl*>(acontrol)) {
        sf->AddComp(container, container->Parent());
        sf->InitChildCtrl(container);
    } else if (acontrol) {
        sf->AddComp(acontrol, nullptr);
    } else if (sf->FForm) {
        sf->InitControls(sf->FForm);
    }
}

void TSkinData::DeleteGraphicControl(TComponent* fParent, TComponent* acontrol) {
    TSkinManage* m = Manager();
    auto* form = dynamic_cast<TWinControl*>(fParent);
    if (!m || !form || !acontrol) return;
    for (TWinSkinForm* sf : m->Forms()) {
        if (sf->FForm != form) continue;
        for (TSkinControl* c : std::vector<TSkinControl*>(sf->Controllist))
            if (SkinnedObject(*c) == acontrol) delete c;
    }
}

void TSkinData::UpdateMenu(TComponent* fParent) {
    if (TWinSkinForm* sf = SkinnerOf(fParent)) InitPopMenu(sf, sf->FForm ? static_cast<TComponent*>(sf->FForm) : fParent, true);
}

void TSkinData::UpdateMainMenu(bool done) {
    MenuMsg = done;
    if (!done) return;
    if (TSkinManage* m = Manager())
        for (TWinSkinForm* sf : m->Forms())
            if (sf->menu) sf->menu->UpdataBtn();
}

}  // namespace relayon::skin
