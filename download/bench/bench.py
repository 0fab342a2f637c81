#!/usr/bin/env python3
"""Downloads a 200 MB file from a loopback server with velmora-fetch and with curl, three
times each, and prints the median times, their ratio and the peak resident memory of the
engine. With --wine it also runs the Windows build under Wine, and a bare blocking Winsock
reader under Wine as its reference in the same run."""
import argparse
import os
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

SIZE = 200 * 1024 * 1024
RUNS = 5
# The Wine references: a bare blocking reader with 64 KiB receives, and with 1 MiB ones like the
# engine's own.
BARE = {"bare64k": 64 * 1024, "bare1m": 1024 * 1024}


def header(size):
    return b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n" % size


class Server:
    """Answers every GET with the whole file, sent by the kernel straight from the page cache."""

    def __init__(self, path):
        self.path = path
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(8)
        self.port = self.listener.getsockname()[1]
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        while True:
            try:
                conn, _ = self.listener.accept()
            except OSError:
                return
            threading.Thread(target=self.answer, args=(conn,), daemon=True).start()

    def answer(self, conn):
        with conn:
            request = b""
            while b"\r\n\r\n" not in request:
                piece = conn.recv(4096)
                if not piece:
                    return
                request += piece
            size = os.path.getsize(self.path)
            conn.sendall(header(size))
            with open(self.path, "rb") as f:
                try:
                    conn.sendfile(f)
                except OSError:
                    pass

    def close(self):
        self.listener.close()


def timed(command, env=None):
    """Wall time and peak resident memory (KiB) of one run; fails loudly on a bad exit.
    GNU time starts the command, so the peak is the command's own and not this script's,
    which a child would otherwise inherit across exec."""
    with tempfile.NamedTemporaryFile("r", suffix=".rss") as rss:
        start = time.perf_counter()
        result = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss.name] + command,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        elapsed = time.perf_counter() - start
        if result.returncode != 0:
            sys.exit("failed (%d): %s" % (result.returncode, " ".join(command)))
        return elapsed, int(rss.read().split()[-1])


def check(path, expected):
    if os.path.getsize(path) != expected:
        sys.exit("wrong size: %s" % path)
    os.remove(path)


def main():
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--fetch", default=os.path.join(root, "dist", "native", "velmora-fetch"))
    parser.add_argument("--wine", action="store_true", help="also run the Windows build under Wine")
    parser.add_argument("--fetch-exe", default=os.path.join(root, "dist", "x86_64", "velmora-fetch.exe"))
    parser.add_argument("--bare-exe", default=os.path.join(root, "dist", "x86_64", "velmora-bare-fetch.exe"))
    parser.add_argument("--work", default="/dev/shm" if os.path.isdir("/dev/shm") else None,
                        help="folder for the 400 MB of files (default: memory, so that the disk's write-back"
                             " does not time some runs and not others)")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory(prefix="velmora-bench-", dir=args.work) as work:
        source = os.path.join(work, "big.bin")
        block = os.urandom(1 << 20)
        with open(source, "wb") as f:
            for _ in range(SIZE // len(block)):
                f.write(block)
        server = Server(source)
        url = "http://127.0.0.1:%d/big.bin" % server.port
        dest = os.path.join(work, "out.bin")

        results = {}
        for name, command in (("engine", [args.fetch, url, dest]), ("curl", ["curl", "-s", "-o", dest, url])):
            runs = []
            for _ in range(RUNS):
                runs.append(timed(command))
                check(dest, SIZE)
            results[name] = runs
        if args.wine:
            env = dict(os.environ)
            env.setdefault("WINEDEBUG", "-all")
            subprocess.run(["wine", "cmd", "/c", "exit"], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)  # warm the wineserver up
            wine_dest = "Z:" + dest.replace("/", "\\")
            for name in ("wine",) + tuple(BARE):
                results[name] = []
            # Alternating, so that a slow spell of the machine falls on all alike.
            for _ in range(RUNS):
                results["wine"].append(timed(["wine", args.fetch_exe, url, wine_dest], env))
                check(dest, SIZE)
                for name, piece in BARE.items():
                    results[name].append(timed(["wine", args.bare_exe, "127.0.0.1", str(server.port), "/big.bin",
                                                wine_dest, str(piece)], env))
                    check(dest, SIZE + len(header(SIZE)))
        server.close()

    median = {name: statistics.median(t for t, _ in runs) for name, runs in results.items()}
    print("200 MB over loopback, median of %d runs" % RUNS)
    for name in results:
        print("  %-8s %7.3f s   (%s)" % (name, median[name], ", ".join("%.3f" % t for t, _ in results[name])))
    print("  engine / curl: %.2f" % (median["engine"] / median["curl"]))
    if "wine" in median:
        print("  wine   / curl: %.2f" % (median["wine"] / median["curl"]))
        # The engine under Wine against bare blocking Winsock readers under Wine (goal: within 1.2).
        for name in BARE:
            print("  wine   / %s: %.2f" % (name, median["wine"] / median[name]))
        print("  peak resident memory under Wine: engine %.1f MiB, bare reader %.1f MiB"
              % (max(m for _, m in results["wine"]) / 1024, max(m for _, m in results["bare1m"]) / 1024))
    print("  peak resident memory of the engine: %.1f MiB (curl: %.1f MiB)"
          % (max(m for _, m in results["engine"]) / 1024, max(m for _, m in results["curl"]) / 1024))


if __name__ == "__main__":
    main()
