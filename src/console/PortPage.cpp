// Port setup page: opening and closing the serial port and the TCP
// connection, with the status-bar texts and the refusals while the other
// transport is open.
#include "console/Form1.h"

#include "console/core/FixedTexts.h"
#include "link/win32/SerialPort.h"
#include "link/win32/SerialSettings.h"
#include "link/win32/TcpClient.h"
#include "console/Controls.h"
#include "toolkit/MessageBox.h"
#include "toolkit/TextConvert.h"

using relayon::console::Message;
using relayon::console::TextKey;
namespace fixed = relayon::console;

namespace {

constexpr int kTcpPort = 8080;

}  // namespace

bool TForm1::SerialOpen() const
{
    return hComm->IsOpen();
}

bool TForm1::Set_Serial(int portNumber)
{
    const unsigned baud = BaudForIndex(CB_baud_rate->ItemIndex());
    SetPanelText(0, fixed::SerialPortPanelText(portNumber, static_cast<int>(baud)));

    // Open closes a port that is still open before it opens this one. Only a
    // port that cannot be opened at all stops the receive timer; one whose
    // line settings the driver refused is closed again and leaves it running.
    const SerialPort::OpenResult result = hComm->Open(portNumber, baud);
    if (result != SerialPort::OpenResult::Ok) {
        if (result == SerialPort::OpenResult::OpenFailed)
            Timer_read232->SetEnabled(false);
        ShowMessage(TextKey::MsgPortInvalid);
        SetPanelText(1, Txt(TextKey::TxtOpenFailed));
        return false;
    }
    SetPanelText(1, Txt(TextKey::TxtOpenOk));
    Timer_read232->SetEnabled(true);
    return true;
}

void TForm1::Bn_ser_connClick(TObject* Sender)
{
    if (TcpConnected()) {
        ShowMessage(TextKey::MsgTcpInUse);
        return;
    }
    if (Bn_ser_conn->Caption() == Txt(TextKey::TxtConnect)) {
        if (Set_Serial(CB_com->ItemIndex() + 1))
            Bn_ser_conn->SetCaption(Txt(TextKey::TxtDisconnect));
        CB_com->SetEnabled(false);
        CB_baud_rate->SetEnabled(false);
        return;
    }
    hComm->Close();
    Bn_ser_conn->SetCaption(Txt(TextKey::TxtConnect));
    SetPanelText(0, std::wstring(fixed::kPortPanelPrefix));
    SetPanelText(1, L"");
    CB_com->SetEnabled(true);
    CB_baud_rate->SetEnabled(true);
}

void TForm1::Bn_ip_connClick(TObject* Sender)
{
    if (SerialOpen()) {
        ShowMessage(TextKey::MsgSerialInUse);
        return;
    }
    // A connection found broken here was open as far as the operator could
    // tell (the button read disconnect), so the click closes it and opens
    // nothing: the break counts as "was connected".
    bool wasConnected = true;
    try {
        wasConnected = IdTCPClient1->Connected();
    } catch (const TcpError&) {
    }
    if (wasConnected) {
        try {
            IdTCPClient1->Disconnect();
        } catch (const TcpError&) {
            // The connection is gone either way; the captions below say so.
        }
    } else {
        IdTCPClient1->Port = kTcpPort;
        IdTCPClient1->Host = WideToAnsi(Ed_ip_address->Text());
        try {
            IdTCPClient1->Connect();
        } catch (const TcpError&) {
            ShowMessage(TextKey::MsgConnectFailed);
        }
    }
    if (TcpConnected()) {
        Bn_ip_conn->SetCaption(Txt(TextKey::TxtDisconnect));
        SetPanelText(0, fixed::EthernetPanelText(Ed_ip_address->Text()));
    } else {
        Bn_ip_conn->SetCaption(Txt(TextKey::TxtConnect));
        SetPanelText(0, std::wstring(fixed::kPortPanelPrefix));
    }
}

void TForm1::ShowMessage(TextKey message)
{
    const auto texts = Message(message, LangIndex);
    TaskMessageBox(texts.text, texts.caption);
}

void TForm1::SetPanelText(int panel, const std::wstring& text)
{
    StatusBar1->Panels().Items(panel)->SetText(text);
}

std::wstring TForm1::PanelText(int panel)
{
    return StatusBar1->Panels().Items(panel)->Text();
}
