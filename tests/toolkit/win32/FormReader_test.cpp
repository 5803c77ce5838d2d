// Reading form resources and accessing published properties by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Panel.h"
#include "toolkit/core/Rtti.h"

namespace {

std::vector<std::wstring> gLoadOrder;

enum TWidgetMode { wmSlow, wmFast, wmOff };
enum TWidgetOption { woA, woB, woC };
using TWidgetOptions = TSet<TWidgetOption>;

// A non-visual component with one property of every simple kind.
class TWidget : public TComponent {
public:
    explicit TWidget(TComponent* owner) : TComponent(owner) {}
    int Count() const { return count_; }
    void SetCount(int v) { count_ = v; }
    int64_t Big() const { return big_; }
    void SetBig(int64_t v) { big_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    const std::wstring& Label() const { return label_; }
    void SetLabel(const std::wstring& v) { label_ = v; }
    bool Flag() const { return flag_; }
    void SetFlag(bool v) { flag_ = v; }
    TWidgetMode Mode() const { return mode_; }
    void SetMode(TWidgetMode v) { mode_ = v; }
    TWidgetOptions Options() const { return options_; }
    void SetOptions(TWidgetOptions v) { options_ = v; }
    const std::vector<uint8_t>& Data() const { return data_; }
    void SetData(const std::vector<uint8_t>& v) { data_ = v; }
    TComponent* Partner() const { return partner_; }
    void SetPartner(TComponent* p) { partner_ = p; }
    void Loaded() override {
        TComponent::Loaded();
        gLoadOrder.push_back(Name());
        partnerKnownAtLoaded = partner_ != nullptr;
    }
    bool partnerKnownAtLoaded = false;

private:
    int count_ = 0;
    int64_t big_ = 0;
    double ratio_ = 0;
    std::wstring label_;
    bool flag_ = false;
    TWidgetMode mode_ = wmSlow;
    TWidgetOptions options_;
    std::vector<uint8_t> data_;
    TComponent* partner_ = nullptr;
};

class TSampleForm : public TForm {
public:
    using TForm::TForm;
    TPanel* Panel1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TButton* OkButton = nullptr;
    TCheckBox* Check = nullptr;
    TComboBox* Combo = nullptr;
    TWidget* Widget1 = nullptr;
    int clicks = 0;
    int changes = 0;
    std::vector<std::wstring> createSaw;

    void FormCreate(TObject*) {
        // Everything is read and loaded before OnCreate runs.
        createSaw.push_back(OkButton ? OkButton->Caption() : L"(none)");
        createSaw.push_back(std::to_wstring(gLoadOrder.size()));
    }
    void OkButtonClick(TObject*) { ++clicks; }
    void ComboChange(TObject*) { ++changes; }

    static void Publish(TPublisher<TSampleForm>& p) {
        p.Field(L"Panel1", &TSampleForm::Panel1);
        p.Field(L"GroupBox1", &TSampleForm::GroupBox1);
        p.Field(L"OkButton", &TSampleForm::OkButton);
        p.Field(L"Check", &TSampleForm::Check);
        p.Field(L"Combo", &TSampleForm::Combo);
        p.Field(L"Widget1", &TSampleForm::Widget1);
        p.Method(L"FormCreate", &TSampleForm::FormCreate);
        p.Method(L"OkButtonClick", &TSampleForm::OkButtonClick);
        p.Method(L"ComboChange", &TSampleForm::ComboChange);
    }
    void Loaded() override {
        TForm::Loaded();
        gLoadOrder.push_back(L"form");
    }
};

void RegisterWidget() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterEnum<TWidgetMode>(L"TWidgetMode", {{L"wmSlow", wmSlow}, {L"wmFast", wmFast}, {L"wmOff", wmOff}});
    RegisterEnum<TWidgetOption>(L"TWidgetOption", {{L"woA", woA}, {L"woB", woB}, {L"woC", woC}});
    RegisterClass<TWidget>(L"TWidget", L"TComponent")
        .Prop(L"Count", &TWidget::Count, &TWidget::SetCount)
        .Prop(L"Big", &TWidget::Big, &TWidget::SetBig)
        .Prop(L"Ratio", &TWidget::Ratio, &TWidget::SetRatio)
        .Prop(L"Label", &TWidget::Label, &TWidget::SetLabel)
        .Prop(L"Flag", &TWidget::Flag, &TWidget::SetFlag)
        .Prop(L"Mode", &TWidget::Mode, &TWidget::SetMode)
        .Prop(L"Options", &TWidget::Options, &TWidget::SetOptions)
        .Prop(L"Data", &TWidget::Data, &TWidget::SetData)
        .ComponentProp(L"Partner", &TWidget::Partner, &TWidget::SetPartner);
}

class FormReader : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterWidget();
        RegisterPublishedClass<TSampleForm>();
        gLoadOrder.clear();
    }
};

}  // namespace

TEST_F(FormReader, ReadsTheEmbeddedResourceIntoNestedComponents) {
    TSampleForm* form = TForm::Create<TSampleForm>(nullptr);
    // Fields bound by name, nesting gives parents, the form owns everything.
    ASSERT_NE(form->OkButton, nullptr);
    ASSERT_NE(form->Widget1, nullptr);
    EXPECT_EQ(form->Panel1->Parent(), form);
    EXPECT_EQ(form->GroupBox1->Parent(), form->Panel1);
    EXPECT_EQ(form->OkButton->Parent(), form->GroupBox1);
    EXPECT_EQ(form->Check->Parent(), form->GroupBox1);
    EXPECT_EQ(form->OkButton->Owner(), form);
    EXPECT_EQ(form->ComponentCount(), 6);

    // Integers, strings (UTF-8, quotes doubled, #codes, joined pieces), Booleans, enumerations, sets.
    EXPECT_EQ(form->Left(), 120);
    EXPECT_EQ(form->ClientWidth(), 500);
    EXPECT_EQ(form->ClientHeight(), 320);
    EXPECT_EQ(form->Caption(), L"Sample 样例 範例");
    EXPECT_EQ(form->BorderStyle(), bsSingle);
    EXPECT_EQ(form->BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize}));
    EXPECT_EQ(form->Font().Height(), -13);
    EXPECT_TRUE(form->Font().Style().Contains(fsBold));
    EXPECT_EQ(form->Panel1->BevelOuter(), bvNone);
    EXPECT_EQ(form->Panel1->Tag(), 7);
    EXPECT_EQ(form->OkButton->Caption(), L"It's OK");
    EXPECT_TRUE(form->OkButton->Default());
    EXPECT_EQ(form->Check->Caption(), L"连接 done");
    EXPECT_TRUE(form->Check->Checked());
    EXPECT_FALSE(form->Check->Enabled());
    EXPECT_EQ(form->Check->TabOrder(), 0);
    EXPECT_EQ(form->OkButton->TabOrder(), 1);
    // Children inherit the form font unless they set their own.
    EXPECT_EQ(form->OkButton->Font().Height(), -13);

    // ItemIndex came before the items in the text and still selects "two".
    EXPECT_EQ(form->Combo->Items().Count(), 3);
    EXPECT_EQ(form->Combo->ItemIndex(), 1);
    EXPECT_EQ(form->Combo->Text(), L"two");

    TWidget* w = form->Widget1;
    EXPECT_EQ(w->Count(), -42);
    EXPECT_EQ(w->Big(), 0x7FFFFFFF);
    EXPECT_DOUBLE_EQ(w->Ratio(), 2.5);
    EXPECT_EQ(w->Label(), L"first second");
    EXPECT_TRUE(w->Flag());
    EXPECT_EQ(w->Mode(), wmFast);
    EXPECT_EQ(w->Options(), (TWidgetOptions{woA, woC}));
    EXPECT_EQ(w->Data(), (std::vector<uint8_t>{0x00, 0x01, 0xFE, 0xFF}));
    EXPECT_EQ(w->Partner(), form->Combo);

    // Loaded ran on every component after the whole form was read, the form
    // last, and before OnCreate.
    ASSERT_FALSE(gLoadOrder.empty());
    EXPECT_EQ(gLoadOrder.back(), L"form");
    EXPECT_TRUE(w->partnerKnownAtLoaded);
    EXPECT_EQ(form->createSaw, (std::vector<std::wstring>{L"It's OK", std::to_wstring(gLoadOrder.size())}));
    EXPECT_FALSE(form->OkButton->IsLoading());

    // Events resolved to the form's published methods.
    SendMessageW(form->OkButton->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->clicks, 1);
    EXPECT_EQ(form->changes, 0);  // reading ItemIndex does not run OnChange
    delete form;
}

TEST_F(FormReader, PropertiesAreReadAndWrittenByName) {
    TSampleForm* form = TForm::Create<TSampleForm>(nullptr);
    TWidget* w = form->Widget1;
    EXPECT_EQ(GetOrdProp(w, L"count"), -42);
    EXPECT_EQ(GetEnumProp(w, L"MODE"), L"wmFast");
    EXPECT_EQ(GetOrdProp(w, L"Mode"), 1);
    EXPECT_EQ(GetSetProp(w, L"Options"), L"[woA,woC]");
    EXPECT_EQ(GetPropText(w, L"Flag"), L"True");
    EXPECT_EQ(GetStrProp(form->OkButton, L"Caption"), L"It's OK");
    EXPECT_EQ(GetOrdProp(form->OkButton, L"Font.Height"), -13);
    EXPECT_EQ(GetObjectProp(form->OkButton, L"Font"), &form->OkButton->Font());
    EXPECT_EQ(GetOrdProp(form, L"Color"), clBtnFace);
    // Missing properties read as empty or -1, never throw.
    EXPECT_EQ(GetOrdProp(w, L"NoSuchThing"), -1);
    EXPECT_EQ(GetPropText(w, L"NoSuchThing"), L"");
    EXPECT_FALSE(IsPublishedProp(w, L"NoSuchThing"));

    SetEnumProp(w, L"mode", L"WMOFF");
    EXPECT_EQ(w->Mode(), wmOff);
    SetPropText(w, L"Count", L"17");
    EXPECT_EQ(w->Count(), 17);
    SetPropText(w, L"Options", L"[woB]");
    EXPECT_EQ(w->Options(), (TWidgetOptions{woB}));
    SetPropText(form->OkButton, L"Caption", L"Renamed");
    EXPECT_EQ(form->OkButton->Caption(), L"Renamed");
    SetPropText(form->Panel1, L"Color", L"clRed");
    EXPECT_EQ(form->Panel1->Color(), clRed);
    SetOrdProp(form->Check, L"Enabled", 1);
    EXPECT_TRUE(form->Check->Enabled());

    // An unknown enumeration member is a clear error and changes nothing.
    try {
        SetEnumProp(w, L"Mode", L"wmWarp");
        FAIL() << "no error for an unknown member";
    } catch (const EPropertyConvertError& e) {
        std::string message = e.what();
        EXPECT_NE(message.find("wmWarp"), std::string::npos);
        EXPECT_NE(message.find("Mode"), std::string::npos);
    }
    EXPECT_EQ(w->Mode(), wmOff);
    EXPECT_THROW(SetPropText(w, L"Count", L"12abc"), EPropertyConvertError);
    EXPECT_THROW(SetPropText(w, L"Options", L"[woZ]"), EPropertyConvertError);
    EXPECT_THROW(SetEnumProp(w, L"Flag", L"Maybe"), EPropertyConvertError);
    EXPECT_THROW(SetStrProp(w, L"NoSuchThing", L"x"), EPropertyError);
    delete form;
}

TEST_F(FormReader, BadFormTextGivesClearErrors) {
    TSampleForm form(nullptr);
    EXPECT_THROW(ReadFormText(form, "object SampleForm: TSampleForm\n  object X: TNoSuchClass\n  end\nend\n"),
                 EPropertyError);
    TSampleForm form2(nullptr);
    EXPECT_THROW(ReadFormText(form2, "object SampleForm: TSampleForm\n  Tag = \n"), FormTextError);
    TSampleForm form3(nullptr);
    try {
        ReadFormText(form3, "object SampleForm: TSampleForm\n  OnCreate = NoSuchHandler\nend\n");
        FAIL() << "unknown handler accepted";
    } catch (const EPropertyError& e) {
        EXPECT_NE(std::string(e.what()).find("NoSuchHandler"), std::string::npos);
    }
    TSampleForm form4(nullptr);
    EXPECT_THROW(ReadFormText(form4, "object SampleForm: TSampleForm\n  BorderStyle = bsRound\nend\n"),
                 EPropertyError);
    // A handler of the wrong kind for the event is refused.
    TSampleForm form5(nullptr);
    EXPECT_THROW(ReadFormText(form5, "object SampleForm: TSampleForm\n  OnClose = FormCreate\nend\n"), EPropertyError);
}
