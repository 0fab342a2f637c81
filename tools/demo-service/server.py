#!/usr/bin/env python3
"""Demo resource service for Velmora: online pages, resource answers, advertisements and files.

    python3 server.py --port 8765 [--host 127.0.0.1] [--data DIR] [--stub EXE]
                      [--announce-version X] [--log FILE] [--verbose]

Listens on a loopback address only. Python standard library only.
"""

import argparse
import http.server
import ipaddress
import os
import re
import socket
import sys
import threading
import urllib.parse

from velmora_demo import adverts, catalog, contents, pages

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_STUB = os.path.join(HERE, "..", "..", "dist", "demo-service", "x86_64", "velmora-package-stub.exe")
INSTALLER_PATH = "/安装包.exe"
# Faulty descriptions for trying the program's refusals: a category that climbs out of the
# library, and a description without a file address. The program must download nothing.
FAULTY_ANSWERS = {
    "9901": "velmora/*/桌面壁纸/*/..\\..\\Windows/*/湖光山色/*/files/1201.jpg/**/",
    "9902": "velmora/*/鼠标指针/*/透明系列/*/水晶蓝/**/",
}


def decode_path(raw):
    """Request path to text: percent-encoded or raw, in UTF-8 or in the client's GBK code page."""
    data = urllib.parse.unquote_to_bytes(raw.encode("latin-1"))
    for encoding in ("utf-8", "gbk"):
        try:
            return data.decode(encoding)
        except UnicodeDecodeError:
            pass
    return data.decode("latin-1")


def loopback_address(host):
    """The IPv4 loopback address to bind, or None when host is not one."""
    if host == "localhost":
        return "127.0.0.1"
    try:
        address = ipaddress.ip_address(host)
    except ValueError:
        return None
    return host if address.version == 4 and address.is_loopback else None


class Service:
    """Everything the handler answers from; packages are built once and kept."""

    def __init__(self, data_dir, stub_path, version, log_path):
        self.catalog = catalog.Catalog(data_dir)
        self.stub_path = stub_path
        self.version = version
        self.log_path = log_path
        self._lock = threading.Lock()
        self._packages = {}

    def stub(self):
        try:
            with open(self.stub_path, "rb") as f:
                return f.read()
        except OSError:
            return None

    def package(self, key, build):
        with self._lock:
            if key not in self._packages:
                stub = self.stub()
                if stub is None:
                    return None
                self._packages[key] = build(stub)
            return self._packages[key]

    def log(self, request_line):
        if self.log_path:
            with self._lock, open(self.log_path, "ab") as f:
                f.write(request_line + b"\n")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "VelmoraDemo/1.0"
    service = None  # set by make_server
    verbose = False

    def log_message(self, format, *args):  # noqa: A002 - signature of the base class
        if self.verbose:
            super().log_message(format, *args)

    def parse_request(self):
        # The program sends the path unescaped in the system code page. Escape those bytes
        # first: the base class splits the line at Unicode blanks such as byte 0x85.
        self.received_line = self.raw_requestline.rstrip(b"\r\n")
        self.raw_requestline = re.sub(rb"[\x80-\xff]", lambda m: b"%%%02X" % m.group()[0], self.raw_requestline)
        return super().parse_request()

    def do_HEAD(self):
        self._answer(head=True)

    def do_GET(self):
        self._answer(head=False)

    def _send(self, status, content_type, body, head):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if not head:
            self.wfile.write(body)

    def _host(self):
        # The program's own downloader sends a Host line without the port.
        host = (self.headers.get("Host") or "").strip()
        if not host:
            host = "127.0.0.1"
        if ":" not in host and self.server.server_port != 80:
            host += ":%d" % self.server.server_port
        return host

    def _answer(self, head):
        self.service.log(self.received_line)
        raw_path, _, raw_query = self.path.partition("?")
        path = decode_path(raw_path)
        query = urllib.parse.parse_qs(raw_query, keep_blank_values=True)
        route = ROUTES.get(path)
        if route is not None:
            result = route(self, query)
        elif path.startswith("/down/*/"):
            result = (200, "text/html; charset=utf-8", pages.download_hint_page(path.split("/*/")[1]).encode())
        else:
            result = self._catalog_file(path)
        if result is None:
            result = (404, "text/html; charset=utf-8",
                      b"<html><body><h1>404 Not Found</h1></body></html>")
        self._send(*result, head=head)

    def _index(self, query):
        text = (query.get("cate") or [""])[0]
        cate = int(text) if text.isdigit() else None
        if cate in catalog.CATES:
            html = pages.cate_page(self._host(), cate, self.service.catalog.in_cate(cate))
        else:
            html = pages.missing_cate_page(text)
        return 200, "text/html; charset=utf-8", html.encode("utf-8")

    def _kelpo(self, query):
        rid = (query.get("id") or [""])[0].strip()
        entry = self.service.catalog.by_id.get(rid)
        if rid in FAULTY_ANSWERS:
            text = FAULTY_ANSWERS[rid]
        elif entry is None:
            # Field 0 only: the program finds no category and no name and reports the error.
            text = "notfound"
        else:
            fields = ["velmora", entry["kind"], entry["category"], entry["name"], catalog.Catalog.file_address(entry)]
            text = "/*/".join(fields) + "/**/"
        return 200, "text/plain; charset=utf-8", text.encode("utf-8")

    def _guanggao(self, query):
        return 200, "text/plain; charset=gbk", adverts.guanggao_text(self._host(), self.service.version)

    def _installer(self, query):
        data = self.service.package("installer", contents.installer_program)
        return self._program(data)

    def _program(self, data):
        if data is None:
            return 503, "text/plain; charset=utf-8", "package stub not built\n".encode()
        return 200, "application/octet-stream", data

    def _catalog_file(self, path):
        folder, _, file_name = path.strip("/").partition("/")
        rid, _, extension = file_name.partition(".")
        entry = self.service.catalog.by_id.get(rid)
        if entry is None:
            return None
        if folder == "thumbs" and extension == "jpg":
            return 200, "image/jpeg", self.service.catalog.read(entry["thumb"])
        if folder != "files" or path.strip("/") != catalog.Catalog.file_address(entry):
            return None
        if extension == "jpg":
            return 200, "image/jpeg", self.service.catalog.read(entry["picture"])
        service = self.service
        data = service.package(rid, lambda stub: contents.package_program(stub, service.catalog, entry))
        return self._program(data)


ROUTES = {
    "/index.php": Handler._index,
    "/kelpo.php": Handler._kelpo,
    "/GuangGao.txt": Handler._guanggao,
    INSTALLER_PATH: Handler._installer,
}


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    address_family = socket.AF_INET


def make_server(host, port, data_dir=catalog.DEFAULT_DATA, stub_path=DEFAULT_STUB,
                version=adverts.DEFAULT_VERSION, log_path=None, verbose=False):
    address = loopback_address(host)
    if address is None:
        raise ValueError("refusing to listen on %s: the demo service binds a loopback address only" % host)
    adverts.guanggao_text("check", version)  # reject a bad version before listening
    handler = type("BoundHandler", (Handler,), {
        "service": Service(data_dir, os.path.abspath(stub_path), version, log_path), "verbose": verbose})
    return Server((address, port), handler)


def main(argv=None):
    parser = argparse.ArgumentParser(description="Velmora demo resource service")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--data", default=catalog.DEFAULT_DATA)
    parser.add_argument("--stub", default=DEFAULT_STUB)
    parser.add_argument("--announce-version", default=adverts.DEFAULT_VERSION)
    parser.add_argument("--log")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args(argv)
    try:
        server = make_server(args.host, args.port, args.data, args.stub, args.announce_version,
                             args.log, args.verbose)
    except (ValueError, OSError) as error:
        print("server.py: %s" % error, file=sys.stderr)
        return 2
    if not os.path.exists(args.stub):
        print("server.py: no package stub at %s; package programs answer 503" % args.stub, file=sys.stderr)
    print("Velmora demo service on http://%s:%d/" % server.server_address, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
