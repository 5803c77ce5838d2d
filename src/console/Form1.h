#pragma once
// The console's main window: four pages (port setup, device setup, real-time
// control, timer tasks), the language box, the exit button and the status
// bar, plus the timers and the TCP client that drive the device link.
//
// The components the window resource declares are bound by name to the
// pointers below when the resource is read; the controls of the pages built at
// run time are reached through fixed-size group arrays of non-owning pointers.
// The form owns every control and frees them all with itself.
#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "console/core/LinkState.h"
#include "console/core/SettingsWrites.h"
#include "console/core/Texts.h"
#include "link/Schedule.h"
#include "link/GroupActions.h"
#include "link/RealTime.h"
#include "toolkit/Form.h"
#include "toolkit/core/Rtti.h"

namespace relayon::skin {
class TSkinData;
}

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

class SerialPort;
class TcpClient;
namespace relayon::link {
struct StatusReport;
struct InfoReport;
enum class Refusal : uint8_t;
}  // namespace relayon::link

// Run-time group sizes: delay kinds (switch-on, switch-off), channel positions
// (LCD, CH1..CH8), real-time groups, weekdays and task slots.
inline constexpr int kDelayKinds = 2;
inline constexpr int kChannels = 9;
inline constexpr int kMaskChannels = 8;
inline constexpr int kRealTimeGroups = 4;
inline constexpr int kWeekdays = 7;
inline constexpr int kTaskSlots = 10;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* AOwner);
    ~TForm1() override;

    // --- Components declared in the window resource ---
    relayon::skin::TSkinData* SkinData1 = nullptr;  // the window's skin, read from the form resource
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TTabSheet* TabSheet3 = nullptr;
    TTabSheet* TabSheet4 = nullptr;
    TLabel* Label5 = nullptr;
    TComboBox* CB_language = nullptr;
    TButton* Button7 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    // Port setup page
    TLabel* Label13 = nullptr;
    TComboBox* CB_com = nullptr;
    TLabel* Label8 = nullptr;
    TComboBox* CB_baud_rate = nullptr;
    TButton* Bn_ser_conn = nullptr;
    TLabel* Label7 = nullptr;
    TEdit* Ed_ip_address = nullptr;
    TButton* Bn_ip_conn = nullptr;
    // Device setup page
    TPanel* Panel_setup = nullptr;
    TButton* Bn_read_id = nullptr;
    TLabel* Label14 = nullptr;
    TEdit* Ed_read_id = nullptr;
    TButton* Bn_write_id = nullptr;
    TLabel* Label4 = nullptr;
    TEdit* Ed_write_id = nullptr;
    TLabel* Label1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label6 = nullptr;
    TEdit* Ed_conn_id = nullptr;
    TButton* Bn_connect = nullptr;
    TCheckBox* CB_Opentime = nullptr;
    TDateTimePicker* DateTimePicker1 = nullptr;
    TDateTimePicker* DateTimePicker2 = nullptr;
    TButton* Button1 = nullptr;
    TCheckBox* CB_Closetime = nullptr;
    TDateTimePicker* DateTimePicker3 = nullptr;
    TDateTimePicker* DateTimePicker4 = nullptr;
    TButton* Button2 = nullptr;
    TGroupBox* GroupBox_dly_setup = nullptr;
    TButton* Button_same = nullptr;
    TButton* Bn_default = nullptr;
    TButton* Bn_app = nullptr;
    TGroupBox* GroupBox5 = nullptr;
    TCheckBox* CheckBox17 = nullptr;
    TLabel* Label3 = nullptr;
    TComboBox* Cb_ch = nullptr;
    TLabel* Label2 = nullptr;
    TCheckBox* CB_lock = nullptr;
    TButton* Button3 = nullptr;
    // Real-time control page
    TPanel* Panel1 = nullptr;
    TButton* Bn_ch_all = nullptr;
    TButton* Bn_ch_clr = nullptr;
    // Timer task page
    TPanel* Panel_Time_Task = nullptr;
    // Link timers
    TTimer* Timer_read232 = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* Timer2 = nullptr;
    TTimer* Timer3 = nullptr;

    // --- Controls built at run time (owned by the form; these do not own) ---
    // Device setup page: delays [h][c]
    std::array<TGroupBox*, kDelayKinds> GroupBox_dly{};
    std::array<std::array<TLabel*, kChannels>, kDelayKinds> Label_dly{};
    std::array<std::array<TEdit*, kChannels>, kDelayKinds> Ed_dly{};
    std::array<std::array<TCheckBox*, kChannels>, kDelayKinds> CB_min{};
    // Real-time page: groups [g]
    std::array<TGroupBox*, kRealTimeGroups> GroupBox_rt{};
    std::array<TEdit*, kRealTimeGroups> Ed_grp_id{};
    std::array<std::array<TShape*, kChannels>, kRealTimeGroups> Shape_ch{};
    std::array<TLabel*, kRealTimeGroups> Label_status{};
    std::array<TLabel*, kRealTimeGroups> Label_mask{};
    std::array<TCheckBox*, kRealTimeGroups> CB_mask_all{};
    std::array<TButton*, kRealTimeGroups> Bn_seq_on{};
    std::array<TButton*, kRealTimeGroups> Bn_rev_off{};
    std::array<std::array<TButton*, kChannels>, kRealTimeGroups> Bn_ch{};
    std::array<std::array<TCheckBox*, kMaskChannels>, kRealTimeGroups> CB_mask{};
    std::array<TButton*, kRealTimeGroups> Bn_grp_all{};
    std::array<std::array<TLabel*, kChannels + 1>, kRealTimeGroups> Label_ch{};
    std::array<TCheckBox*, kRealTimeGroups> CB_grp_lock{};
    // Timer task page: days [d], slots [d][s]
    std::array<TPanel*, kWeekdays> Panel_day{};
    std::array<TCheckBox*, kWeekdays> CB_week{};
    std::array<std::array<TGroupBox*, kTaskSlots>, kWeekdays> GroupBox_slot{};
    std::array<std::array<TCheckBox*, kTaskSlots>, kWeekdays> CB_on_slot{};
    std::array<std::array<TCheckBox*, kTaskSlots>, kWeekdays> CB_off_slot{};
    std::array<std::array<TDateTimePicker*, kTaskSlots>, kWeekdays> Dt_on_slot{};
    std::array<std::array<TDateTimePicker*, kTaskSlots>, kWeekdays> Dt_off_slot{};

    // --- State ---
    int32_t LangIndex = 0;
    // Port number read from the settings file (CB_com item index + 1).
    int32_t StoredPortNumber = 1;
    // True while the settings file is applied at start-up: no writer saves then.
    bool SettingsLoading = false;
    // The open serial port (hComm) and the TCP client (IdTCPClient1).
    std::unique_ptr<SerialPort> hComm;
    std::unique_ptr<TcpClient> IdTCPClient1;

    // --- Handlers ---
    void FormCreate(TObject* Sender);
    void Button7Click(TObject* Sender);
    void Bn_ser_connClick(TObject* Sender);
    void Bn_ip_connClick(TObject* Sender);
    void Timer_read232Timer(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    // Settings writers
    void CB_comChange(TObject* Sender);
    void CB_baud_rateChange(TObject* Sender);
    void DateTimePicker1Change(TObject* Sender);
    void DateTimePicker2Change(TObject* Sender);
    void DateTimePicker3Change(TObject* Sender);
    void DateTimePicker4Change(TObject* Sender);
    void Ed_conn_idExit(TObject* Sender);
    void Ed_grp_idExit(TObject* Sender);
    void Ed_ip_addressExit(TObject* Sender);
    void CB_weekClick(TObject* Sender);
    void CB_on_slotClick(TObject* Sender);
    void CB_off_slotClick(TObject* Sender);
    void Dt_on_slotChange(TObject* Sender);
    void Dt_off_slotChange(TObject* Sender);
    void Save_Setting(uint32_t offset, int32_t value);
    void Save_DeviceId(int slot, int32_t id);
    void Save_OnTime(int d, int s);
    void Save_OffTime(int d, int s);
    void Enable_DayRows(int d, bool on);
    // Language
    void CB_languageChange(TObject* Sender);
    void Set_Language(int32_t previous);
    void Set_TaskCaptions();
    TControl* RealTimeGroupControl(relayon::console::TextKey key, int g);

    // --- Device setup page: the command set's handlers (SetupHandlers.cpp) ---
    void Bn_connectClick(TObject* Sender);
    void Bn_read_idClick(TObject* Sender);
    void Bn_write_idClick(TObject* Sender);
    void Bn_appClick(TObject* Sender);
    void CheckBox17Click(TObject* Sender);
    void Cb_chChange(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void CB_lockClick(TObject* Sender);
    void Button_sameClick(TObject* Sender);
    void Bn_defaultClick(TObject* Sender);
    void CB_OpentimeClick(TObject* Sender);
    void CB_ClosetimeClick(TObject* Sender);
    // Cb_ch, Label3, Label2 and Button3 follow the cascade state.
    void EnableCascadeControls(bool cascade);
    // The message of a refused command, in the selected language.
    void ShowRefusal(relayon::link::Refusal why);
    // SequenceControl with `subCommand` and the start channel of Cb_ch.
    void SendSequenceControl(uint8_t subCommand);

    // --- Send path ---
    void SendRequest(std::span<const uint8_t> payload);
    void WriteFrame(const std::string& text);
    bool Set_Serial(int portNumber);

    // The link state, read-only: what the send path last sent, the receive
    // cadence, the watchdog count, the flags and the running groups.
    const relayon::console::LinkState& Link() const { return linkState_; }
    // For tests that need a state no control of the window produces yet
    // (a queued real-time action).
    relayon::console::LinkState& LinkForTest() { return linkState_; }

    // Number of run-time controls built by FormCreate.
    int RunTimeControlCount() const;

    static void Publish(TPublisher<TForm1>& p);

    // --- Schedule timer: Timer2 switches the device at the programmed seconds ---
    void Timer2Timer(TObject* Sender);
    // The one-shot moments and the weekly plan as the pages show them now.
    relayon::link::SchedulePlan ReadSchedulePlan();
    // The one-shot and slot time pickers show H:mm:ss where the system's time
    // format does not fit their width.
    void FitScheduleTimes();
    // Remembers the previous tick, for seconds the timer missed.
    relayon::link::ScheduleMatcher scheduleMatcher_;

private:
    void BuildDelayGroups();
    void BuildRealTimeGroups();
    void Build_TaskPage();
    void HandleBrokenConnection();
    void LoadSettings();
    void ApplySettingsFile();
    void Save(const relayon::console::FieldWrite& write);
    // Receiver: one collected chunk of at most 25 bytes.
    void ApplyReply(std::span<const uint8_t> chunk);
    void OnAcknowledgement(uint8_t deviceId, uint8_t opcode);
    void OnShortReply(std::span<const uint8_t> chunk);
    void OnStatusFrame(std::span<const uint8_t> chunk, uint8_t opcode);
    void OnInformationReply(std::span<const uint8_t> chunk);
    void ShowDelivered();
    bool GroupShowsDevice(int g, uint8_t deviceId);
    void SetChannelLamp(int g, int c, bool on);
    void ApplyStatus(int g, const relayon::link::StatusReport& status);
    void ApplyEnableBits(int g, const relayon::link::StatusReport& status);
    void ApplyInformation(const relayon::link::InfoReport& info);
    void SetPanelText(int panel, const std::wstring& text);
    std::wstring PanelText(int panel);
    // Task-modal error box of a three-language message, picked when shown.
    void ShowMessage(relayon::console::TextKey message);
    bool SerialOpen() const;
    // The text of a key in the selected language.
    const std::wstring& Txt(relayon::console::TextKey key) const { return relayon::console::Text(key, LangIndex); }
    // The TCP client's connected query; a broken connection is handled on the
    // spot (false is returned), so no error leaves a send or a timer tick.
    bool TcpConnected();

    // LastCmd, LinkFlags, RxTick, ReplyWait and GroupRunning: kept by the
    // send path, the receive timer, the watchdog and the receiver only.
    relayon::console::LinkState linkState_;

    // --- Real-time page: Timer3, the queued action and the group handlers ---
public:
    void Timer3Timer(TObject* Sender);
    void Bn_seq_onClick(TObject* Sender);
    void Bn_rev_offClick(TObject* Sender);
    void Bn_chClick(TObject* Sender);
    void Bn_grp_allClick(TObject* Sender);
    void CB_maskClick(TObject* Sender);
    void CB_mask_allClick(TObject* Sender);
    void Bn_ch_allClick(TObject* Sender);
    void Bn_ch_clrClick(TObject* Sender);
    // Stands in for CB_maskClick while the page itself sets a mask box.
    void RUN_NULL(TObject* Sender);
    // The queue (PendingAction, ActionCountdown) and PollGroup, read-only.
    const relayon::link::RealTimeTimer& RealTime() const { return realTime_; }

private:
    void QueueAction(const relayon::link::QueuedAction& action);
    void QueueAction(const relayon::link::RealTimeAction& action);
    relayon::link::GroupState RealTimeGroupState(int g);
    relayon::link::GroupIdTexts RealTimeGroupIds();
    void ApplyPageUpdate(const relayon::link::PageUpdate& update);
    void ResetGroupDisplay(int g);
    void SetMaskBox(int g, int k, bool checked);
    relayon::link::RealTimeTimer realTime_;
};

extern TForm1* Form1;
