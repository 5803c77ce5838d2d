// The event loop of seqsim on Linux: one thread, poll(), no locks. It owns
// the TCP listener and its connections, the pseudo-terminal, the control
// inputs (stdin, an optional Unix socket and an optional TCP port) and the Simulator, and moves
// bytes between them at the times the Simulator and the serial pacing say.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "seqsim/Options.h"
#include "seqsim/PtyPort.h"
#include "seqsim/Simulator.h"
#include "seqsim/TrafficLog.h"
#include "seqsim/UniqueFd.h"

namespace relayon::seqsim {

class Runner {
public:
    // `out` receives the start-up lines and the replies to stdin commands;
    // `log` the traffic log (nullptr: none). Both must outlive the runner.
    Runner(Config config, std::ostream& out, std::ostream* log);
    ~Runner();

    // Opens every configured link; false with a reason otherwise.
    bool Start(std::string& error);
    // Runs until "quit" or Stop(); returns the exit status.
    int Run();
    // Safe from another thread and from a signal handler.
    void Stop();

    uint16_t TcpPort() const { return tcpPort_; }
    std::string PtyPath() const { return pty_ ? pty_->Path() : std::string(); }

private:
    struct TcpClient {
        UniqueFd fd;
        std::string out;
        bool closeAfterFlush = false;
    };
    struct ControlClient {
        UniqueFd fd;
        std::string in;
    };

    int64_t NowNs() const;
    int64_t NowMs() const { return NowNs() / 1'000'000; }
    bool OpenTcp(std::string& error);
    bool OpenControlSocket(std::string& error);
    bool OpenControlTcp(std::string& error);
    void AcceptTcp();
    void AcceptControl(int listener);
    void ReadTcp(ConnectionId id);
    void ReadPty();
    void ReadStdin();
    void ReadControl(int fd);
    void HandleControlLines(std::string& buffer, int replyFd);
    void Deliver();
    void FlushTcp(ConnectionId id);
    void CloseTcp(ConnectionId id);
    int PollTimeoutMs() const;

    Config config_;
    std::ostream& out_;
    TrafficLog log_;
    std::unique_ptr<Simulator> sim_;
    std::chrono::steady_clock::time_point start_;
    UniqueFd stopRead_;
    UniqueFd stopWrite_;
    UniqueFd tcpListener_;
    uint16_t tcpPort_ = 0;
    std::map<ConnectionId, TcpClient> tcpClients_;
    ConnectionId nextTcpId_ = 1;
    std::unique_ptr<PtyPort> pty_;
    UniqueFd controlListener_;
    UniqueFd controlTcpListener_;
    std::map<int, ControlClient> controlClients_;
    bool stdinOpen_ = false;
    std::string stdinBuffer_;
    bool quit_ = false;
};

inline constexpr ConnectionId kSerialConnection = 0;

}  // namespace relayon::seqsim
