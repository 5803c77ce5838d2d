// The language switch: every caption and status text in the language that
// LangIndex selects.
#include "console/Form1.h"

#include "console/Controls.h"
#include "console/SettingsFile.h"
#include "console/core/CaptionPlan.h"
#include "console/core/SettingsWrites.h"

namespace text = relayon::console;
using relayon::console::TextKey;

void TForm1::CB_languageChange(TObject* Sender)
{
    const int32_t chosen = CB_language->ItemIndex();
    if (chosen == LangIndex)
        return;
    const int32_t previous = LangIndex;
    LangIndex = chosen;
    Save(text::EncodeLangIndex(LangIndex));
    Set_Language(previous);
}

void TForm1::Set_Language(int32_t previous)
{
    for (const text::ControlCaption& entry : text::WindowCaptionOrder()) {
        auto* control = dynamic_cast<TControl*>(FindComponent(std::wstring(entry.control.begin(), entry.control.end())));
        if (!control)
            continue;
        if (entry.rule == text::CaptionRule::ConnectButton)
            control->SetCaption(text::ConnectButtonCaption(control->Caption(), previous, LangIndex));
        else
            control->SetCaption(Txt(entry.key));
    }
    SetPanelText(1, text::RetranslateOpenResultPanel(PanelText(1), previous, LangIndex));
    SetPanelText(2, text::RetranslateSendStatusPanel(PanelText(2), previous, LangIndex));
    SetPanelText(4, text::VersionPanelText(LangIndex));

    for (int h = 0; h < kDelayKinds; ++h)
        GroupBox_dly[h]->SetCaption(Txt(*text::DelayGroupCaptionKey(h)));
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c)
            CB_min[h][c]->SetCaption(Txt(text::kDelayUnitCaptionKey));

    for (int g = 0; g < kRealTimeGroups; ++g) {
        for (const TextKey key : text::kRealTimeGroupCaptionOrder)
            if (TControl* control = RealTimeGroupControl(key, g))
                control->SetCaption(Txt(key));
        for (int c = 0; c < kChannels; ++c)
            Bn_ch[g][c]->SetCaption(Txt(text::kChannelButtonResetKey));
    }
    Set_TaskCaptions();
}

// The control of real-time group g that a caption key is named after.
TControl* TForm1::RealTimeGroupControl(TextKey key, int g)
{
    switch (key) {
    case TextKey::Label_status: return Label_status[g];
    case TextKey::Label_mask: return Label_mask[g];
    case TextKey::CB_mask_all: return CB_mask_all[g];
    case TextKey::Bn_seq_on: return Bn_seq_on[g];
    case TextKey::Bn_rev_off: return Bn_rev_off[g];
    default: return nullptr;
    }
}
