#include "toolkit/FormReader.h"

#include <windows.h>

#include "toolkit/Form.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/core/Rtti.h"

namespace {

class Reader {
public:
    explicit Reader(TComponent& root) : root_(root) {}

    void Read(const FormObject& tree) {
        if (!tree.className.empty() && !SameText(tree.className, root_.ClassName()) &&
            !ClassRegistry::Instance().InheritsFrom(root_.ClassName(), tree.className))
            throw EPropertyError("Form resource is for class " + EncodeUtf8(tree.className) + ", not " +
                                 EncodeUtf8(root_.ClassName()));
        loaded_.push_back(&root_);
        root_.SetLoading(true);
        if (!tree.name.empty()) root_.SetName(tree.name);
        ApplyProperties(root_, tree);
        for (const FormObject& child : tree.children) ReadChild(child, dynamic_cast<TWinControl*>(&root_), &root_);
        for (auto& fixup : fixups_) fixup();
        for (TComponent* c : loaded_) c->SetLoading(false);
        // Children first, the form last, so the form sees finished components.
        for (auto it = loaded_.rbegin(); it != loaded_.rend(); ++it) (*it)->Loaded();
    }

private:
    void ApplyProperties(TObject& target, const FormObject& source) {
        TPropContext ctx{&root_, &fixups_};
        for (const FormProperty& p : source.properties) {
            try {
                SetPropValue(&target, p.name, p.value, &ctx);
            } catch (const std::exception& e) {
                throw EPropertyError("Error reading " + EncodeUtf8(source.name) + "." + EncodeUtf8(p.name) + " (line " +
                                     std::to_string(p.line) + "): " + e.what());
            }
        }
    }

    void ReadChild(const FormObject& node, TWinControl* parent, TComponent* container) {
        TComponent* existing = node.name.empty() ? nullptr : root_.FindComponent(node.name);
        TComponent* component = existing;
        if (!component) {
            if (!ClassRegistry::Instance().Find(node.className))
                throw EPropertyError("Class " + EncodeUtf8(node.className) + " not found (line " +
                                     std::to_string(node.line) + ")");
            component = ClassRegistry::Instance().Create(node.className, &root_);
        }
        loaded_.push_back(component);
        component->SetLoading(true);
        if (!node.name.empty() && !existing) component->SetName(node.name);
        if (auto* control = dynamic_cast<TControl*>(component); control && parent && !control->Parent())
            control->SetParent(parent);
        else if (!dynamic_cast<TControl*>(component) && container != &root_)
            component->SetParentComponent(container);
        ApplyProperties(*component, node);
        if (!node.name.empty()) {
            if (auto bind = ClassRegistry::Instance().FindField(root_.ClassName(), node.name)) bind(&root_, component);
        }
        auto* asParent = dynamic_cast<TWinControl*>(component);
        for (const FormObject& child : node.children) ReadChild(child, asParent ? asParent : parent, component);
    }

    TComponent& root_;
    std::vector<std::function<void()>> fixups_;
    std::vector<TComponent*> loaded_;
};

}  // namespace

void ReadFormText(TComponent& root, std::string_view text) {
    FormObject tree = ParseFormText(text);
    Reader(root).Read(tree);
}

bool ReadFormResource(TForm& form) {
    std::wstring name = UpperCase(form.ClassName());
    HMODULE module = ModuleInstance();
    HRSRC info = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!info) return false;
    HGLOBAL data = LoadResource(module, info);
    DWORD size = SizeofResource(module, info);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return false;
    ReadFormText(form, std::string_view(static_cast<const char*>(bytes), size));
    return true;
}
