#!/usr/bin/env python3
"""relayonctl against the sequencer simulator, end to end.

Starts seqsim (units 1 to 4) on a free TCP port and on pseudo-terminals at each
baud rate, runs relayonctl commands and checks what the simulated units did
(through the simulator's control socket) and what relayonctl printed.

  relayonctl_e2e.py --relayonctl EXE --seqsim EXE [--wine RUNNER --com COMn]

With --wine, relayonctl is a Windows program run through RUNNER, and the
serial runs use the Wine port COMn, mapped in the prefix to
$WINEPREFIX/relayon-comN, behind which the simulator puts its pseudo-terminal.
"""
import argparse
import json
import os
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAIL:", what, flush=True)
    return condition


def wait_for(predicate, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(0.05)
    return predicate()


class Simulator:
    def __init__(self, seqsim, workdir, extra, units="1,2,3,4"):
        self.control_path = os.path.join(workdir, "ctl-%d" % time.monotonic_ns())
        self.proc = subprocess.Popen(
            [seqsim, "--units", units, "--no-stdin", "--log", "none", "--time-scale", "0.01",
             "--control-socket", self.control_path] + extra,
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self.port = None
        for line in self.proc.stdout:
            if line.startswith("seqsim: tcp "):
                self.port = int(line.rsplit(":", 1)[1])
            if line.startswith("seqsim: units"):
                break
        threading.Thread(target=self.proc.stdout.read, daemon=True).start()

    def command(self, line):
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
            s.settimeout(5)
            s.connect(self.control_path)
            s.sendall((line + "\n").encode())
            reply = b""
            while not reply.endswith(b"\n"):
                chunk = s.recv(4096)
                if not chunk:
                    break
                reply += chunk
        return reply.decode().strip()

    def dump(self, unit):
        return json.loads(self.command("dump %d" % unit))

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=5)


class Ctl:
    def __init__(self, exe, runner, link):
        self.base = ([runner] if runner else []) + [exe] + link

    def run(self, *args):
        done = subprocess.run(self.base + list(args), stdin=subprocess.DEVNULL, capture_output=True,
                              text=True, timeout=60)
        return done.returncode, done.stdout.replace("\r", ""), done.stderr.replace("\r", "")

    def json(self, *args):
        rc, out, err = self.run("--json", *args)
        objects = [json.loads(line) for line in out.splitlines() if line.strip()]
        return rc, objects, err

    def start(self, *args):
        return subprocess.Popen(self.base + list(args), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True)


def every_command(ctl, sim):
    """Each command changes or reads the simulated units as expected."""
    rc, out, _ = ctl.json("status", "1")
    check(rc == 0 and out[0]["outlets"]["CH1"] is False and out[0]["id"] == 1, "status 1: %s" % out)

    check(ctl.run("on", "2", "CH3")[0] == 0 and sim.dump(2)["outlets"][3], "on 2 CH3")
    rc, out, _ = ctl.json("status", "2")
    check(rc == 0 and out[0]["outlets"]["CH3"] and not out[0]["outlets"]["CH4"], "status after on: %s" % out)
    check(ctl.run("off", "2", "ch3")[0] == 0 and not sim.dump(2)["outlets"][3], "off 2 ch3")
    check(ctl.run("on", "2", "LCD")[0] == 0 and sim.dump(2)["outlets"][0], "on 2 LCD")

    check(ctl.run("all-on", "3")[0] == 0 and all(sim.dump(3)["outlets"]), "all-on 3")
    check(ctl.run("all-off", "3")[0] == 0 and not any(sim.dump(3)["outlets"]), "all-off 3")
    check(ctl.run("seq-on", "4")[0] == 0 and wait_for(lambda: all(sim.dump(4)["outlets"])), "seq-on 4")
    check(ctl.run("rev-off", "4")[0] == 0 and wait_for(lambda: not any(sim.dump(4)["outlets"])), "rev-off 4")
    check(ctl.run("every-on")[0] == 0 and all(all(sim.dump(u)["outlets"]) for u in (1, 2, 3, 4)), "every-on")
    check(ctl.run("every-off")[0] == 0 and not any(any(sim.dump(u)["outlets"]) for u in (1, 2, 3, 4)), "every-off")

    on = ["1", "2", "3m", "0.5", "60", "0", "0m", "10", "1.5"]
    off = ["2"] * 8 + ["60m"]
    check(ctl.run("delays", "1", "--on", ",".join(on), "--off", ",".join(off))[0] == 0, "delays 1")
    unit = sim.dump(1)
    check(unit["on_delays"][:5] == [2, 4, 134, 1, 120] and unit["off_delays"][8] == 248, "delay codes %s" % unit)
    rc, out, _ = ctl.json("info", "1")
    check(rc == 0 and out[0]["on"] == ["1", "2", "3m", "0.5", "60", "0", "0m", "10", "1.5"]
          and out[0]["off"] == off, "info reads the delays back: %s" % out)
    check(ctl.run("delays", "1", "--on", ",".join(["1"] * 9), "--off", ",".join(["1"] * 9))[0] == 0, "delays reset")

    check(ctl.run("cascade", "1", "on", "--start", "CH2")[0] == 0, "cascade on")
    unit = sim.dump(1)
    check(unit["cascade"] and unit["start_channel"] == 2, "cascade state %s" % unit)
    rc, out, _ = ctl.json("info", "1")
    check(out and out[0]["cascade"] and out[0]["start"] == "CH2", "info cascade %s" % out)
    check(ctl.run("start", "1")[0] == 0 and wait_for(lambda: all(sim.dump(1)["outlets"])), "start 1 switches on")
    check(ctl.run("start", "1")[0] == 0 and wait_for(lambda: not any(sim.dump(1)["outlets"])), "start 1 again off")
    check(ctl.run("cascade", "1", "off")[0] == 0 and not sim.dump(1)["cascade"], "cascade off")
    check(ctl.run("switch-on", "1", "--start", "CH5")[0] == 0 and wait_for(lambda: all(sim.dump(1)["outlets"])),
          "switch-on 1")
    check(ctl.run("switch-off", "1")[0] == 0 and wait_for(lambda: not any(sim.dump(1)["outlets"])), "switch-off 1")

    check(ctl.run("lock", "2", "on")[0] == 0 and sim.dump(2)["locked"], "lock on")
    rc, out, _ = ctl.json("status", "2")
    check(out and out[0]["locked"], "status shows the lock %s" % out)
    check(ctl.run("lock", "2", "off")[0] == 0 and not sim.dump(2)["locked"], "lock off")
    check(ctl.run("mask", "2", "CH2", "on")[0] == 0 and sim.dump(2)["masked"][1], "mask CH2")
    check(ctl.run("mask", "2", "all", "off")[0] == 0 and not any(sim.dump(2)["masked"]), "mask all off")

    rc, out, _ = ctl.json("read-id")
    check(rc == 0 and out[0]["id"] == 1, "read-id answered by the first unit: %s" % out)
    check(ctl.run("write-id", "4", "9")[0] == 0 and sim.dump(9)["id"] == 9, "write-id 4 9")
    check(ctl.run("write-id", "9", "4")[0] == 0 and sim.dump(4)["id"] == 4, "write-id 9 4")


def failures_and_usage(ctl, sim):
    rc, out, err = ctl.json("--timeout", "300", "--retries", "1", "status", "7")
    check(rc == 1 and "unit 7" in err and "PollStatus" in err and "2 attempts" in err, "no answer: %d %s" % (rc, err))
    check(out and out[0]["ok"] is False and out[0]["id"] == 7, "no answer as JSON: %s" % out)
    sim.command("set 3 silent on")
    rc, _, err = ctl.run("--timeout", "300", "on", "3", "CH1")
    check(rc == 1 and "unit 3" in err and "ChannelOn" in err, "silent unit: %d %s" % (rc, err))
    sim.command("set 3 silent off")
    # A few representative refusals (the unit tests cover the rest): each must
    # stop before the link is used.
    for bad in (["frobnicate", "1"], ["status", "0"], ["on", "1", "CH9"], ["mask", "1", "LCD", "on"],
                ["delays", "1", "--on", "1,1,1,1,1,1,1,1,60.5", "--off", "1,1,1,1,1,1,1,1,1"]):
        rc, _, err = ctl.run(*bad)
        check(rc == 2 and err.startswith("relayonctl:"), "usage error for %s: %d %s" % (bad, rc, err))
    check(not any(sim.dump(1)["outlets"]) and sim.dump(1)["on_delays"] == [2] * 9, "usage errors sent nothing")


def scan(ctl, sim):
    rc, out, _ = ctl.json("--timeout", "500", "scan", "--to", "7")
    found = [o["id"] for o in out if o.get("event") == "found"]
    summary = [o for o in out if o.get("event") == "summary"]
    check(rc == 0 and found == [1, 2, 3, 4] and summary and summary[0]["found"] == [1, 2, 3, 4]
          and summary[0]["suspect"] == [], "scan: %s" % out)


def watch(ctl, sim):
    proc = ctl.start("--json", "--timeout", "300", "watch", "1", "3", "--interval", "100")
    events = []
    reader = threading.Thread(target=lambda: events.extend(json.loads(l) for l in proc.stdout if l.strip()))
    reader.start()
    seen = lambda kind, unit: any(e["event"] == kind and e["id"] == unit for e in events)
    check(wait_for(lambda: seen("state", 1) and seen("state", 3)), "watch: first readings")
    sim.command("set 1 outlet ch5 on")
    check(wait_for(lambda: any(e["event"] == "change" and e["id"] == 1 and "CH5 on" in e["changes"] for e in events)),
          "watch: change made on the unit's front panel")
    sim.command("set 3 silent on")
    check(wait_for(lambda: seen("silent", 3)), "watch: silent unit reported")
    sim.command("set 3 silent off")
    check(wait_for(lambda: seen("answering", 3)), "watch: unit back")
    proc.send_signal(signal.SIGINT)
    try:
        rc = proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        rc = None
    reader.join(timeout=5)
    check(rc == 0, "watch ends cleanly on Ctrl-C: %s" % rc)
    check(all("time" in e for e in events), "watch events carry the time")
    sim.command("set 1 outlet ch5 off")


def watch_count(ctl):
    rc, out, _ = ctl.json("--timeout", "500", "watch", "2", "--interval", "50", "--count", "3")
    check(rc == 0 and len(out) == 1 and out[0]["event"] == "state", "watch --count: %d %s" % (rc, out))


def duplicate_id(ctl, seqsim, workdir, link_args):
    sim = Simulator(seqsim, workdir, link_args + ["--shared-answers"], units="1,2,3,4,2")
    try:
        rc, out, _ = ctl(sim).json("--timeout", "500", "scan", "--to", "6")
        summary = [o for o in out if o.get("event") == "summary"]
        warnings = [o for o in out if o.get("event") == "warning"]
        check(rc == 0 and summary and summary[0]["found"] == [1, 2, 3, 4] and summary[0]["suspect"] == [2]
              and warnings and warnings[0]["from"] == 2, "scan reports the shared ID: %s" % out)
    finally:
        sim.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--relayonctl", required=True)
    parser.add_argument("--seqsim", required=True)
    parser.add_argument("--wine", help="runner for a Windows relayonctl")
    parser.add_argument("--com", default="COM5", help="Wine serial port mapped to $WINEPREFIX/relayon-comN")
    parser.add_argument("--bauds", default="4800,9600,14400,19200")
    args = parser.parse_args()
    for program in (args.relayonctl, args.seqsim):
        if not os.path.exists(program):
            print("missing %s (the Wine run takes seqsim from the native tree beside its own)" % program)
            return 1

    with tempfile.TemporaryDirectory(prefix="relayonctl-e2e-") as workdir:
        tcp = lambda sim: Ctl(args.relayonctl, args.wine, ["--host", "127.0.0.1:%d" % sim.port])
        sim = Simulator(args.seqsim, workdir, ["--listen", "127.0.0.1:0"])
        try:
            ctl = tcp(sim)
            every_command(ctl, sim)
            failures_and_usage(ctl, sim)
            scan(ctl, sim)
            watch(ctl, sim)
            watch_count(ctl)
        finally:
            sim.stop()
        duplicate_id(tcp, args.seqsim, workdir, ["--listen", "127.0.0.1:0"])
        rc, _, err = Ctl(args.relayonctl, args.wine, ["--host", "127.0.0.1:%d" % sim.port]).run("status", "1")
        check(rc == 1 and "cannot open the link" in err, "connection refused: %d %s" % (rc, err))

        if args.wine:
            prefix = os.environ.get("WINEPREFIX") or os.environ.get("RELAYON_WINEPREFIX") or \
                os.path.expanduser("~/.cache/relayon/wineprefix")
            pty_link, port_name = os.path.join(prefix, "relayon-" + args.com.lower()), args.com
        else:
            pty_link = os.path.join(workdir, "tty")
            port_name = pty_link
        for baud in args.bauds.split(","):
            sim = Simulator(args.seqsim, workdir, ["--no-tcp", "--pty-link", pty_link, "--baud", baud])
            try:
                ctl = Ctl(args.relayonctl, args.wine, ["--port", port_name, "--baud", baud])
                check(ctl.run("on", "3", "CH8")[0] == 0 and sim.dump(3)["outlets"][8], "serial %s: on" % baud)
                rc, out, _ = ctl.json("status", "3")
                check(rc == 0 and out[0]["outlets"]["CH8"], "serial %s: status %s" % (baud, out))
                rc, out, _ = ctl.json("info", "2")
                check(rc == 0 and out[0]["on"] == ["1"] * 9, "serial %s: info %s" % (baud, out))
                rc, out, _ = ctl.json("--timeout", "500", "scan", "--from", "2", "--to", "5")
                check(rc == 0 and [o["id"] for o in out if o.get("event") == "found"] == [2, 3, 4],
                      "serial %s: scan %s" % (baud, out))
            finally:
                sim.stop()

    print("%d failure(s)" % len(FAILURES))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
