#include "toolkit/Frame.h"

#include "toolkit/FormReader.h"
#include "toolkit/ModuleInstance.h"

TFrame::TFrame(TComponent* AOwner) : TCustomControl(AOwner) {
    width_ = 320;
    height_ = 240;
    // Frames show their parent's background and font unless told otherwise.
    parentColor_ = true;
}

void TFrame::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

bool TFrame::ReadFrameResource() {
    std::wstring name = UpperCase(ClassName());
    HMODULE module = ModuleInstance();
    HRSRC info = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!info) return false;
    HGLOBAL data = LoadResource(module, info);
    DWORD size = SizeofResource(module, info);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return false;
    // The resource names the frame as designed ("Frame1"); a second copy on
    // the same owner would clash, so the frame is read apart from its owner
    // and then takes a free name.
    TComponent* owner = Owner();
    if (owner) owner->RemoveComponent(this);
    try {
        ReadFormText(*this, std::string_view(static_cast<const char*>(bytes), size));
    } catch (...) {
        if (owner) owner->InsertComponent(this);
        throw;
    }
    if (owner) {
        std::wstring base = Name();
        for (int n = 2; !Name().empty() && owner->FindComponent(Name()); ++n) SetName(base + L"_" + std::to_wstring(n));
        owner->InsertComponent(this);
    }
    return true;
}
