// Device setup page: what its buttons and boxes do. Each handler reads the
// page's controls, lets the link's builders check them and either sends the
// request or shows the refusal; a refused command sends nothing and leaves
// every field as it was. Button_same and Bn_default only fill the delay
// fields; the delays reach the unit when the operator presses Bn_app.
#include "console/Form1.h"

#include "link/Commands.h"
#include "link/Opcodes.h"
#include "link/TypedNumber.h"
#include "toolkit/MessageBox.h"
#include "console/Controls.h"

using relayon::console::TextKey;
namespace link = relayon::link;

namespace {

// The default delay Bn_default puts into every field: one second.
const wchar_t kDefaultDelay[] = L"1";

}  // namespace

void TForm1::ShowRefusal(link::Refusal why)
{
    switch (why) {
    case link::Refusal::None: break;
    case link::Refusal::BadId: ShowMessage(TextKey::MsgBadId); break;
    case link::Refusal::BadDelay: ShowMessage(TextKey::MsgBadDelay); break;
    case link::Refusal::Locked: ShowMessage(TextKey::MsgLocked); break;
    case link::Refusal::Running: ShowMessage(TextKey::MsgRunning); break;
    }
}

namespace {

// Sends a built request, or shows why it was refused. True when sent.
bool SendBuilt(TForm1& form, const link::BuiltRequest& request)
{
    if (!request.Ok()) {
        form.ShowRefusal(request.refusal);
        return false;
    }
    form.SendRequest(request.value);
    return true;
}

}  // namespace

void TForm1::SendSequenceControl(uint8_t subCommand)
{
    SendBuilt(*this, link::BuildSequenceControl(Ed_conn_id->Text(), subCommand, Cb_ch->ItemIndex()));
}

void TForm1::EnableCascadeControls(bool cascade)
{
    Cb_ch->SetEnabled(cascade);
    Label3->SetEnabled(cascade);
    Label2->SetEnabled(cascade);
    Button3->SetEnabled(cascade);
}

void TForm1::Bn_connectClick(TObject* Sender)
{
    SendBuilt(*this, link::BuildReadInfo(Ed_conn_id->Text()));
}

void TForm1::Bn_read_idClick(TObject* Sender)
{
    SendBuilt(*this, link::BuildReadId());
}

void TForm1::Bn_write_idClick(TObject* Sender)
{
    SendBuilt(*this, link::BuildWriteId(Ed_read_id->Text(), Ed_write_id->Text()));
}

void TForm1::Bn_appClick(TObject* Sender)
{
    link::DelayTexts texts;
    link::MinuteBoxes minutes{};
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c) {
            texts[h][c] = Ed_dly[h][c]->Text();
            minutes[h][c] = CB_min[h][c]->Checked();
        }
    SendBuilt(*this, link::BuildApplyDelays(Ed_conn_id->Text(), texts, minutes));
}

void TForm1::CheckBox17Click(TObject* Sender)
{
    // A refused ID leaves the cascade controls as they were; the box keeps
    // the mark the click gave it.
    const bool cascade = CheckBox17->Checked();
    if (SendBuilt(*this, link::BuildCascade(Ed_conn_id->Text(), cascade, Cb_ch->ItemIndex())))
        EnableCascadeControls(cascade);
}

void TForm1::Cb_chChange(TObject* Sender)
{
    SendSequenceControl(link::CascadeOn);
}

void TForm1::Button3Click(TObject* Sender)
{
    SendSequenceControl(link::StartSequence);
}

void TForm1::Button1Click(TObject* Sender)
{
    SendSequenceControl(link::SwitchOn);
}

void TForm1::Button2Click(TObject* Sender)
{
    SendSequenceControl(link::SwitchOff);
}

// The box is disabled, so only a change made by the program reaches this;
// the receiver sets it from a unit's reply without running it.
void TForm1::CB_lockClick(TObject* Sender)
{
    SendBuilt(*this, link::BuildSetLock(Ed_conn_id->Text(), CB_lock->Checked()));
}

void TForm1::Button_sameClick(TObject* Sender)
{
    if (!link::TypedDeviceId(Ed_conn_id->Text())) {
        ShowMessage(TextKey::MsgBadId);
        return;
    }
    // Copied as it stands, valid or not: Bn_app checks it later.
    const std::wstring text = Ed_dly[0][0]->Text();
    const std::wstring caption = CB_min[0][0]->Caption();
    const bool minutes = CB_min[0][0]->Checked();
    for (int c = 0; c < kChannels; ++c)
        for (int h = 0; h < kDelayKinds; ++h) {
            Ed_dly[h][c]->SetText(text);
            CB_min[h][c]->SetCaption(caption);
            CB_min[h][c]->SetCheckedSilently(minutes);
        }
}

void TForm1::Bn_defaultClick(TObject* Sender)
{
    if (!link::TypedDeviceId(Ed_conn_id->Text())) {
        ShowMessage(TextKey::MsgBadId);
        return;
    }
    const auto question = relayon::console::Message(TextKey::MsgConfirmDefault, LangIndex);
    if (OwnedQuestionBox(this, question.text, question.caption) != IDOK)
        return;
    for (int c = 0; c < kChannels; ++c)
        for (int h = 0; h < kDelayKinds; ++h) {
            Ed_dly[h][c]->SetText(kDefaultDelay);
            CB_min[h][c]->SetCaption(Txt(TextKey::TxtMinute));
            CB_min[h][c]->SetCheckedSilently(false);
        }
}

// The one-shot boxes only hold their own mark; the schedule timer reads it.
void TForm1::CB_OpentimeClick(TObject* Sender) {}

void TForm1::CB_ClosetimeClick(TObject* Sender) {}
