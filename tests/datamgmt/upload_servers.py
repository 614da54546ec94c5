#!/usr/bin/env python3
"""Loopback servers for the support-upload tests.

An FTP server with the upload account (--perm "ew" makes it a write-only
drop box, which refuses sizes and listings), a web server with the
notification form that records what is posted, and a server that takes
connections and never answers. Prints their ports as one JSON line, then serves until its
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
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
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


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--folder", required=True)
    ap.add_argument("--perm", default="elradfmw")
    ap.add_argument("--throttle", type=int, default=0)
    ap.add_argument("--form-status", type=int, default=200)
    ap.add_argument("--posts", required=True)
    ap.add_argument("--no-form", action="store_true")
    a = ap.parse_args()
    logging.basicConfig(level=logging.ERROR)
    os.makedirs(os.path.join(a.root, a.folder), exist_ok=True)

    auth = DummyAuthorizer()
    auth.add_user("uploadfiles", "kelp5831", a.root, perm=a.perm)
    handler = FTPHandler
    handler.authorizer = auth
    if a.throttle:
        class Slow(ThrottledDTPHandler):
            read_limit = a.throttle

            def __init__(self, sock, cmd_channel):
                # Little room in the system's buffers: what the client sees
                # acknowledged is close to what the server has stored.
                sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 32768)
                super().__init__(sock, cmd_channel)

        handler.dtp_handler = Slow
    ftp = FTPServer(("127.0.0.1", 0), handler)

    class Web(BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def do_GET(self):
            if not self.path.startswith("/uploadnotify/"):
                self.send_error(404)
                return
            page = b"<html><body>Closed for repairs</body></html>" if a.no_form else FORM
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(page)))
            self.end_headers()
            self.wfile.write(page)

        def do_POST(self):
            body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
            with open(a.posts, "ab") as f:
                f.write(self.path.encode() + b"\n" + body + b"\n")
            self.send_response(a.form_status)
            self.send_header("Content-Length", "2")
            self.end_headers()
            self.wfile.write(b"ok")

    web = ThreadingHTTPServer(("127.0.0.1", 0), Web)
    stall = socket.socket()
    stall.bind(("127.0.0.1", 0))
    stall.listen(8)
    held = []

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
                      "stall": stall.getsockname()[1]}), flush=True)
    ftp.serve_forever(timeout=0.2)


if __name__ == "__main__":
    main()
