"""Starts the demo service on a free loopback port for a test case and talks raw HTTP to it."""

import os
import socket
import sys
import threading
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SERVICE_DIR = os.path.dirname(HERE)
if SERVICE_DIR not in sys.path:
    sys.path.insert(0, SERVICE_DIR)

import server  # noqa: E402  (needs the path above)

STUB = os.environ.get("VELMORA_PACKAGE_STUB", server.DEFAULT_STUB)
HAVE_STUB = os.path.exists(STUB)


class Response:
    def __init__(self, raw):
        head, _, self.body = raw.partition(b"\r\n\r\n")
        lines = head.decode("latin-1").split("\r\n")
        self.status_line = lines[0]
        self.status = int(lines[0].split()[1])
        self.headers = {}
        for line in lines[1:]:
            name, _, value = line.partition(":")
            self.headers[name.strip().lower()] = value.strip()


def request(port, raw_path, method=b"GET", host=b"127.0.0.1"):
    """One request as the program's own downloader sends it: path bytes as given, Host without port."""
    if isinstance(raw_path, str):
        raw_path = raw_path.encode("utf-8")
    with socket.create_connection(("127.0.0.1", port), timeout=10) as s:
        s.sendall(method + b" " + raw_path + b" HTTP/1.1\r\nHost: " + host + b"\r\nConnection: close\r\n\r\n")
        chunks = []
        while True:
            chunk = s.recv(65536)
            if not chunk:
                break
            chunks.append(chunk)
    return Response(b"".join(chunks))


class ServiceCase(unittest.TestCase):
    """A running service shared by the tests of one class."""

    server_options = {}

    @classmethod
    def setUpClass(cls):
        cls.server = server.make_server("127.0.0.1", 0, stub_path=STUB, **cls.server_options)
        cls.port = cls.server.server_address[1]
        cls.thread = threading.Thread(target=cls.server.serve_forever, daemon=True)
        cls.thread.start()

    @classmethod
    def tearDownClass(cls):
        cls.server.shutdown()
        cls.server.server_close()
        cls.thread.join()

    def get(self, raw_path, **kwargs):
        response = request(self.port, raw_path, **kwargs)
        self.assertIn("content-length", response.headers, raw_path)
        if kwargs.get("method", b"GET") == b"GET":
            self.assertEqual(int(response.headers["content-length"]), len(response.body), raw_path)
        return response

    def kelpo_fields(self, resource_id):
        """The answer read the way the program reads it."""
        text = self.get("/kelpo.php?id=" + resource_id).body.decode("utf-8")
        return text.replace("/**/", "").split("/*/")
