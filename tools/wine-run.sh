#!/usr/bin/env bash
# Runs a Windows executable under the project's Wine prefix. ctest uses this as
# the cross-compiling emulator; wine-session.sh provides display and server.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../scripts/wine-env.sh"
exec wine "$@"
