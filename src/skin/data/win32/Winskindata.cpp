#include "skin/data/win32/Winskindata.h"

#include <cstddef>
#include <cstring>
#include <fstream>
#include <optional>
#include <typeinfo>
#include <iterator>

#include "base/ByteIo.h"
#include "skin/data/Skinread.h"
#include "skin/data/win32/SkinreadWin32.h"
#include "skin/data/win32/Winskinstore.h"
#include "toolkit/Color.h"
#include "toolkit/core/Rtti.h"

namespace relayon::skin {

TSkinManagerLink* SkinManager = nullptr;
TSkinManagerLink* (*CreateSkinManager)() = nullptr;

namespace {

// The pixel layout a bitmap format stores; nullopt for the device format.
std::optional<PixelLayout> LayoutOfFormat(TPixelFormat format) {
    switch (format) {
    case pf1bit: return PixelLayout::Indexed1;
    case pf4bit: return PixelLayout::Indexed4;
    case pf8bit: return PixelLayout::Indexed8;
    case pf15bit: return PixelLayout::Rgb555;
    case pf16bit: return PixelLayout::Rgb565;
    case pf24bit: return PixelLayout::Bgr24;
    case pf32bit: return PixelLayout::Bgra32;
    default: return std::nullopt;
    }
}

// Whether the bitmap already has the image's size, layout and palette.
bool SameGeometry(const TBitmap& bmp, const PixelImage& image) {
    return bmp.Width() == image.width && bmp.Height() == image.height &&
           LayoutOfFormat(bmp.PixelFormat()) == image.layout && bmp.Palette() == image.palette;
}

// Fills the object's existing bitmap: making a new TBitmap (and its canvas)
// per image would double the cost of a load. A bitmap that already has the
// image's geometry (a reload of the same skin, or a skin of the same layout)
// takes the pixels into its own DIB section: a new section's pages are fresh
// memory, and first touches of fresh pages are what made reloading slow under
// Wine. Painters keep seeing the same handle with the new pixels.
void Fill(std::unique_ptr<TBitmap>& bmp, const PixelImage& image) {
    if (!bmp) bmp = std::make_unique<TBitmap>();
    if (image.Empty() && bmp->Empty()) return;
    if (image.Empty() || !SameGeometry(*bmp, image)) {
        bmp->FromPixelImage(image);
        return;
    }
    // The rows of a DIB section lie at one fixed distance from each other, so
    // two scan lines give them all: each ScanLine call flushes GDI, which
    // costs a trip into Wine's graphics driver per row.
    const size_t stride = image.Stride();
    auto* first = static_cast<uint8_t*>(bmp->ScanLine(0));
    const ptrdiff_t step = image.height > 1 ? static_cast<uint8_t*>(bmp->ScanLine(1)) - first : 0;
    for (int y = 0; y < image.height; ++y) std::memcpy(first + y * step, image.Row(y), stride);
}

SystemColorResolver RunningSystemColours() {
    return [](int index) { return static_cast<TColor>(GetSysColor(index) & 0xFFFFFF); };
}

// Whether an existing object is of the class an element kind calls for.
bool Fits(const TDataSkinObject& o, SkinElementKind kind) {
    switch (kind) {
    case SkinElementKind::Border: return typeid(o) == typeid(TDataSkinBorder);
    case SkinElementKind::BoxLabel: return typeid(o) == typeid(TDataSkinBoxLabel);
    default: return typeid(o) == typeid(TDataSkinObject);
    }
}

// The skin objects are created with the class the element kind calls for.
SkinObjectPtr MakeObject(const OptionalElement& e) {
    if (!e) return nullptr;
    SkinObjectPtr obj;
    switch (e->kind) {
    case SkinElementKind::Border: obj = std::make_unique<TDataSkinBorder>(); break;
    case SkinElementKind::BoxLabel: obj = std::make_unique<TDataSkinBoxLabel>(); break;
    default: obj = std::make_unique<TDataSkinObject>(); break;
    }
    obj->Assign(*e);
    return obj;
}

bool HasGetScrollBarInfo() {
    return GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetScrollBarInfo") != nullptr;
}

}  // namespace

TDataSkinObject::TDataSkinObject(std::wstring id) : Map(std::make_unique<TBitmap>()), IDName(std::move(id)) {}

void TDataSkinObject::Assign(const SkinElement& e) {
    r = e.r;
    Fill(Map, e.Map);
    trans = e.trans;
    Tile = e.Tile;
    frame = e.frame;
    style = e.style;
    IDName = DecodeUtf8(e.IDName);
    Normalcolor = e.Normalcolor;
    Overcolor = e.Overcolor;
    Downcolor = e.Downcolor;
    Normalcolor2 = e.Normalcolor2;
    Overcolor2 = e.Overcolor2;
    Downcolor2 = e.Downcolor2;
}

void TDataSkinBorder::Assign(const SkinElement& e) {
    TDataSkinObject::Assign(e);
    Fill(MaskMap, e.MaskMap);
}

void TDataSkinTitle::Assign(const SkinElement& e) {
    TDataSkinObject::Assign(e);
    Aligment = e.Aligment;
    BackGround = e.BackGround;
    FontHeight = e.FontHeight;
    backleft = e.backleft;
    backright = e.backright;
    activetext = e.activetext;
    inactivetext = e.inactivetext;
}

void TDataSkinButton::Assign(const SkinElement& e) {
    TDataSkinObject::Assign(e);
    Fill(CheckMap, e.CheckMap);
    Fill(RadioMap, e.RadioMap);
    radioframe = e.radioframe;
    checkframe = e.checkframe;
    newnormal = e.newnormal;
    newover = e.newover;
    newdown = e.newdown;
}

void TDataSkinSysButton::Assign(const SkinElement& e) {
    TDataSkinObject::Assign(e);
    Action = e.Action;
    Align = e.Align;
    XCoord = e.XCoord;
    YCoord = e.YCoord;
    CombineOp = e.CombineOp;
    Visibility = e.Visibility;
    Visibility1 = e.Visibility1;
}

void TDataSkinBoxLabel::Assign(const SkinElement& e) {
    TDataSkinObject::Assign(e);
    LeftShift = e.LeftShift;
    RightShift = e.RightShift;
    Alignment = e.Alignment;
}

TSkinData::TSkinData(TComponent* AOwner) : TComponent(AOwner) {
    RegisterSkinDataClasses();
    FSkinControls = TSkinControlTypes::FromBits((1u << 22) - 1).Exclude(xcMenuItem).Exclude(xcFastReport);
    fSkinOptions = {xoPreview, xoToolbarBK, xoCaptionButtonHint};
    FContainers = TWinContainers::FromBits((1u << 10) - 1);
    f3rdControls.Assign(DefaultSkin3rd());
    Button = std::make_unique<TDataSkinButton>(L"Buttons");
    static const wchar_t* const kSides[4] = {L"Left", L"Right", L"Top", L"Bottom"};
    for (int i = 0; i < 4; ++i) border[i] = std::make_unique<TDataSkinBorder>(kSides[i]);
    Title = std::make_unique<TDataSkinTitle>(L"Title");
    cxMax = GetSystemMetrics(SM_CXMAXIMIZED);
    cyMax = GetSystemMetrics(SM_CYMAXIMIZED);
    SysIcon->SetPixelFormat(pf24bit);
    LoadMenuGlyphs(bmpmenu);
}

TSkinData::~TSkinData() {
    if (SkinManager) SkinManager->RemoveSkinData(this);
}

std::vector<std::pair<const char*, SkinObjectPtr*>> TSkinData::SkinObjects() {
#define RELAYON_SKIN_OBJECT_ENTRY(name) {#name, &name},
    return {RELAYON_SKIN_OPTIONAL_ELEMENTS(RELAYON_SKIN_OBJECT_ENTRY)};
#undef RELAYON_SKIN_OBJECT_ENTRY
}

std::vector<uint8_t> TSkinData::SkinStreamBytes() const {
    std::vector<uint8_t> out;
    ByteWriter(out).I32(static_cast<int32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

void TSkinData::ReadSkinStream(const std::vector<uint8_t>& bytes) {
    ByteReader in(bytes);
    const int32_t length = in.I32();
    if (!in.Ok()) throw std::runtime_error("SkinStream: missing length");
    if (length <= 0) return;
    // A length past the stored bytes is a broken resource, not a skin.
    if (static_cast<size_t>(length) > bytes.size() - 4) throw std::runtime_error("SkinStream: length past the end");
    data.assign(bytes.begin() + 4, bytes.begin() + 4 + length);
    LoadSkin();
}

void TSkinData::LoadFromFile(const std::wstring& value) {
    Empty = true;
    fskinfile = value;
    std::ifstream in(std::filesystem::path(value), std::ios::binary);
    if (!in) return;
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    LoadSkin();
    UpdateSkin();
}

void TSkinData::LoadFromStream(const std::vector<uint8_t>& Stream) {
    Empty = true;
    data = Stream;
    LoadSkin();
    if (ftype == sfMainform) UpdateSkin();
}

void TSkinData::LoadFromCollection(TSkinStore* astore, int aindex) {
    if (!astore || aindex < 0 || aindex >= astore->Store().Count()) return;
    Empty = true;
    data = astore->Store().Items(aindex)->DataStream();
    LoadSkin();
    UpdateSkin();
}

namespace {
uint64_t loadGeneration = 0;
}  // namespace

uint64_t TSkinData::LoadGeneration() { return loadGeneration; }

bool TSkinData::LoadSkin() {
    ++loadGeneration;
    Empty = true;
    TSkinReader reader;
    InstallSkinReaderMessageBox(reader);
    if (!reader.Loadfromstream(data)) return false;
    std::vector<uint8_t> ms;
    std::string iniName;
    reader.readIni(".ini", ms, iniName);
    TQuickIni ini;
    ini.LoadFromBytes(ms);
    LoadFromIni(ini, reader);
    return true;
}

void TSkinData::LoadFromIni(const TQuickIni& ini, const TSkinReader& reader) {
    SkinLoadEnvironment env;
    env.readEntry = [&reader](const std::string& name) {
        std::vector<uint8_t> bytes;
        reader.readfile(name, bytes);
        return bytes;
    };
    env.hscrollArrowWidth = GetSystemMetrics(SM_CXHSCROLL);
    env.systemColor = RunningSystemColours();
    SkinDescription d = LoadSkinDescription(ini, env);
    SkinName = DecodeUtf8(d.SkinName);
    Title->Assign(d.Title);
    Button->Assign(d.Button);
    for (int i = 0; i < 4; ++i) border[i]->Assign(d.border[i]);
    // Objects of the previous skin are refilled in place where the class
    // fits, which saves making their bitmaps and canvases again.
    SysBtn.resize(d.SysBtn.size());
    for (size_t i = 0; i < d.SysBtn.size(); ++i) {
        if (!SysBtn[i]) SysBtn[i] = std::make_unique<TDataSkinSysButton>();
        SysBtn[i]->Assign(d.SysBtn[i]);
    }
    auto mine = SkinObjects();
    auto theirs = d.Optionals();
    for (size_t i = 0; i < mine.size(); ++i) {
        SkinObjectPtr& object = *mine[i].second;
        const OptionalElement& e = *theirs[i].second;
        if (e && object && Fits(*object, e->kind)) object->Assign(*e);
        else object = MakeObject(e);
    }
    Colors = d.Colors;
    hasColors = d.hasColors;
    ColorPreset = d.ColorPreset;
    PresetColors = d.PresetColors;
    BGBrush.reset(CreateSolidBrush(ColorToRGB(Colors[csButtonFace])));
    Empty = false;
}

void TSkinData::Readbmp(TBitmap& bmp, const std::string& fname, const TSkinReader& reader) const {
    SkinLoadEnvironment env;
    env.readEntry = [&reader](const std::string& name) {
        std::vector<uint8_t> bytes;
        reader.readfile(name, bytes);
        return bytes;
    };
    const PixelImage image = skin::Readbmp(env, fname);
    if (image.Empty()) bmp.SetSize(0, 0);
    else bmp.FromPixelImage(image);
}

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (!HasGetScrollBarInfo()) FSkinControls.Exclude(xcScrollbar);
    if (!SkinManager && CreateSkinManager) SkinManager = CreateSkinManager();
    if (SkinManager) SkinManager->AddSkinData(this);
    CreateCaptionFont();
    if (ftype != sfMainform) {
        if (SkinManager) {
            SkinManager->SetActive(true);
            SkinManager->SetState(SkinManager->State() + 1);
        }
        return;
    }
    if (SkinManager) SkinManager->InstallHook();
    if (factive) {
        if (Empty) factive = false;
        else if (SkinManager) SkinManager->SetAction(1, 250);
    }
    if (!FSkinControls.Contains(xcMainMenu)) FSkinControls.Exclude(xcSystemMenu);
    else FSkinControls.Exclude(xcMenuItem);
    GetAppIcon();
}

void TSkinData::SetActive(bool value) {
    if (value == factive) return;
    factive = value;
    if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !SkinManager) return;
    switch (ftype) {
    case sfMainform:
        if (value) {
            if (Empty) return;
            SkinManager->SetUpdateData(this);
            SkinManager->SetAction(1, 250);
            SkinManager->SetState(1);
        } else {
            SkinManager->SetUpdateData(this);
            SkinManager->SetAction(2, 250);
        }
        break;
    case sfOnlyThisForm:
        SkinManager->SetUpdateData(this);
        if (value && Empty) return;
        SkinManager->SetAction(value ? 1 : 2, 250);
        break;
    default: break;
    }
}

void TSkinData::UpdateSkin() {
    if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) return;
    if (!SkinManager) Loaded();
    if (!SkinManager) return;
    SkinManager->SetUpdateData(this);
    SkinManager->DeleteSysbtn();
    if (SkinManager->State() == 1) SkinManager->SetAction(3, 250);
}

void TSkinData::Install() {
    if (SkinManager) SkinManager->SetAction(1, 250);
}

void TSkinData::Uninstall() {
    if (SkinManager) SkinManager->SetAction(2, 250);
}

void TSkinData::DoFormSkin(HWND ahwnd, const std::wstring& aname, bool& Doskin) {
    formhwnd = ahwnd;
    if (fOnFormSkin) {
        fOnFormSkin(this, aname, Doskin);
        return;
    }
    if (aname == L"SysMonthCal32") Doskin = false;
    else if (FSkinControls.Contains(xcFastReport) && aname.rfind(L"Tfr", 0) == 0) Doskin = false;
}

void TSkinData::DoSkinChanged() {
    if (fOnSkinChanged) fOnSkinChanged(this);
}

TColor TSkinData::GetCaptionColor() const {
    const TBitmap& top = *border[2]->Map;
    if (top.Empty()) return Colors[csButtonFace];
    const PixelImage image = top.ToPixelImage();
    const int frame = std::max(border[2]->frame, 1);
    return static_cast<TColor>(image.Color(image.width / 3, (image.height / frame) / 3));
}

bool TSkinData::GetPrecolor(TColor& acolor, int n) const {
    if (n < 0 || n >= static_cast<int>(ColorPreset.size())) return false;
    acolor = ColorPreset[n];
    return true;
}

std::wstring TSkinData::GetFileName(const std::wstring& s) {
    const size_t dot = s.find(L'.');
    return dot == std::wstring::npos ? std::wstring() : s.substr(0, dot);
}

void TSkinData::ChangeProperty(TComponent* control, const std::wstring& aprop, const std::wstring& value) {
    if (!control) return;
    ClassRegistry& registry = ClassRegistry::Instance();
    const TPropInfo* prop = registry.FindProp(registry.RegisteredClassOf(control), aprop);
    if (!prop || prop->Kind != TPropKind::Enumeration || !prop->Set) return;
    TPropContext ctx;
    prop->Set(control, FormValue::Ident(value), ctx);
}

void TSkinData::DoDebug(const std::wstring& s) {
    if (DebugList) DebugList->Add(s);
}

void TSkinData::CreateCaptionFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 504;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        CaptionFont_.reset(CreateFontIndirectW(&metrics.lfCaptionFont));
    else
        CaptionFont_.reset();  // the toolkit's default font
}

void RegisterSkinDataClasses() {
    static const bool registered = [] {
        RegisterCoreClasses();
        RegisterEnum<TSkinControlType>(
            L"TSkinControlType",
            {{L"xcMainMenu", xcMainMenu}, {L"xcPopupMenu", xcPopupMenu}, {L"xcMenuItem", xcMenuItem},
             {L"xcToolbar", xcToolbar}, {L"xcControlbar", xcControlbar}, {L"xcCombo", xcCombo},
             {L"xcCheckBox", xcCheckBox}, {L"xcRadioButton", xcRadioButton}, {L"xcProgress", xcProgress},
             {L"xcScrollbar", xcScrollbar}, {L"xcEdit", xcEdit}, {L"xcButton", xcButton}, {L"xcBitBtn", xcBitBtn},
             {L"xcSpeedButton", xcSpeedButton}, {L"xcSpin", xcSpin}, {L"xcPanel", xcPanel},
             {L"xcGroupBox", xcGroupBox}, {L"xcStatusBar", xcStatusBar}, {L"xcTab", xcTab},
             {L"xcTrackBar", xcTrackBar}, {L"xcSystemMenu", xcSystemMenu}, {L"xcFastReport", xcFastReport}});
        RegisterEnum<TSkinOption>(
            L"TSkinOption",
            {{L"xoMDIScrollbar", xoMDIScrollbar}, {L"xoMenuMerge", xoMenuMerge}, {L"xoTransparent", xoTransparent},
             {L"xoPreview", xoPreview}, {L"xoParentBackGround", xoParentBackGround},
             {L"xoNoFocusRect", xoNoFocusRect}, {L"xoToolbarBK", xoToolbarBK}, {L"xoToolbarButton", xoToolbarButton},
             {L"xoMDIChildBorder", xoMDIChildBorder}, {L"xoMenuBG", xoMenuBG},
             {L"xoCaptionButtonHint", xoCaptionButtonHint}, {L"xoFormScrollbar", xoFormScrollbar}});
        RegisterEnum<TSkinFormType>(L"TSkinFormType", {{L"sfMainform", sfMainform}, {L"sfOnlyThisForm", sfOnlyThisForm},
                                                        {L"sfDialog", sfDialog}, {L"sfDLL", sfDLL}});
        RegisterClass<TSkinData>(L"TSkinData", L"TComponent")
            .Prop(L"Active", &TSkinData::Active, &TSkinData::SetActive)
            .Prop(L"DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag)
            .Prop(L"SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls)
            .Prop(L"Options", &TSkinData::Options, &TSkinData::SetOptions)
            .ObjectProp(L"Skin3rd", &TSkinData::Skin3rd)
            .Prop(L"SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
            .Prop(L"SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
            .Prop(L"SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype)
            .Prop(L"Version", &TSkinData::Version, &TSkinData::SetVersion)
            .Prop(L"MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate)
            .Prop(L"MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge)
            .Event(L"OnFormSkin", &TSkinData::fOnFormSkin)
            .Event(L"OnSkinChanged", &TSkinData::fOnSkinChanged)
            .Event(L"OnSkinControl", &TSkinData::FOnSkinControl)
            .Event(L"OnBeforeSkinForm", &TSkinData::fOnBeforeSkinForm)
            .Event(L"OnAfterSkinForm", &TSkinData::fOnAfterSkinForm)
            .Custom(L"SkinStream", TPropKind::Binary,
                    [](TSkinData* d, const FormValue& v, TPropContext&) {
                        if (v.kind != FormValue::Kind::Binary) rtti::KindMismatch(L"SkinStream", "binary");
                        d->ReadSkinStream(v.bytes);
                    },
                    [](TSkinData* d) { return FormValue::Binary(d->SkinStreamBytes()); });
        return true;
    }();
    (void)registered;
}

}  // namespace relayon::skin
