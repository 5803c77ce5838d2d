#pragma once
// A frame: a container designed once with its own form resource (an RCDATA
// named after the frame's class in upper case, like a form's) and placed on
// forms any number of times. The frame's components are owned by the frame,
// so two copies on one form keep their names apart. Its window class is the
// frame's own class name ("TFrame1").
//
// A frame class publishes like a form and is registered with
// RegisterFrameClass<T>(), after which a form resource may name it:
//     object Frame11: TFrame1  Left = 8  Top = 8  end
#include "toolkit/CustomControl.h"
#include "toolkit/core/Rtti.h"

class TFrame : public TCustomControl {
public:
    explicit TFrame(TComponent* AOwner);

    // Creates a frame of class T and reads its own form resource, if the
    // module has one.
    template <class T>
    static T* Create(TComponent* owner) {
        RegisterFrameClass<T>();
        T* frame = new T(owner);
        frame->ReadFrameResource();
        return frame;
    }
    // Registers T's published fields and methods, and has form resources
    // create it through Create (so a frame read from a form brings its own
    // contents).
    template <class T>
    static void RegisterFrameClass() {
        RegisterPublishedClass<T>(L"TFrame");
        auto* info = const_cast<TClassInfo*>(ClassRegistry::Instance().Find(ClassNameOf(typeid(T))));
        if (info) info->Create = [](TComponent* owner) -> TComponent* { return Create<T>(owner); };
    }

    // Reads the resource named after the class; false when there is none.
    bool ReadFrameResource();

protected:
    void CreateParams(TCreateParams& params) override;
};
