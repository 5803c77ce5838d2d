// The IPv4 address of the host the operator typed: a dotted address is taken
// as it is; anything else is looked up by name, but never for longer than
// the caller can wait, so a slow or silent name server cannot hold the user
// interface beyond the connect time-out.
#pragma once

#include <winsock2.h>

#include <string>

// Resolves `host` to an IPv4 socket address with `port` filled in. A text
// that is a dotted IPv4 address needs no lookup; any other text is looked up
// by name (IPv4 only) for at most `timeoutMs` (< 0: without limit). A lookup
// still running when the time is up is left to finish on its own; its result
// is discarded. Throws TcpError for an empty host, a bad port (not 1..65535),
// a name that does not resolve, or a lookup that ran out of time.
sockaddr_in HostAddress(const std::string& host, int port, int timeoutMs);
