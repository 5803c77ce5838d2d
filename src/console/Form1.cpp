// Construction of the main window: publishing of the resource-declared
// components and handlers, and FormCreate.
#include "console/Form1.h"
#include "skin/data/win32/Winskindata.h"

#include <windows.h>

#include "link/win32/SerialPort.h"
#include "link/win32/TcpClient.h"
#include "console/Controls.h"

TForm1* Form1 = nullptr;

namespace {

// Outer size of the window; the resource's client area is 765 x 653.
constexpr int kWindowWidth = 771;
constexpr int kWindowHeight = 693;

// Selects a stored item. A value beyond the list selects none, and the box
// then shows no text, as a combo box does when its selection is removed: the
// item it was designed with would name a language the captions do not speak,
// or a port that the connect button would not open.
void SelectStoredItem(TComboBox& box, int index)
{
    box.SetItemIndex(index);
    if (box.ItemIndex() < 0)
        box.SetText(L"");
}

template <class Grid>
int CountGrid(const Grid& grid)
{
    int n = 0;
    for (const auto& row : grid)
        for (const auto* control : row)
            n += control != nullptr;
    return n;
}

template <class Row>
int CountRow(const Row& row)
{
    int n = 0;
    for (const auto* control : row)
        n += control != nullptr;
    return n;
}

}  // namespace

TForm1::TForm1(TComponent* AOwner)
    : TForm(AOwner),
      hComm(std::make_unique<SerialPort>()),
      IdTCPClient1(std::make_unique<TcpClient>())
{
    // The TCP client's fixed settings; host and port are set at each connect.
    IdTCPClient1->ConnectTimeoutMs = 2000;
    IdTCPClient1->ReadTimeoutMs = -1;
    IdTCPClient1->Port = 0;
}

TForm1::~TForm1()
{
    // The controls, those of the resource and those built at run time alike,
    // are owned by the form and freed by it after this body.
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::Publish(TPublisher<TForm1>& p)
{
    // The skin component's class must be known before the resource is read.
    relayon::skin::RegisterSkinDataClasses();
    p.Field(L"SkinData1", &TForm1::SkinData1);
    p.Field(L"PageControl1", &TForm1::PageControl1);
    p.Field(L"TabSheet1", &TForm1::TabSheet1);
    p.Field(L"TabSheet2", &TForm1::TabSheet2);
    p.Field(L"TabSheet3", &TForm1::TabSheet3);
    p.Field(L"TabSheet4", &TForm1::TabSheet4);
    p.Field(L"Label5", &TForm1::Label5);
    p.Field(L"CB_language", &TForm1::CB_language);
    p.Field(L"Button7", &TForm1::Button7);
    p.Field(L"StatusBar1", &TForm1::StatusBar1);
    p.Field(L"Label13", &TForm1::Label13);
    p.Field(L"CB_com", &TForm1::CB_com);
    p.Field(L"Label8", &TForm1::Label8);
    p.Field(L"CB_baud_rate", &TForm1::CB_baud_rate);
    p.Field(L"Bn_ser_conn", &TForm1::Bn_ser_conn);
    p.Field(L"Label7", &TForm1::Label7);
    p.Field(L"Ed_ip_address", &TForm1::Ed_ip_address);
    p.Field(L"Bn_ip_conn", &TForm1::Bn_ip_conn);
    p.Field(L"Panel_setup", &TForm1::Panel_setup);
    p.Field(L"Bn_read_id", &TForm1::Bn_read_id);
    p.Field(L"Label14", &TForm1::Label14);
    p.Field(L"Ed_read_id", &TForm1::Ed_read_id);
    p.Field(L"Bn_write_id", &TForm1::Bn_write_id);
    p.Field(L"Label4", &TForm1::Label4);
    p.Field(L"Ed_write_id", &TForm1::Ed_write_id);
    p.Field(L"Label1", &TForm1::Label1);
    p.Field(L"GroupBox1", &TForm1::GroupBox1);
    p.Field(L"Label6", &TForm1::Label6);
    p.Field(L"Ed_conn_id", &TForm1::Ed_conn_id);
    p.Field(L"Bn_connect", &TForm1::Bn_connect);
    p.Field(L"CB_Opentime", &TForm1::CB_Opentime);
    p.Field(L"DateTimePicker1", &TForm1::DateTimePicker1);
    p.Field(L"DateTimePicker2", &TForm1::DateTimePicker2);
    p.Field(L"Button1", &TForm1::Button1);
    p.Field(L"CB_Closetime", &TForm1::CB_Closetime);
    p.Field(L"DateTimePicker3", &TForm1::DateTimePicker3);
    p.Field(L"DateTimePicker4", &TForm1::DateTimePicker4);
    p.Field(L"Button2", &TForm1::Button2);
    p.Field(L"GroupBox_dly_setup", &TForm1::GroupBox_dly_setup);
    p.Field(L"Button_same", &TForm1::Button_same);
    p.Field(L"Bn_default", &TForm1::Bn_default);
    p.Field(L"Bn_app", &TForm1::Bn_app);
    p.Field(L"GroupBox5", &TForm1::GroupBox5);
    p.Field(L"CheckBox17", &TForm1::CheckBox17);
    p.Field(L"Label3", &TForm1::Label3);
    p.Field(L"Cb_ch", &TForm1::Cb_ch);
    p.Field(L"Label2", &TForm1::Label2);
    p.Field(L"CB_lock", &TForm1::CB_lock);
    p.Field(L"Button3", &TForm1::Button3);
    p.Field(L"Panel1", &TForm1::Panel1);
    p.Field(L"Bn_ch_all", &TForm1::Bn_ch_all);
    p.Field(L"Bn_ch_clr", &TForm1::Bn_ch_clr);
    p.Field(L"Panel_Time_Task", &TForm1::Panel_Time_Task);
    p.Field(L"Timer_read232", &TForm1::Timer_read232);
    p.Field(L"Timer1", &TForm1::Timer1);
    p.Field(L"Timer2", &TForm1::Timer2);
    p.Field(L"Timer3", &TForm1::Timer3);

    p.Method(L"FormCreate", &TForm1::FormCreate);
    p.Method(L"Button7Click", &TForm1::Button7Click);
    p.Method(L"Bn_ser_connClick", &TForm1::Bn_ser_connClick);
    p.Method(L"Bn_ip_connClick", &TForm1::Bn_ip_connClick);
    p.Method(L"Timer_read232Timer", &TForm1::Timer_read232Timer);
    p.Method(L"Timer1Timer", &TForm1::Timer1Timer);
    p.Method(L"Timer2Timer", &TForm1::Timer2Timer);
    p.Method(L"CB_comChange", &TForm1::CB_comChange);
    p.Method(L"CB_baud_rateChange", &TForm1::CB_baud_rateChange);
    p.Method(L"DateTimePicker1Change", &TForm1::DateTimePicker1Change);
    p.Method(L"DateTimePicker2Change", &TForm1::DateTimePicker2Change);
    p.Method(L"DateTimePicker3Change", &TForm1::DateTimePicker3Change);
    p.Method(L"DateTimePicker4Change", &TForm1::DateTimePicker4Change);
    p.Method(L"Ed_conn_idExit", &TForm1::Ed_conn_idExit);
    p.Method(L"Ed_ip_addressExit", &TForm1::Ed_ip_addressExit);
    p.Method(L"CB_languageChange", &TForm1::CB_languageChange);
    // Real-time page
    p.Method(L"Timer3Timer", &TForm1::Timer3Timer);
    p.Method(L"Bn_ch_allClick", &TForm1::Bn_ch_allClick);
    p.Method(L"Bn_ch_clrClick", &TForm1::Bn_ch_clrClick);
    // Device setup page
    p.Method(L"Bn_connectClick", &TForm1::Bn_connectClick);
    p.Method(L"Bn_read_idClick", &TForm1::Bn_read_idClick);
    p.Method(L"Bn_write_idClick", &TForm1::Bn_write_idClick);
    p.Method(L"Bn_appClick", &TForm1::Bn_appClick);
    p.Method(L"CheckBox17Click", &TForm1::CheckBox17Click);
    p.Method(L"Cb_chChange", &TForm1::Cb_chChange);
    p.Method(L"Button3Click", &TForm1::Button3Click);
    p.Method(L"Button1Click", &TForm1::Button1Click);
    p.Method(L"Button2Click", &TForm1::Button2Click);
    p.Method(L"CB_lockClick", &TForm1::CB_lockClick);
    p.Method(L"Button_sameClick", &TForm1::Button_sameClick);
    p.Method(L"Bn_defaultClick", &TForm1::Bn_defaultClick);
    p.Method(L"CB_OpentimeClick", &TForm1::CB_OpentimeClick);
    p.Method(L"CB_ClosetimeClick", &TForm1::CB_ClosetimeClick);
}

void TForm1::FormCreate(TObject* Sender)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);

    SetWidth(kWindowWidth);
    SetHeight(kWindowHeight);
    // A screen smaller than the window gets scroll bars; the window is never shrunk.
    if (screenWidth < kWindowWidth) {
        HorzScrollBar().SetRange(kWindowWidth);
        HorzScrollBar().SetVisible(true);
    }
    if (screenHeight < kWindowHeight) {
        VertScrollBar().SetRange(kWindowHeight);
        VertScrollBar().SetVisible(true);
    }

    linkState_.Reset();
    BuildDelayGroups();
    BuildRealTimeGroups();
    Build_TaskPage();
    FitScheduleTimes();
    LoadSettings();
    SelectStoredItem(*CB_language, LangIndex);
    Set_Language(0);
    SelectStoredItem(*CB_com, StoredPortNumber - 1);

    hComm->Close();
    Timer2->SetEnabled(true);
    Timer3->SetInterval(100);
    Timer3->SetEnabled(true);
    linkState_.SetActionPending(false);
}

void TForm1::Button7Click(TObject* Sender)
{
    Close();
}

int TForm1::RunTimeControlCount() const
{
    return CountRow(GroupBox_dly) + CountGrid(Label_dly) + CountGrid(Ed_dly) + CountGrid(CB_min) +
           CountRow(GroupBox_rt) + CountRow(Ed_grp_id) + CountGrid(Shape_ch) + CountRow(Label_status) +
           CountRow(Label_mask) + CountRow(CB_mask_all) + CountRow(Bn_seq_on) + CountRow(Bn_rev_off) +
           CountGrid(Bn_ch) + CountGrid(CB_mask) + CountRow(Bn_grp_all) + CountGrid(Label_ch) +
           CountRow(CB_grp_lock) + CountRow(Panel_day) + CountRow(CB_week) + CountGrid(GroupBox_slot) +
           CountGrid(CB_on_slot) + CountGrid(CB_off_slot) + CountGrid(Dt_on_slot) + CountGrid(Dt_off_slot);
}
