#!/usr/bin/env python3
"""Starts the demo resource service in the background for the Wine tests, and stops it again.

    demo_service_fixture.py start STATE    # free loopback port; writes "PORT PID" to STATE
    demo_service_fixture.py stop STATE     # ends that service and removes STATE

Each exits non-zero when its step did not happen: a service that does not answer, or one that
had already ended before the stop.
"""

import os
import signal
import subprocess
import sys
import time
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER = os.path.join(HERE, "..", "..", "..", "tools", "demo-service", "server.py")
BANNER = "Velmora demo service on http://127.0.0.1:"
TIMEOUT = 20.0


def running(pid):
    """True while the process exists and is not a zombie nobody has reaped yet."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except (OSError, IndexError):
        return False


def is_service(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            return b"server.py" in f.read()
    except OSError:
        return False


def read_state(state):
    with open(state) as f:
        port, pid = f.read().split()
    return int(port), int(pid)


def stop_process(pid):
    if running(pid):
        os.kill(pid, signal.SIGTERM)
    deadline = time.monotonic() + TIMEOUT
    while running(pid):
        if time.monotonic() > deadline:
            os.kill(pid, signal.SIGKILL)
            deadline = time.monotonic() + TIMEOUT
        time.sleep(0.05)


def answers(port):
    try:
        with urllib.request.urlopen("http://127.0.0.1:%d/kelpo.php?id=1201" % port, timeout=2) as r:
            return r.status == 200 and r.read().startswith(b"velmora/*/")
    except OSError:
        return False


def start(state):
    # A service left behind by a run that never reached its stop would only hold a port.
    if os.path.exists(state):
        try:
            pid = read_state(state)[1]
            if is_service(pid):
                stop_process(pid)
        except (OSError, ValueError):
            pass
        os.remove(state)
    log_path = state + ".log"
    with open(log_path, "w") as log:
        # Detached and with its own output file, so that ctest does not wait for it.
        service = subprocess.Popen([sys.executable, SERVER, "--port", "0"], stdin=subprocess.DEVNULL,
                                   stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
    deadline = time.monotonic() + TIMEOUT
    port = None
    while time.monotonic() < deadline and service.poll() is None:
        if port is None:
            with open(log_path) as log:
                for line in log:
                    if line.startswith(BANNER):
                        port = int(line[len(BANNER):].strip().rstrip("/"))
        if port is not None and answers(port):
            with open(state + ".new", "w") as f:
                f.write("%d %d\n" % (port, service.pid))
            os.replace(state + ".new", state)
            print("demo service on port %d (pid %d)" % (port, service.pid))
            return 0
        time.sleep(0.1)
    if service.poll() is None:
        stop_process(service.pid)
    with open(log_path) as log:
        sys.stderr.write(log.read())
    print("demo service did not answer", file=sys.stderr)
    return 1


def stop(state):
    try:
        port, pid = read_state(state)
    except (OSError, ValueError) as error:
        print("no demo service to stop: %s" % error, file=sys.stderr)
        return 1
    os.remove(state)
    if not running(pid):
        print("the demo service on port %d had already ended" % port, file=sys.stderr)
        return 1
    stop_process(pid)
    print("demo service on port %d stopped" % port)
    return 0


def main(argv):
    if len(argv) != 3 or argv[1] not in ("start", "stop"):
        print("usage: demo_service_fixture.py start|stop STATE", file=sys.stderr)
        return 2
    return start(argv[2]) if argv[1] == "start" else stop(argv[2])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
