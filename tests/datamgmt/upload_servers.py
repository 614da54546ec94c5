#!/usr/bin/env python3
"""Loopback servers for the support-upload tests.

An FTP server with the upload account and three more of the same password:
"dropbox" may only store (it refuses sizes and listings), "readonly" may not
store, and "slow" reads 1 MB a second, slower than the network, so that its
system's receive buffer (of the common size, whatever the machine's default)
holds what it has acknowledged but not read yet. A web server with the
notification form that records what is posted; under /failing/ the form's
post is refused, under /closed/ the page holds no form. A server that takes connections and never answers, and a port
that refuses them. Prints the ports as one JSON line, then serves until its
standard input closes.
"""
import argparse
import json
import logging
import os
import socket
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

FORM = b"""<html><body><h1>Upload notification</h1>
<form name="notify" method="post" action="submit.asp">
<input type="hidden" name="source" value="program">
<input type="text" name="customername" value="">
<input type="text" name="Email">
<input type="text" name="Phone">
<input type="text" name="helpdesk">
<textarea name="Desc"></textarea>
<input type="hidden" name="uploadfile" value="">
<input type="hidden" name="sysdata" value="">
<input type="submit" name="go" value="Send">
</form>
<form action="/other"><input name="never"></form>
</body></html>"""

SLOW_BYTES_PER_SECOND = 1024 * 1024


class Paced(DTPHandler):
    """Stores the "slow" account's files in small steps at a steady rate."""

    def __init__(self, sock, cmd_channel):
        self.slow = cmd_channel.username == "slow"
        if self.slow:
            sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 65536)  # the system doubles it
        super().__init__(sock, cmd_channel)
        if self.slow:
            self.ac_in_buffer_size = 8192
        self._resume = None

    def recv(self, size):
        chunk = super().recv(size)
        if self.slow and chunk and self.receive and not self._closed:
            self.del_channel()
            self._resume = self.ioloop.call_later(
                len(chunk) / SLOW_BYTES_PER_SECOND, lambda: self.add_channel(events=self.ioloop.READ))
        return chunk

    def close(self):
        if self._resume is not None and not self._resume.cancelled:
            self._resume.cancel()
        super().close()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--folder", required=True)
    ap.add_argument("--posts", required=True)
    a = ap.parse_args()
    logging.basicConfig(level=logging.ERROR)
    os.makedirs(os.path.join(a.root, a.folder), exist_ok=True)

    auth = DummyAuthorizer()
    for user, perm in (("uploadfiles", "elradfmw"), ("dropbox", "ew"), ("readonly", "elr"), ("slow", "elradfmw")):
        auth.add_user(user, "kelp5831", a.root, perm=perm)
    handler = FTPHandler
    handler.authorizer = auth
    handler.dtp_handler = Paced
    ftp = FTPServer(("127.0.0.1", 0), handler)

    class Web(BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def do_GET(self):
            page = b"<html><body>Closed for repairs</body></html>" if self.path.startswith("/closed/") else FORM
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(page)))
            self.end_headers()
            self.wfile.write(page)

        def do_POST(self):
            body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
            with open(a.posts, "ab") as f:
                f.write(self.path.encode() + b"\n" + body + b"\n")
            self.send_response(500 if self.path.startswith("/failing/") else 200)
            self.send_header("Content-Length", "2")
            self.end_headers()
            self.wfile.write(b"ok")

    web = ThreadingHTTPServer(("127.0.0.1", 0), Web)
    stall = socket.socket()
    stall.bind(("127.0.0.1", 0))
    stall.listen(8)
    held = []
    closed = socket.socket()
    closed.bind(("127.0.0.1", 0))  # bound, not listening: connections are refused

    def hold():
        while True:
            conn, _ = stall.accept()
            held.append(conn)  # never answered

    threading.Thread(target=web.serve_forever, daemon=True).start()
    threading.Thread(target=hold, daemon=True).start()

    def watch_stdin():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    print(json.dumps({"ftp": ftp.address[1], "http": web.server_address[1],
                      "stall": stall.getsockname()[1], "closed": closed.getsockname()[1]}), flush=True)
    # No polling interval: the paced account's pauses end on time.
    ftp.serve_forever()


if __name__ == "__main__":
    main()
