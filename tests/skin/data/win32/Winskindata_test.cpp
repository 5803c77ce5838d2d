#include "skin/data/win32/Winskindata.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "skin/data/SkinWriter.h"
#include "skin/data/win32/Winskinstore.h"
#include "toolkit/FormReader.h"
#include "toolkit/core/BmpCodec.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/GdiObjectCount.h"

using namespace relayon::skin;

namespace {

// A minimal form-text writer over the class registry: every published
// property that has a value, as the reader expects it.
std::string Quote(const std::wstring& s) {
    std::string out = "'";
    for (char c : EncodeUtf8(s)) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}
std::string ValueText(const FormValue& v) {
    static const char* hex = "0123456789ABCDEF";
    switch (v.kind) {
    case FormValue::Kind::Integer: return std::to_string(v.integer);
    case FormValue::Kind::Ident: return EncodeUtf8(v.text);
    case FormValue::Kind::String: return Quote(v.text);
    case FormValue::Kind::Set: {
        std::string out = "[";
        for (size_t i = 0; i < v.members.size(); ++i) out += (i ? ", " : "") + EncodeUtf8(v.members[i]);
        return out + "]";
    }
    case FormValue::Kind::Binary: {
        std::string out = "{";
        for (uint8_t b : v.bytes) out += {hex[b >> 4], hex[b & 15]};
        return out + "}";
    }
    case FormValue::Kind::List: {
        std::string out = "(";
        for (const FormValue& item : v.items) out += " " + ValueText(item);
        return out + " )";
    }
    default: return "";
    }
}
std::string WriteComponent(TComponent& c, const std::wstring& className) {
    std::string out = "object " + EncodeUtf8(c.Name()) + ": " + EncodeUtf8(className) + "\n";
    ClassRegistry& registry = ClassRegistry::Instance();
    for (const TPropInfo* p : registry.Props(className)) {
        if (p->Kind == TPropKind::Method || p->Name == L"Name") continue;
        if (p->Kind == TPropKind::Object) {
            TObject* sub = p->Object(&c);
            for (const TPropInfo* q : registry.Props(registry.RegisteredClassOf(sub)))
                if (q->Get) out += "  " + EncodeUtf8(p->Name) + "." + EncodeUtf8(q->Name) + " = " + ValueText(q->Get(sub)) + "\n";
            continue;
        }
        if (!p->Get) continue;
        const FormValue v = p->Get(&c);
        if (v.kind == FormValue::Kind::String && v.text.empty()) continue;
        out += "  " + EncodeUtf8(p->Name) + " = " + ValueText(v) + "\n";
    }
    return out + "end\n";
}

std::vector<uint8_t> SmallSkinFile(int buttonWidth = 50, uint32_t buttonColour = 0x445566) {
    std::string ini =
        "[TitlebarSkin]\nSkinName=Tiny\n[Personality]\nTop=top.bmp\nTopFrame=2\n"
        "[Buttons]\nBitmap=buttons.bmp\n[Colours]\nButtonFace=236 233 216\n[StatusBarEdges]\nImage=status.bmp\n"
        "[Colour1]\ncolor=1 2 3\n";
    return BuildSkinFile({{"skin.ini", {ini.begin(), ini.end()}},
                          {"top.bmp", EncodeBmpFile(SolidImage(30, 60, 0x112233))},
                          {"buttons.bmp", EncodeBmpFile(SolidImage(buttonWidth, 20, buttonColour))},
                          {"status.bmp", EncodeBmpFile(SolidImage(30, 10, 0x778899))}});
}

}  // namespace

TEST(Winskindata, DefaultsAndEveryPropertyThroughAFormResource) {
    TComponent root(nullptr);
    root.SetName(L"Root");
    TSkinData source(&root);
    source.SetName(L"SkinData1");
    EXPECT_FALSE(source.Active());
    EXPECT_EQ(source.DisableTag(), 99);
    EXPECT_FALSE(source.SkinControls().Contains(xcMenuItem));
    EXPECT_FALSE(source.SkinControls().Contains(xcFastReport));
    EXPECT_TRUE(source.SkinControls().Contains(xcSystemMenu));
    EXPECT_EQ(source.Options(), (TSkinOptions{xoPreview, xoToolbarBK, xoCaptionButtonHint}));
    ASSERT_EQ(source.Skin3rd().Count(), 118);
    EXPECT_EQ(source.Skin3rd().IndexOf(L"TRzButton=button"), 12);
    EXPECT_EQ(source.SkinStore(), L"(none)");
    EXPECT_EQ(source.Version(), L"5.60.03.29");
    EXPECT_TRUE(source.MenuUpdate());
    EXPECT_TRUE(source.Empty);

    source.SetDisableTag(7);
    source.SetSkinControls({xcButton, xcMainMenu, xcMenuItem});
    source.SetOptions({xoMDIScrollbar, xoFormScrollbar});
    source.Skin3rd().Clear();
    source.Skin3rd().Add(L"TFoo=Edit");
    source.SetSkinFormtype(sfDialog);
    source.SetMenuUpdate(false);
    source.SetMenuMerge(true);
    source.LoadFromStream(SmallSkinFile());
    ASSERT_FALSE(source.Empty);
    source.SetActive(true);
    const std::string text = WriteComponent(source, L"TSkinData");
    EXPECT_NE(text.find("SkinControls = [xcMainMenu, xcMenuItem, xcButton]"), std::string::npos) << text;

    TComponent back(nullptr);
    ReadFormText(back, "object Root: TComponent\n" + text + "end\n");
    auto* read = dynamic_cast<TSkinData*>(back.FindComponent(L"SkinData1"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->Active());
    EXPECT_EQ(read->DisableTag(), 7);
    EXPECT_EQ(read->Options(), (TSkinOptions{xoMDIScrollbar, xoFormScrollbar}));
    ASSERT_EQ(read->Skin3rd().Count(), 1);
    EXPECT_EQ(read->SkinFormtype(), sfDialog);
    EXPECT_FALSE(read->MenuUpdate());
    EXPECT_TRUE(read->MenuMerge());
    EXPECT_EQ(read->data, source.data);
    EXPECT_FALSE(read->Empty);
    EXPECT_EQ(read->SkinName, L"Tiny");
    // A form of another scope than the main form keeps its menu kinds.
    EXPECT_EQ(read->SkinControls(), (TSkinControlTypes{xcButton, xcMainMenu, xcMenuItem}));
}

TEST(Winskindata, LoadingFixUpsAndEmptySkins) {
    TComponent root(nullptr);
    ReadFormText(root, "object Root: TComponent\n object A: TSkinData\n  Active = True\n  SkinStream = {00000000}\n"
                       "  SkinControls = [xcMainMenu, xcMenuItem, xcSystemMenu]\n end\n"
                       " object B: TSkinData\n  SkinControls = [xcMenuItem, xcSystemMenu]\n end\nend\n");
    auto* a = dynamic_cast<TSkinData*>(root.FindComponent(L"A"));
    auto* b = dynamic_cast<TSkinData*>(root.FindComponent(L"B"));
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(a->Empty);
    EXPECT_FALSE(a->Active());  // an empty skin never starts skinning
    EXPECT_EQ(a->SkinControls(), (TSkinControlTypes{xcMainMenu, xcSystemMenu}));
    EXPECT_EQ(b->SkinControls(), (TSkinControlTypes{xcMenuItem}));
    EXPECT_EQ(a->SkinStreamBytes(), (std::vector<uint8_t>{0, 0, 0, 0}));

    // A store index at or past the end changes nothing.
    TSkinStore store(nullptr);
    store.Store().Add()->SetDataStream(SmallSkinFile());
    a->LoadFromCollection(&store, 0);
    ASSERT_FALSE(a->Empty);
    const auto before = a->data;
    a->LoadFromCollection(&store, 1);
    EXPECT_EQ(a->data, before);
    EXPECT_FALSE(a->Empty);

    TColor c = 0;
    EXPECT_TRUE(a->GetPrecolor(c, 0));
    EXPECT_EQ(c, 0x030201);
    EXPECT_FALSE(a->GetPrecolor(c, -1));
    EXPECT_FALSE(a->GetPrecolor(c, 1));
    EXPECT_EQ(TSkinData::GetFileName(L"buttons.bmp"), L"buttons");
    EXPECT_EQ(TSkinData::GetFileName(L"none"), L"");
    EXPECT_EQ(a->GetCaptionColor(), 0x112233);
    bool doSkin = true;
    a->DoFormSkin(nullptr, L"SysMonthCal32", doSkin);
    EXPECT_FALSE(doSkin);
}

TEST(Winskindata, ObjectsOfTheSkinAndTheirBitmaps) {
    TSkinData d(nullptr);
    d.LoadFromStream(SmallSkinFile());
    ASSERT_FALSE(d.Empty);
    EXPECT_EQ(d.Button->Map->Width(), 50);
    EXPECT_EQ(d.Button->frame, 5);
    EXPECT_EQ(d.border[2]->Map->Height(), 60);
    ASSERT_TRUE(d.StatusBar);
    EXPECT_EQ(d.StatusBar->frame, 3);
    EXPECT_TRUE(d.TrackBar && d.TrackBarVert && d.Toolbar && d.comboxarrow);
    EXPECT_FALSE(d.tab);
    EXPECT_EQ(d.Colors[csButtonFace], 0x00D8E9EC);
    EXPECT_EQ(d.Colors[csCaption], 0x112233);
    // A skin of the same layout shows its own pixels (kept in the same DIB).
    HBITMAP before = d.Button->Map->Handle();
    d.LoadFromStream(SmallSkinFile(50, 0x0000FF));
    EXPECT_EQ(GetPixel(d.Button->Map->Canvas().Handle(), 7, 7), RGB(255, 0, 0));
    EXPECT_EQ(d.Button->Map->Handle(), before);
    d.LoadFromStream(SmallSkinFile(60, 0x00FF00));
    EXPECT_EQ(d.Button->Map->Width(), 60);
    EXPECT_EQ(GetPixel(d.Button->Map->Canvas().Handle(), 59, 19), RGB(0, 255, 0));
    // A button strip too narrow for its five cells leaves an empty bitmap.
    d.LoadFromStream(SmallSkinFile(4));
    EXPECT_TRUE(d.Button->Map->Empty());
}

TEST(Winskindata, ThousandLoadsLeaveNoGdiObjects) {
    const auto file = SmallSkinFile();
    { TSkinData warm(nullptr); warm.LoadFromStream(file); }
    const DWORD before = GdiObjectCount();
    for (int i = 0; i < 1000; ++i) {
        TSkinData d(nullptr);
        d.LoadFromStream(file);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(Winskindata, ReloadInPlaceGivesEveryRowItsOwnPixels) {
    // Every pixel of the button strip differs, so rows copied in the wrong
    // order or at the wrong distance show up; the first skin has the same
    // geometry, so the second one fills the existing DIB section.
    auto skin = [](int shade) {
        PixelImage strip = MakePixelImage(50, 20, PixelLayout::Bgr24);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 50; ++x) strip.SetColor(x, y, RGBColor(5 * x, 12 * y, shade));
        const std::string ini = "[Buttons]\nBitmap=buttons.bmp\n";
        return BuildSkinFile({{"skin.ini", {ini.begin(), ini.end()}}, {"buttons.bmp", EncodeBmpFile(strip)}});
    };
    TSkinData reloaded(nullptr);
    reloaded.LoadFromStream(skin(40));
    const HBITMAP before = reloaded.Button->Map->Handle();
    reloaded.LoadFromStream(skin(200));
    TSkinData fresh(nullptr);
    fresh.LoadFromStream(skin(200));
    EXPECT_EQ(reloaded.Button->Map->Handle(), before);
    const PixelImage got = reloaded.Button->Map->ToPixelImage(), want = fresh.Button->Map->ToPixelImage();
    ASSERT_EQ(got.height, 20);
    EXPECT_EQ(got.pixels, want.pixels);
    EXPECT_EQ(got.Color(49, 19), RGBColor(245, 228, 200));
}
