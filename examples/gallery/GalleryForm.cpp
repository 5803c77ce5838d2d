#include "GalleryForm.h"

#include <cstdio>

#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/DateTimePicker.h"
#include "toolkit/Edit.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/MessageBox.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/Shape.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Timer.h"

void TGalleryForm::Publish(TPublisher<TGalleryForm>& p) {
    p.Field(L"PageControl1", &TGalleryForm::PageControl1);
    p.Field(L"TabControls", &TGalleryForm::TabControls);
    p.Field(L"TabLamps", &TGalleryForm::TabLamps);
    p.Field(L"GroupEnglish", &TGalleryForm::GroupEnglish);
    p.Field(L"GroupSimplified", &TGalleryForm::GroupSimplified);
    p.Field(L"GroupTraditional", &TGalleryForm::GroupTraditional);
    p.Field(L"LabelClock", &TGalleryForm::LabelClock);
    p.Field(L"EditName", &TGalleryForm::EditName);
    p.Field(L"ComboLanguage", &TGalleryForm::ComboLanguage);
    p.Field(L"CheckEnabled", &TGalleryForm::CheckEnabled);
    p.Field(L"CheckDisabled", &TGalleryForm::CheckDisabled);
    p.Field(L"ButtonMessage", &TGalleryForm::ButtonMessage);
    p.Field(L"ButtonExit", &TGalleryForm::ButtonExit);
    p.Field(L"PickerDate", &TGalleryForm::PickerDate);
    p.Field(L"PickerTime", &TGalleryForm::PickerTime);
    p.Field(L"PanelLamps", &TGalleryForm::PanelLamps);
    p.Field(L"StatusBar1", &TGalleryForm::StatusBar1);
    p.Field(L"TimerClock", &TGalleryForm::TimerClock);
    p.Method(L"FormCreate", &TGalleryForm::FormCreate);
    p.Method(L"ButtonMessageClick", &TGalleryForm::ButtonMessageClick);
    p.Method(L"ButtonExitClick", &TGalleryForm::ButtonExitClick);
    p.Method(L"TimerClockTimer", &TGalleryForm::TimerClockTimer);
    p.Method(L"ComboLanguageChange", &TGalleryForm::ComboLanguageChange);
}

// Lamps are built at run time, like the console's channel lamps.
void TGalleryForm::FormCreate(TObject*) {
    const TColor colours[] = {clRed, clLime, clWhite, clRed, clLime, clWhite};
    for (int i = 0; i < 6; ++i) {
        auto* lamp = new TShape(this);
        lamp->SetParent(PanelLamps);
        lamp->SetBounds(16 + 44 * i, 16, 28, 28);
        lamp->SetShape(stCircle);
        lamp->Brush().SetColor(colours[i]);
        lamp->OnClick = TNotifyEvent(this, &TGalleryForm::LampClick);
        Lamps[i] = lamp;
        auto* label = new TLabel(this);
        label->SetParent(PanelLamps);
        label->SetBounds(16 + 44 * i, 50, 36, 16);
        label->SetCaption(i == 0 ? L"LCD" : L"CH" + std::to_wstring(i));
    }
    StatusBar1->Panels().Items(0)->SetText(L"Ready 就绪 就緒");
    TimerClockTimer(nullptr);
}

void TGalleryForm::ButtonMessageClick(TObject*) {
    TaskMessageBox(L"Hello from the gallery.\n你好，图库。\n你好，圖庫。", L"Gallery");
}

void TGalleryForm::ButtonExitClick(TObject*) { Close(); }

void TGalleryForm::TimerClockTimer(TObject*) {
    ++ticks_;
    TimeParts t = DecodeTime(Now());
    wchar_t text[64];
    swprintf(text, 64, L"Clock 时钟 時鐘: %02d:%02d:%02d", t.hour, t.minute, t.second);
    LabelClock->SetCaption(text);
    StatusBar1->Panels().Items(2)->SetText(L"Ticks: " + std::to_wstring(ticks_));
    // The lamps blink with the clock.
    if (Lamps[2]) Lamps[2]->Brush().SetColor(ticks_ % 2 ? clRed : clWhite);
}

void TGalleryForm::ComboLanguageChange(TObject*) {
    StatusBar1->Panels().Items(1)->SetText(ComboLanguage->Text());
}

void TGalleryForm::LampClick(TObject* Sender) {
    auto* lamp = static_cast<TShape*>(Sender);
    lamp->Brush().SetColor(lamp->Brush().Color() == clRed ? clLime : clRed);
}
