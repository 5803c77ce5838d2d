#include "relayonctl/core/Invocation.h"

namespace relayon::ctl {

std::string UsageText()
{
    return R"(usage: relayonctl (--host ADDRESS[:PORT] | --port DEVICE [--baud RATE]) [options] COMMAND [ARGS]

Link:
  --host ADDRESS[:PORT]  TCP to a sequencer's network interface (IPv4, port 8080 by default;
                         the connection attempt gives up after 2000 ms)
  --port DEVICE          serial port: a tty such as /dev/ttyUSB0 on Linux, COM1 to COM255 on Windows
  --baud RATE            4800, 9600, 14400 or 19200 (default 19200); 8 data bits, no parity, 1 stop bit
Replies:
  --timeout MS           wait for each answer (default 2000; scan: 150 per ID)
  --retries N            send again up to N times when no answer comes (default 0)
  --json                 one JSON object per line instead of text

Commands (ID 1 to 255; CHANNEL LCD or CH1 to CH8):
  info ID                    delays, cascade, start channel and lock of a unit
  read-id                    the ID of the one unit on the line
  write-id OLD NEW           give unit OLD (0: whichever is on the line) the ID NEW
  status ID                  LCD and CH1 to CH8 on/off, locked, running
  on ID CHANNEL | off ID CHANNEL
  all-on ID | all-off ID     LCD and every unmasked channel
  seq-on ID | rev-off ID     sequential switch-on / reverse switch-off
  every-on | every-off       every unit on the line (ID 0)
  delays ID --on LIST --off LIST
                             LIST: nine values for LCD, CH1 to CH8, 0 to 60 in steps of 0.5;
                             seconds, or minutes with a trailing m: 1,1,1.5,2m,0,0,0,0,10
  cascade ID on|off [--start CHANNEL]
  start ID | switch-on ID | switch-off ID   [--start CHANNEL]
  lock ID on|off
  mask ID CH1..CH8|all on|off
  scan [--from ID] [--to ID]     poll every ID and list the units that answer
  watch ID... [--interval MS] [--count N]
                             poll the units in turn and print each change (Ctrl-C ends)

Exit status: 0 done, 1 a unit did not answer or the link failed, 2 usage error.
)";
}

}  // namespace relayon::ctl
