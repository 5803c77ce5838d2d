#include "seqsim/Runner.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "seqsim/Control.h"

namespace relayon::seqsim {

namespace {

constexpr size_t kMaxPendingOutput = 1 << 20;
constexpr size_t kMaxControlLine = 4096;

void SetNonBlocking(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// Sends as much as the socket takes now; removes it from `data`.
bool SendSome(int fd, std::string& data)
{
    while (!data.empty()) {
        ssize_t n = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK;
        data.erase(0, static_cast<size_t>(n));
    }
    return true;
}

Bus MakeBus(const Config& config)
{
    Bus bus(config.timeScale);
    bus.SetSharedAnswers(config.sharedAnswers);
    for (uint8_t id : config.unitIds) {
        UnitSettings settings;
        settings.style = config.statusReplies ? ReplyStyle::Status : ReplyStyle::Short;
        settings.notices = config.notices;
        settings.silent = std::find(config.silentIds.begin(), config.silentIds.end(), id) != config.silentIds.end();
        bus.AddUnit(id, settings);
    }
    return bus;
}

}  // namespace

Runner::Runner(Config config, std::ostream& out, std::ostream* log)
    : config_(std::move(config)), out_(out), log_(log), start_(std::chrono::steady_clock::now())
{
    sim_ = std::make_unique<Simulator>(MakeBus(config_), config_.faults, config_.seed, log_);
    sim_->SetIdleGapMs(config_.idleGapMs);
}

Runner::~Runner()
{
    if (!config_.controlSocket.empty() && controlListener_.Valid())
        unlink(config_.controlSocket.c_str());
}

int64_t Runner::NowNs() const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start_).count();
}

bool Runner::Start(std::string& error)
{
    int fds[2];
    if (pipe(fds) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    stopRead_.Reset(fds[0]);
    stopWrite_.Reset(fds[1]);
    SetNonBlocking(fds[0]);
    SetNonBlocking(fds[1]);
    if (config_.tcp && !OpenTcp(error))
        return false;
    if (config_.serial) {
        pty_ = std::make_unique<PtyPort>(config_.baud, config_.ptyLink);
        if (!pty_->Open(error))
            return false;
        sim_->Open(kSerialConnection, "serial");
        out_ << "seqsim: serial " << pty_->Path();
        if (!config_.ptyLink.empty())
            out_ << " (link " << config_.ptyLink << ")";
        out_ << " at " << config_.baud << " baud\n";
    }
    if (!config_.controlSocket.empty() && !OpenControlSocket(error))
        return false;
    if (config_.controlPort != 0 && !OpenControlTcp(error))
        return false;
    stdinOpen_ = config_.controlStdin;
    if (stdinOpen_)
        SetNonBlocking(STDIN_FILENO);
    out_ << "seqsim: units";
    for (const Unit& unit : sim_->GetBus().Units())
        out_ << ' ' << int(unit.Id());
    out_ << ", time scale " << config_.timeScale << ", faults: " << DescribeFaults(sim_->Faults()) << '\n'
         << std::flush;
    return true;
}

bool Runner::OpenTcp(std::string& error)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(config_.port);
    if (inet_pton(AF_INET, config_.listenAddress.c_str(), &addr.sin_addr) != 1) {
        error = "bad listen address " + config_.listenAddress;
        return false;
    }
    UniqueFd fd(socket(AF_INET, SOCK_STREAM, 0));
    int yes = 1;
    setsockopt(fd.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (!fd.Valid() || bind(fd.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(fd.Get(), 8) != 0) {
        error = "listen on " + config_.listenAddress + ":" + std::to_string(config_.port) + ": " +
                std::strerror(errno);
        return false;
    }
    socklen_t len = sizeof addr;
    getsockname(fd.Get(), reinterpret_cast<sockaddr*>(&addr), &len);
    tcpPort_ = ntohs(addr.sin_port);
    SetNonBlocking(fd.Get());
    tcpListener_ = std::move(fd);
    out_ << "seqsim: tcp " << config_.listenAddress << ':' << tcpPort_ << '\n';
    return true;
}

bool Runner::OpenControlSocket(std::string& error)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (config_.controlSocket.size() >= sizeof addr.sun_path) {
        error = "control socket path too long";
        return false;
    }
    struct stat info {};
    if (lstat(config_.controlSocket.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) {
            error = config_.controlSocket + " exists and is not a socket; not replacing it";
            return false;
        }
        unlink(config_.controlSocket.c_str());
    }
    std::memcpy(addr.sun_path, config_.controlSocket.c_str(), config_.controlSocket.size());
    UniqueFd fd(socket(AF_UNIX, SOCK_STREAM, 0));
    if (!fd.Valid() || bind(fd.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(fd.Get(), 4) != 0) {
        error = "control socket " + config_.controlSocket + ": " + std::strerror(errno);
        return false;
    }
    SetNonBlocking(fd.Get());
    controlListener_ = std::move(fd);
    out_ << "seqsim: control " << config_.controlSocket << '\n';
    return true;
}

bool Runner::OpenControlTcp(std::string& error)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(config_.controlPort);
    if (inet_pton(AF_INET, config_.controlAddress.c_str(), &addr.sin_addr) != 1) {
        error = "bad control address " + config_.controlAddress;
        return false;
    }
    UniqueFd fd(socket(AF_INET, SOCK_STREAM, 0));
    int yes = 1;
    setsockopt(fd.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (!fd.Valid() || bind(fd.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(fd.Get(), 4) != 0) {
        error = "control listen on " + config_.controlAddress + ":" + std::to_string(config_.controlPort) + ": " +
                std::strerror(errno);
        return false;
    }
    SetNonBlocking(fd.Get());
    controlTcpListener_ = std::move(fd);
    out_ << "seqsim: control tcp " << config_.controlAddress << ':' << config_.controlPort << '\n';
    return true;
}

void Runner::Stop()
{
    const char byte = 'q';
    [[maybe_unused]] ssize_t n = write(stopWrite_.Get(), &byte, 1);
}

void Runner::AcceptTcp()
{
    for (;;) {
        int fd = accept(tcpListener_.Get(), nullptr, nullptr);
        if (fd < 0)
            return;
        SetNonBlocking(fd);
        int yes = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        const ConnectionId id = nextTcpId_++;
        tcpClients_[id].fd.Reset(fd);
        sim_->Open(id, "tcp" + std::to_string(id));
    }
}

void Runner::AcceptControl(int listener)
{
    for (;;) {
        int fd = accept(listener, nullptr, nullptr);
        if (fd < 0)
            return;
        SetNonBlocking(fd);
        controlClients_[fd].fd.Reset(fd);
    }
}

void Runner::ReadTcp(ConnectionId id)
{
    auto it = tcpClients_.find(id);
    if (it == tcpClients_.end())
        return;
    uint8_t buffer[1024];
    ssize_t n = recv(it->second.fd.Get(), buffer, sizeof buffer, 0);
    if (n > 0) {
        sim_->Receive(id, std::span<const uint8_t>(buffer, static_cast<size_t>(n)), NowMs());
    } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        CloseTcp(id);
    }
}

void Runner::ReadPty()
{
    uint8_t buffer[1024];
    size_t n = pty_->Read(buffer, sizeof buffer);
    if (n)
        sim_->Receive(kSerialConnection, std::span<const uint8_t>(buffer, n), NowMs());
}

void Runner::ReadStdin()
{
    char buffer[1024];
    ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        stdinOpen_ = false;
        return;
    }
    if (n > 0) {
        stdinBuffer_.append(buffer, static_cast<size_t>(n));
        HandleControlLines(stdinBuffer_, -1);
        if (stdinBuffer_.size() > kMaxControlLine)
            stdinBuffer_.clear();  // no command is that long
    }
}

void Runner::ReadControl(int fd)
{
    auto it = controlClients_.find(fd);
    if (it == controlClients_.end())
        return;
    char buffer[1024];
    ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        controlClients_.erase(it);
        return;
    }
    if (n > 0) {
        it->second.in.append(buffer, static_cast<size_t>(n));
        HandleControlLines(it->second.in, fd);
        // A client that sends endless text without a newline is cut off.
        if (it->second.in.size() > kMaxControlLine)
            controlClients_.erase(it);
    }
}

void Runner::HandleControlLines(std::string& buffer, int replyFd)
{
    for (size_t eol; (eol = buffer.find('\n')) != std::string::npos;) {
        std::string line = buffer.substr(0, eol);
        buffer.erase(0, eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        ControlResult result = RunControlCommand(*sim_, line, NowMs());
        std::string reply = result.reply + "\n";
        if (replyFd < 0)
            out_ << reply << std::flush;
        else
            SendSome(replyFd, reply);  // replies are short; a full socket loses them
        if (result.quit)
            quit_ = true;
    }
}

void Runner::Deliver()
{
    const int64_t nowNs = NowNs();
    sim_->Tick(nowNs / 1'000'000);
    for (Delivery& d : sim_->TakeDue(nowNs / 1'000'000)) {
        if (d.connection == kSerialConnection && pty_) {
            pty_->Queue(d.bytes, nowNs);
            if (d.close) {
                std::string error;
                if (!pty_->Replace(error)) {
                    out_ << "seqsim: " << error << '\n' << std::flush;
                    quit_ = true;
                } else {
                    // A new line: a new parser and a fresh frame count.
                    sim_->Closed(kSerialConnection);
                    sim_->Open(kSerialConnection, "serial");
                    out_ << "seqsim: serial replaced by " << pty_->Path() << '\n' << std::flush;
                }
            }
            continue;
        }
        auto it = tcpClients_.find(d.connection);
        if (it == tcpClients_.end())
            continue;
        it->second.out.append(d.bytes.begin(), d.bytes.end());
        if (d.close)
            it->second.closeAfterFlush = true;
        // A console that stopped reading must not make us grow without end.
        if (it->second.out.size() > kMaxPendingOutput) {
            out_ << "seqsim: tcp" << d.connection << " does not read; closing it\n" << std::flush;
            CloseTcp(d.connection);
        }
    }
    if (pty_)
        pty_->Flush(NowNs());
    std::vector<ConnectionId> ids;
    for (auto& [id, client] : tcpClients_)
        ids.push_back(id);
    for (ConnectionId id : ids)
        FlushTcp(id);
}

void Runner::FlushTcp(ConnectionId id)
{
    auto it = tcpClients_.find(id);
    if (it == tcpClients_.end())
        return;
    TcpClient& client = it->second;
    if (!SendSome(client.fd.Get(), client.out) || (client.closeAfterFlush && client.out.empty()))
        CloseTcp(id);
}

void Runner::CloseTcp(ConnectionId id)
{
    tcpClients_.erase(id);
    sim_->Closed(id);
}

int Runner::PollTimeoutMs() const
{
    const int64_t nowNs = NowNs();
    int64_t wakeNs = nowNs + 1'000'000'000;  // look around at least once a second
    if (auto next = sim_->NextWakeMs())
        wakeNs = std::min(wakeNs, *next * 1'000'000);
    if (pty_)
        if (auto next = pty_->NextByteNs())
            wakeNs = std::min(wakeNs, *next);
    if (wakeNs <= nowNs)
        return 0;
    return static_cast<int>((wakeNs - nowNs + 999'999) / 1'000'000);
}

int Runner::Run()
{
    while (!quit_) {
        Deliver();
        if (quit_)
            break;
        std::vector<pollfd> fds;
        enum class Kind { Stop, TcpListen, Tcp, Pty, Stdin, ControlListen, Control };
        std::vector<std::pair<Kind, int>> what;
        auto add = [&](int fd, short events, Kind kind, int key) {
            fds.push_back({fd, events, 0});
            what.emplace_back(kind, key);
        };
        add(stopRead_.Get(), POLLIN, Kind::Stop, 0);
        if (tcpListener_.Valid())
            add(tcpListener_.Get(), POLLIN, Kind::TcpListen, 0);
        for (auto& [id, client] : tcpClients_)
            add(client.fd.Get(), static_cast<short>(POLLIN | (client.out.empty() ? 0 : POLLOUT)), Kind::Tcp, id);
        if (pty_)
            add(pty_->MasterFd(), POLLIN, Kind::Pty, 0);
        if (stdinOpen_)
            add(STDIN_FILENO, POLLIN, Kind::Stdin, 0);
        if (controlListener_.Valid())
            add(controlListener_.Get(), POLLIN, Kind::ControlListen, controlListener_.Get());
        if (controlTcpListener_.Valid())
            add(controlTcpListener_.Get(), POLLIN, Kind::ControlListen, controlTcpListener_.Get());
        for (auto& [fd, client] : controlClients_)
            add(fd, POLLIN, Kind::Control, fd);

        if (poll(fds.data(), fds.size(), PollTimeoutMs()) < 0) {
            if (errno == EINTR)
                continue;
            out_ << "seqsim: poll: " << std::strerror(errno) << '\n';
            return 1;
        }
        for (size_t i = 0; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            auto [kind, key] = what[i];
            switch (kind) {
            case Kind::Stop: quit_ = true; break;
            case Kind::TcpListen: AcceptTcp(); break;
            case Kind::Tcp:
                if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                    ReadTcp(key);
                break;
            case Kind::Pty: ReadPty(); break;
            case Kind::Stdin: ReadStdin(); break;
            case Kind::ControlListen: AcceptControl(key); break;
            case Kind::Control: ReadControl(key); break;
            }
        }
    }
    return 0;
}

}  // namespace relayon::seqsim
