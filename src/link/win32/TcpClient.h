// A TCP client over Winsock (IPv4) with its own input buffer, offering the
// handful of operations the link uses: connect with a time-out, a connected
// query that also collects arrived bytes, disconnect, buffer queries, a short
// wait for more data, read n and write.
//
// Behaviour chosen here:
// - Host is a dotted IPv4 address, parsed numerically and used as given (no
//   trimming, no name lookup, which could block beyond the time-out). Port
//   must be 1..65535. An empty host, a text that is not an address or a bad
//   port fail at once like a refused connection: TcpError.
// - Connect() is non-blocking connect + select; ConnectTimeoutMs < 0 waits
//   without limit. Connecting while connected throws TcpError and keeps the
//   existing connection; connecting after a break first discards it.
// - The socket stays non-blocking; Nagle is off so each frame leaves at once.
// - The input buffer holds at most kMaxBuffered bytes; a peer that sends more
//   keeps the rest waiting in the socket until the buffer is read.
// - A connection is "broken" once the peer has closed or reset it, or a send
//   has failed. From then on Connected() throws TcpError on every call until
//   Disconnect() or Connect(); bytes that arrived before the break stay in the
//   buffer until then. CheckForDataOnSource() and WriteBytes() never throw:
//   they record the break for the next Connected().
// - Disconnect() closes the socket (FIN to the peer), empties the input
//   buffer and clears a recorded break. It does not throw in this
//   implementation, though callers may treat it as able to.
// - WriteBytes() sends every byte; when the socket's send space stays full
//   for kWriteStallMs the connection is treated as broken rather than
//   freezing the caller's thread.
#pragma once

#include "link/win32/Socket.h"
#include "link/win32/TcpError.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TcpClient {
public:
    static constexpr size_t kMaxBuffered = 64 * 1024;
    static constexpr int kWriteStallMs = 2000;

    std::string Host;
    int Port = 0;
    int ConnectTimeoutMs = 2000;
    // Limit for ReadBytes() when it must wait for bytes; -1 waits without limit.
    int ReadTimeoutMs = -1;

    TcpClient() = default;
    TcpClient(TcpClient&&) noexcept = default;
    TcpClient& operator=(TcpClient&&) noexcept = default;
    TcpClient(const TcpClient&) = delete;
    TcpClient& operator=(const TcpClient&) = delete;

    // Opens Host:Port within ConnectTimeoutMs or throws TcpError (refused,
    // unreachable, time-out, not an address, already connected).
    void Connect();

    // True while the connection is up, false when there is none. Moves bytes
    // that have arrived into the input buffer. Throws TcpError when the
    // connection has broken (see above).
    bool Connected();

    // Closes the connection, if any, and empties the input buffer.
    void Disconnect();

    bool InputBufferIsEmpty() const { return buffer_.empty(); }
    size_t InputBufferSize() const { return buffer_.size(); }

    // Waits up to `timeoutMs` for bytes to arrive and moves whatever is there
    // into the input buffer; returns as soon as something arrived. Does
    // nothing without a live connection.
    void CheckForDataOnSource(int timeoutMs);

    // Removes and returns the first `count` buffered bytes. When fewer are
    // buffered it waits for the rest up to ReadTimeoutMs and throws TcpError
    // on time-out, without a connection, or when the connection breaks;
    // the buffer then keeps what it had collected.
    std::vector<uint8_t> ReadBytes(size_t count);

    // Sends all bytes. Nothing happens without a live connection; a failure
    // marks the connection broken (reported by the next Connected()).
    void WriteBytes(std::span<const uint8_t> bytes);

private:
    // Moves available bytes into the buffer until it holds `limit` bytes or
    // the socket has nothing more; records end of stream and errors.
    void PullAvailable(size_t limit);
    void MarkBroken(const std::string& why, int code);
    bool Live() const { return socket_.Valid() && !broken_; }

    Socket socket_;
    std::vector<uint8_t> buffer_;
    bool broken_ = false;
    std::string brokenWhy_;
    int brokenCode_ = 0;
};
