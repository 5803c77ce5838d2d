// The single send path of every request, the receive timer's collection of
// reply bytes from the open transport, and the reply watchdog.
#include "console/Form1.h"

#include <vector>

#include "console/core/FixedTexts.h"
#include "link/Frame.h"
#include "link/Opcodes.h"
#include "link/win32/SerialPort.h"
#include "link/win32/TcpClient.h"
#include "console/Controls.h"

using relayon::console::TextKey;
namespace fixed = relayon::console;
namespace link = relayon::link;

namespace {

// Receive cadence: the line is read on every 6th tick, every 21st over TCP
// while the long information reply is awaited.
constexpr uint8_t kReadEvery = 5;
constexpr uint8_t kReadEveryWhileInfo = 20;
constexpr size_t kLongestReply = 25;
constexpr size_t kSerialQueueLimit = 512;
constexpr int kTcpSettleMs = 10;

}  // namespace

void TForm1::SendRequest(std::span<const uint8_t> payload)
{
    Timer_read232->SetEnabled(false);
    Timer1->SetEnabled(false);

    // The frame goes out through its hex text form, as the link has always
    // built it; LastCmd keeps the payload of short requests for the
    // receiver's acknowledgement check.
    if (payload.size() <= link::kMaxShortPayload)
        for (size_t i = 0; i < payload.size(); ++i)
            LastCmd[i] = payload[i];
    WriteFrame(link::RequestHexText(payload));

    Timer_read232->SetEnabled(true);
    if (payload.size() > 1 && payload[1] == link::ReadInfo)
        LinkFlags |= InfoRequested;
    else
        LinkFlags &= ~InfoRequested;
    RxTick = 0;
    Timer1->SetEnabled(true);
    ReplyWait = 0;
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
        if (RxTick < kReadEvery) {
            ++RxTick;
            return;
        }
        RxTick = 0;
        const size_t waiting = hComm->BytesWaiting();
        if (waiting == 0)
            return;
        if (waiting > kSerialQueueLimit) {
            hComm->PurgeInput();
            return;
        }
        chunk = hComm->Read(waiting);
    } else {
        if (!TcpConnected())
            return;
        const uint8_t threshold = (LinkFlags & InfoRequested) ? kReadEveryWhileInfo : kReadEvery;
        if (RxTick < threshold) {
            ++RxTick;
            return;
        }
        RxTick = 0;
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
    if (ReplyWait != 0) {
        ReplyWait = 0;
        Timer1->SetEnabled(false);
        SetPanelText(2, Txt(TextKey::TxtSentFailed));
    } else {
        ReplyWait = 1;
    }
}
