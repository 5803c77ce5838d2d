// The device setup page driven as an operator drives it (clicks, typing,
// keys, message boxes answered through the seam) against a listener on
// 127.0.0.1:8080 playing the unit's network interface, and on the serial
// pair COM1 (console) <-> COM2 (unit).
#include "ConsoleFixture.h"
#include "LinePeer.h"
#include "LoopbackPeer.h"

#include <string>
#include <vector>

#include "console/Controls.h"
#include "link/Frame.h"
#include "link/Opcodes.h"
#include "link/Replies.h"
#include "toolkit/testing/UiDriver.h"

namespace link = relayon::link;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr uint16_t kSequencerPort = 8080;
const wchar_t kBadId[] = L"please input a valid ID, range: 1-255";
const wchar_t kBadDelay[] = L"please input a valid ID, from 0.5 second to 60 minute, and should be a multiple of 0.5";

// The frame a payload goes out as (the frame layout has its own tests).
Bytes Frame(const Bytes& payload) { return link::EncodeRequest(payload); }

}  // namespace

class SetupPageTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        form().PageControl1->SetActivePageIndex(1);
        uitest::Pump(50);
    }

    // Replaces a field's text by typing, as the operator does.
    void Type(TEdit& edit, const std::wstring& text)
    {
        edit.SetText(L"");
        uitest::Click(edit);
        uitest::TypeText(text);
        uitest::Pump(20);
    }

    void ConnectTcp()
    {
        ASSERT_TRUE(peer.Listening()) << "127.0.0.1:8080 is taken";
        form().Ed_ip_address->SetText(L"127.0.0.1");
        form().PageControl1->SetActivePageIndex(0);
        uitest::Pump(30);
        uitest::Click(*form().Bn_ip_conn);
        ASSERT_TRUE(peer.Accept(Millis(1000)));
        form().PageControl1->SetActivePageIndex(1);
        uitest::Pump(50);
    }

    // What reached the unit, collected while the console keeps running.
    Bytes Sent(size_t count, int ms = 1500)
    {
        Bytes got;
        uitest::PumpUntil([&] {
            auto part = peer.Receive(count - got.size(), Millis(10));
            got.insert(got.end(), part.begin(), part.end());
            return got.size() >= count;
        }, ms);
        return got;
    }
    bool NothingSent() { return Sent(1, 300).empty(); }

    // Clicks `control` and expects one refusal box with `text`, nothing sent.
    void ExpectRefused(TControl& control, const wchar_t* text)
    {
        boxes->Clear();
        uitest::Click(control);
        ASSERT_EQ(boxes->Count(), 1) << "no refusal from " << ::testing::PrintToString(uitest::CaptionOf(control));
        EXPECT_EQ(boxes->Seen()[0].Text, text);
        EXPECT_EQ(boxes->Seen()[0].Caption, L"Error");
        EXPECT_EQ(boxes->Seen()[0].Owner, nullptr);
        EXPECT_TRUE(NothingSent());
    }

    bool CascadeControlsEnabled(bool on)
    {
        return form().Cb_ch->Enabled() == on && form().Label3->Enabled() == on &&
               form().Label2->Enabled() == on && form().Button3->Enabled() == on;
    }

    void FillDelays(const std::wstring& text)
    {
        for (auto& row : form().Ed_dly)
            for (TEdit* e : row)
                e->SetText(text);
    }

    LoopbackPeer peer{kSequencerPort, SOMAXCONN, Millis(10000)};
};

TEST_F(SetupPageTest, StartsWithCascadeOnFromLcdAndNothingArmed)
{
    EXPECT_TRUE(form().CheckBox17->Checked());
    EXPECT_EQ(form().Cb_ch->ItemIndex(), 0);
    EXPECT_EQ(form().Cb_ch->Text(), L"LCD");
    EXPECT_TRUE(CascadeControlsEnabled(true));
    EXPECT_FALSE(form().CB_lock->Checked());
    EXPECT_FALSE(form().CB_lock->Enabled());
    EXPECT_FALSE(form().CB_Opentime->Checked());
    EXPECT_FALSE(form().CB_Closetime->Checked());
    EXPECT_EQ(form().Ed_read_id->Text(), L"");
    EXPECT_EQ(form().Ed_write_id->Text(), L"");
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c) {
            EXPECT_EQ(form().Ed_dly[h][c]->Text(), L"");
            EXPECT_FALSE(form().CB_min[h][c]->Checked());
        }
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(SetupPageTest, EachButtonSendsItsRequest)
{
    ConnectTcp();
    // The ID strip: whatever the fields hold, read goes to ID 0.
    Type(*form().Ed_read_id, L"12");
    uitest::Click(*form().Bn_read_id);
    EXPECT_EQ(Sent(6), (Bytes{0x55, 0x00, 0xAB, 0x00, 0x00, 0xAB}));
    Type(*form().Ed_read_id, L"0");
    Type(*form().Ed_write_id, L"7");
    uitest::Click(*form().Bn_write_id);
    EXPECT_EQ(Sent(6), (Bytes{0x55, 0x00, 0xAA, 0x00, 0x07, 0xAD}));

    Type(*form().Ed_conn_id, L"5");
    uitest::Click(*form().Bn_connect);
    EXPECT_EQ(Sent(6), Frame({5, link::ReadInfo, 0, 0}));
    EXPECT_TRUE(form().Link().IsInfoRequested());

    uitest::Click(*form().Button1);
    EXPECT_EQ(Sent(6), Frame({5, link::SequenceControl, link::SwitchOn, 0}));
    uitest::Click(*form().Button2);
    EXPECT_EQ(Sent(6), Frame({5, link::SequenceControl, link::SwitchOff, 0}));
    uitest::Click(*form().Button3);
    EXPECT_EQ(Sent(6), Frame({5, link::SequenceControl, link::StartSequence, 0}));

    // Choosing a start channel turns cascade on from there.
    form().Cb_ch->SetFocus();
    uitest::Pump(20);
    uitest::PressKey(VK_DOWN);
    uitest::PressKey(VK_DOWN);
    EXPECT_EQ(Sent(12), (Bytes{0x55, 5, 0xA6, 2, 1, 0xA0, 0x55, 5, 0xA6, 2, 2, 0xA3}));

    // Cascade off, then on again: the start controls follow the box.
    uitest::Click(*form().CheckBox17);
    EXPECT_EQ(Sent(6), Frame({5, link::SequenceControl, link::CascadeOff, 2}));
    EXPECT_TRUE(CascadeControlsEnabled(false));
    uitest::Click(*form().CheckBox17);
    EXPECT_EQ(Sent(6), Frame({5, link::SequenceControl, link::CascadeOn, 2}));
    EXPECT_TRUE(CascadeControlsEnabled(true));

    // No start channel selected goes out as 0xFF.
    form().Cb_ch->SetItemIndex(-1);
    uitest::Click(*form().Button1);
    EXPECT_EQ(Sent(6), Frame({5, link::SequenceControl, link::SwitchOn, 0xFF}));

    // The one-shot boxes only take their mark.
    uitest::Click(*form().CB_Opentime);
    uitest::Click(*form().CB_Closetime);
    EXPECT_TRUE(form().CB_Opentime->Checked());
    EXPECT_TRUE(form().CB_Closetime->Checked());
    EXPECT_TRUE(NothingSent());
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(SetupPageTest, ApplySendsEighteenDelaysRoundedDownToTheHalf)
{
    ConnectTcp();
    Type(*form().Ed_conn_id, L"9");
    FillDelays(L"1");
    Type(*form().Ed_dly[0][0], L"60");
    uitest::Click(*form().CB_min[0][0]);
    Type(*form().Ed_dly[0][1], L"0.5");
    Type(*form().Ed_dly[0][2], L"1.25");
    Type(*form().Ed_dly[0][3], L"1.3");
    Type(*form().Ed_dly[0][8], L"0");
    uitest::Click(*form().CB_min[0][8]);
    Type(*form().Ed_dly[1][0], L"59.5");
    Type(*form().Ed_dly[1][8], L"2.");
    uitest::Click(*form().CB_min[1][4]);
    EXPECT_TRUE(NothingSent());

    uitest::Click(*form().Bn_app);
    Bytes payload = {9, link::SetDelays, 0xF8, 1, 2, 2, 2, 2, 2, 2, 0x80,
                     119, 2, 2, 2, 0x82, 2, 2, 2, 4};
    EXPECT_EQ(Sent(22), Frame(payload));
    EXPECT_EQ(boxes->Count(), 0);
}

TEST_F(SetupPageTest, RefusalsShowTheirMessageSendNothingAndChangeNoField)
{
    ConnectTcp();
    // Empty, out of range and garbled IDs.
    Type(*form().Ed_conn_id, L"");
    for (TControl* control : std::initializer_list<TControl*>{form().Bn_connect, form().Button1, form().Button2,
                                                                form().Button3, form().Bn_app})
        ExpectRefused(*control, kBadId);
    Type(*form().Ed_conn_id, L"256");
    ExpectRefused(*form().Button1, kBadId);
    Type(*form().Ed_conn_id, L"x");
    ExpectRefused(*form().Bn_connect, kBadId);

    // A refused cascade click leaves the start controls as they were.
    ExpectRefused(*form().CheckBox17, kBadId);
    EXPECT_TRUE(CascadeControlsEnabled(true));

    Type(*form().Ed_read_id, L"");
    Type(*form().Ed_write_id, L"7");
    ExpectRefused(*form().Bn_write_id, kBadId);
    Type(*form().Ed_read_id, L"3");
    Type(*form().Ed_write_id, L"");
    ExpectRefused(*form().Bn_write_id, kBadId);
    Type(*form().Ed_write_id, L"0");
    ExpectRefused(*form().Bn_write_id, kBadId);
    EXPECT_EQ(form().Ed_write_id->Text(), L"0");

    // Delay fields: the first bad one refuses the whole set.
    Type(*form().Ed_conn_id, L"4");
    for (const wchar_t* bad : {L"60.5", L"1,5", L"-1", L"", L".", L"1 5", L"a", L"1.5."}) {
        FillDelays(L"2");
        form().Ed_dly[1][7]->SetText(bad);
        ExpectRefused(*form().Bn_app, kBadDelay);
        EXPECT_EQ(form().Ed_dly[1][7]->Text(), bad);
        EXPECT_EQ(form().Ed_dly[0][0]->Text(), L"2");
    }
}

TEST_F(SetupPageTest, SameCopiesTheFirstDelayAndDefaultAsksFirst)
{
    // Without a valid ID neither button touches a field or asks.
    Type(*form().Ed_conn_id, L"");
    Type(*form().Ed_dly[0][0], L"2.5");
    ExpectRefused(*form().Button_same, kBadId);
    ExpectRefused(*form().Bn_default, kBadId);
    EXPECT_EQ(form().Ed_dly[1][8]->Text(), L"");

    Type(*form().Ed_conn_id, L"3");
    uitest::Click(*form().CB_min[0][0]);
    uitest::Click(*form().Button_same);
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c) {
            EXPECT_EQ(form().Ed_dly[h][c]->Text(), L"2.5");
            EXPECT_TRUE(form().CB_min[h][c]->Checked());
        }

    // Letters are copied as they stand; Apply finds them.
    Type(*form().Ed_dly[0][0], L"ab");
    uitest::Click(*form().Button_same);
    EXPECT_EQ(form().Ed_dly[1][0]->Text(), L"ab");
    boxes->Clear();
    uitest::Click(*form().Bn_app);
    ASSERT_EQ(boxes->Count(), 1);
    EXPECT_EQ(boxes->Seen()[0].Text, kBadDelay);

    boxes->Clear();
    boxes->QueueAnswer(IDCANCEL);
    uitest::Click(*form().Bn_default);
    ASSERT_EQ(boxes->Count(), 1);
    const auto& question = boxes->Seen()[0];
    EXPECT_EQ(question.OwnerForm, &form());
    EXPECT_EQ(question.Flags & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(question.Text, L"Are you sure restore the default value?");
    EXPECT_EQ(question.Caption, L"Attention");
    EXPECT_EQ(form().Ed_dly[1][3]->Text(), L"ab");
    EXPECT_TRUE(form().CB_min[1][3]->Checked());

    boxes->QueueAnswer(IDOK);
    uitest::Click(*form().Bn_default);
    for (int h = 0; h < kDelayKinds; ++h)
        for (int c = 0; c < kChannels; ++c) {
            EXPECT_EQ(form().Ed_dly[h][c]->Text(), L"1");
            EXPECT_EQ(uitest::CaptionOf(*form().CB_min[h][c]), L"M");
            EXPECT_FALSE(form().CB_min[h][c]->Checked());
        }
}

class SetupSerialTest : public SetupPageTest {
protected:
    void ConnectSerial()
    {
        ASSERT_TRUE(line.Ok());
        form().PageControl1->SetActivePageIndex(0);
        uitest::Pump(30);
        form().CB_com->SetItemIndex(0);
        uitest::Click(*form().Bn_ser_conn);
        ASSERT_EQ(form().Bn_ser_conn->Caption(), L"disconnect");
        form().PageControl1->SetActivePageIndex(1);
        uitest::Pump(50);
    }

    LinePeer line;
};

TEST_F(SetupSerialTest, InformationReplySetsTheBoxesWithoutSendingAnything)
{
    ConnectSerial();
    Type(*form().Ed_conn_id, L"6");
    uitest::Click(*form().Bn_connect);
    EXPECT_EQ(line.Receive(6), Frame({6, link::ReadInfo, 0, 0}));

    link::InfoReport info;
    info.deviceId = 6;
    info.onCodes.fill(0x02);
    info.offCodes.fill(0x83);
    info.cascade = 0;
    info.startChannel = 4;
    info.lock = link::SwitchSet;
    line.Send(link::MakeInfoReply(info));
    ASSERT_TRUE(uitest::PumpUntil([&] { return form().CB_lock->Checked(); }, 2000));
    EXPECT_FALSE(form().CheckBox17->Checked());
    EXPECT_TRUE(CascadeControlsEnabled(false));
    EXPECT_EQ(form().Ed_dly[1][8]->Text(), L"1.5");
    EXPECT_TRUE(form().CB_min[1][8]->Checked());
    // Neither the lock box nor the cascade box ran its action.
    EXPECT_TRUE(line.Receive(1, 400).empty());

    info.lock = link::InfoUnlocked;
    info.cascade = link::InfoCascadeOn;
    line.Send(link::MakeInfoReply(info));
    ASSERT_TRUE(uitest::PumpUntil([&] { return !form().CB_lock->Checked(); }, 2000));
    EXPECT_TRUE(form().CheckBox17->Checked());
    EXPECT_TRUE(CascadeControlsEnabled(true));
    EXPECT_EQ(form().Cb_ch->ItemIndex(), 4);
    EXPECT_TRUE(line.Receive(1, 400).empty());
    EXPECT_EQ(boxes->Count(), 0);

    // The page's requests take the serial line the same way.
    uitest::Click(*form().Button3);
    EXPECT_EQ(line.Receive(6), Frame({6, link::SequenceControl, link::StartSequence, 4}));
}
