// The single send path of every request, the receive timer's collection of
// reply bytes from the open transport, and the reply watchdog.
#include "console/Form1.h"

#include <vector>

#include "console/core/FixedTexts.h"
#include "link/Frame.h"
#include "link/win32/SerialPort.h"
#include "link/win32/TcpClient.h"
#include "console/Controls.h"

using relayon::console::TextKey;
namespace fixed = relayon::console;
namespace link = relayon::link;

namespace {

constexpr size_t kLongestReply = link::kLongReplyLength;
constexpr size_t kSerialQueueLimit = 512;
constexpr int kTcpSettleMs = 10;

}  // namespace

void TForm1::SendRequest(std::span<const uint8_t> payload)
{
    Timer_read232->SetEnabled(false);
    Timer1->SetEnabled(false);

    // The frame goes out through its hex text form, as the link has always
    // built it. The link state keeps the payload of short requests for the
    // receiver's acknowledgement check and restarts both counts.
    WriteFrame(link::RequestHexText(payload));
    linkState_.RequestSent(payload);
    Timer_read232->SetEnabled(true);
    Timer1->SetEnabled(true);
}

void TForm1::WriteFrame(const std::string& text)
{
    std::vector<uint8_t> bytes;
    link::HexToBytes(text, bytes);
    if (TcpConnected())
        IdTCPClient1->WriteBytes(bytes);
    else if (SerialOpen())
        hComm->Write(bytes);
}

bool TForm1::TcpConnected()
{
    try {
        return IdTCPClient1->Connected();
    } catch (const TcpError&) {
        HandleBrokenConnection();
        return false;
    }
}

// A connection found broken is closed; the port page then offers to connect
// again. Used by the receive tick and by every other connected query, so a
// break noticed while sending is handled the same way.
void TForm1::HandleBrokenConnection()
{
    bool closed = true;
    try {
        IdTCPClient1->Disconnect();
    } catch (const TcpError&) {
        closed = false;
    }
    if (!closed)
        ShowMessage(TextKey::MsgConnectFailed);
    Bn_ip_conn->SetCaption(Txt(TextKey::TxtConnect));
    SetPanelText(0, std::wstring(fixed::kPortPanelPrefix));
}

void TForm1::Timer_read232Timer(TObject* Sender)
{
    std::vector<uint8_t> chunk;
    if (SerialOpen()) {
        if (!linkState_.ReadDue(false))
            return;
        const size_t waiting = hComm->BytesWaiting();
        if (waiting == 0)
            return;
        if (waiting > kSerialQueueLimit) {
            hComm->PurgeInput();
            return;
        }
        chunk = hComm->Read(waiting);
    } else {
        if (!TcpConnected() || !linkState_.ReadDue(true))
            return;
        if (IdTCPClient1->InputBufferIsEmpty())
            return;
        IdTCPClient1->CheckForDataOnSource(kTcpSettleMs);
        chunk = IdTCPClient1->ReadBytes(IdTCPClient1->InputBufferSize());
    }
    if (chunk.empty() || chunk.size() > kLongestReply)
        return;
    ApplyReply(chunk);
}

void TForm1::Timer1Timer(TObject* Sender)
{
    if (linkState_.WatchdogTick()) {
        Timer1->SetEnabled(false);
        SetPanelText(2, Txt(TextKey::TxtSentFailed));
    }
}
