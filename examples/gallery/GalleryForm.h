#pragma once
// The gallery window: every control of the toolkit on two pages, captions in
// English, Simplified and Traditional Chinese, a clock label driven by a
// timer and a button that shows a message box.
#include "toolkit/Form.h"

class TButton;
class TCheckBox;
class TComboBox;
class TDateTimePicker;
class TEdit;
class TGroupBox;
class TLabel;
class TPageControl;
class TPanel;
class TShape;
class TStatusBar;
class TTabSheet;
class TTimer;

class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* AOwner) : TForm(AOwner) {}

    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabControls = nullptr;
    TTabSheet* TabLamps = nullptr;
    TGroupBox* GroupEnglish = nullptr;
    TGroupBox* GroupSimplified = nullptr;
    TGroupBox* GroupTraditional = nullptr;
    TLabel* LabelClock = nullptr;
    TEdit* EditName = nullptr;
    TComboBox* ComboLanguage = nullptr;
    TCheckBox* CheckEnabled = nullptr;
    TCheckBox* CheckDisabled = nullptr;
    TButton* ButtonMessage = nullptr;
    TButton* ButtonExit = nullptr;
    TDateTimePicker* PickerDate = nullptr;
    TDateTimePicker* PickerTime = nullptr;
    TPanel* PanelLamps = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TTimer* TimerClock = nullptr;
    TShape* Lamps[6] = {};

    void FormCreate(TObject* Sender);
    void ButtonMessageClick(TObject* Sender);
    void ButtonExitClick(TObject* Sender);
    void TimerClockTimer(TObject* Sender);
    void ComboLanguageChange(TObject* Sender);
    void LampClick(TObject* Sender);

    static void Publish(TPublisher<TGalleryForm>& p);

private:
    int ticks_ = 0;
};
