#!/usr/bin/env python3
"""A mobile phone on a pseudo-terminal, speaking OBEX like the handsets the
phone link talks to. Prints the terminal's path on its first line, then
answers requests until its standard input closes, and prints "unanswered"
for each request it leaves unanswered.

Modes: "phonebook" (password challenge, devinfo, pb.vcf in Continue packets)
and "folder" (folder browsing: Target/Connection ID, listings, SETPATH, GET,
PUT-delete). Misbehaviours are switched on by options; --serve-dir serves the files of
a folder in place of the generated one-line cards.
"""
import argparse
import hashlib
import os
import select
import sys
import tty

PHONE_NONCE = bytes(range(0x10, 0x20))
CONNECTION_ID = b"\x00\x00\x00\x2a"
TARGET = bytes.fromhex("F9EC7BC4953C11D2984E525400DC9E09")


SERVE_DIR = None


def vcard(name):
    """The content of a card or file: from the serve folder when it holds a
    file of that name (phone-book card i is the file "card<i>"), else a
    one-line card named after it."""
    if SERVE_DIR:
        path = os.path.join(SERVE_DIR, name)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                return f.read()
    return ("BEGIN:VCARD\r\nVERSION:2.1\r\nN:%s\r\nEND:VCARD\r\n" % name).encode("utf-8")


def parse_headers(data):
    headers = []
    pos = 0
    while pos < len(data):
        hid = data[pos]
        top = hid >> 6
        if top in (0, 1):
            size = int.from_bytes(data[pos + 1:pos + 3], "big")
            headers.append((hid, data[pos + 3:pos + size]))
        elif top == 2:
            size = 2
            headers.append((hid, data[pos + 1:pos + 2]))
        else:
            size = 5
            headers.append((hid, data[pos + 1:pos + 5]))
        if size <= 0:
            break
        pos += size
    return headers


def find(headers, hid):
    for h, v in headers:
        if h == hid:
            return v
    return None


def tlvs(payload):
    out, pos = {}, 0
    while pos + 2 <= len(payload):
        tag, length = payload[pos], payload[pos + 1]
        out.setdefault(tag, payload[pos + 2:pos + 2 + length])
        pos += 2 + length
    return out


def header(hid, payload):
    if hid < 0x80:
        return bytes([hid]) + (3 + len(payload)).to_bytes(2, "big") + payload
    return bytes([hid]) + payload


def packet(code, body=b"", fixed=b""):
    return bytes([code]) + (3 + len(fixed) + len(body)).to_bytes(2, "big") + fixed + body


def text(payload):
    return payload.decode("utf-16-be").rstrip("\x00") if payload else ""


class Phone:
    def __init__(self, opts):
        self.o = opts
        self.received = 0
        self.connects = 0
        self.pending = []  # responses still to send for a GET in progress
        self.path = []
        self.tree = self.build_tree()

    def build_tree(self):
        files = {}
        for entry in self.o.file:
            name, _, size = entry.partition(":")
            files[name] = (vcard(name), int(size) if size else None)
        root = {f: {} for f in self.o.root_folder}
        root[self.o.docs_folder] = {"NameCard": files, "Other": {}}
        return root

    def cwd(self):
        node = self.tree
        for p in self.path:
            node = node[p]
        return node

    def listing(self):
        lines = ['<?xml version="1.0" encoding="UTF-8"?>']
        if self.o.doctype:
            lines.append('<!DOCTYPE folder-listing SYSTEM "obex-folder-listing.dtd">')
        lines.append('<folder-listing version="1.0">')
        if self.path:
            lines.append("<parent-folder/>")
        for name, value in self.cwd().items():
            esc = name.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;")
            if isinstance(value, dict):
                lines.append('<folder name="%s" created="20070101T000000"/>' % esc)
            else:
                size = len(value[0]) if value[1] is None else value[1]
                lines.append('<file name="%s" created="20070102T101010" size="%d"/>' % (esc, size))
        lines.append("</folder-listing>")
        return "\n".join(lines).encode("utf-8")

    def chunked(self, data):
        size = max(1, self.o.chunk)
        parts = [data[i:i + size] for i in range(0, len(data), size)] or [b""]
        if self.o.mode == "phonebook" and self.o.pb_packets:
            n = self.o.pb_packets
            step = len(data) / n
            parts = [data[int(i * step):int((i + 1) * step)] for i in range(n)]
        out = [packet(0x90, header(0x48, p)) for p in parts[:-1]]
        out.append(packet(0xA0, header(0x49, parts[-1])))
        return out

    def answer(self, req):
        op = req[0]
        if op == 0x80:
            return self.connect(parse_headers(req[7:]))
        headers = parse_headers(req[5:] if op == 0x85 else req[3:])
        if op == 0x81:
            return packet(0xA0)
        if self.o.mode == "folder" and find(headers, 0xCB) != CONNECTION_ID:
            return packet(0xC3)
        if op == 0x83:
            return self.get(headers)
        if op == 0x85:
            name = text(find(headers, 0x01))
            if isinstance(self.cwd().get(name), dict):
                self.path.append(name)
                return packet(0xA0)
            return packet(0xC4)
        if op == 0x82:
            name = text(find(headers, 0x01))
            node = self.cwd()
            if name in node and name not in self.o.fail_delete:
                del node[name]
                return packet(0xA0)
            return packet(0xC4)
        return packet(0xD1)

    def connect(self, headers):
        self.connects += 1
        self.path = []
        fixed = bytes([0x10, 0x00, 0x04, 0x00])
        if self.o.first_connect_success and self.connects == 1:
            return packet(0xA0, fixed=fixed)
        if self.o.mode == "folder":
            if find(headers, 0x46) != TARGET:
                return packet(0xC0, fixed=fixed)
            body = b"" if self.o.no_connection_id else header(0xCB, CONNECTION_ID)
            return packet(0xA0, body, fixed)
        response = find(headers, 0x4E)
        if response is None:
            challenge = header(0x4D, bytes([0x00, 16]) + PHONE_NONCE + bytes([0x01, 1, 0x00]))
            return packet(0xC1, challenge, fixed)
        digest = tlvs(response).get(0)
        expected = hashlib.md5(PHONE_NONCE + b":" + self.o.password.encode()).digest()
        return packet(0xA0 if digest == expected else 0xC3, fixed=fixed)

    def get(self, headers):
        name = find(headers, 0x01)
        kind = find(headers, 0x42)
        if name is None and kind is None:
            return self.pending.pop(0) if self.pending else packet(0xC0)
        if kind is not None:
            self.pending = self.chunked(self.listing())
        else:
            name = text(name)
            if name in self.o.silent_get:
                return None
            if name == "telecom/devinfo.txt":
                self.pending = [packet(0xA0, header(0x49, b"MANU:Tessaly Test\r\nMOD:SIM\r\n"))]
            elif name == "telecom/pb.vcf" and self.o.mode == "phonebook":
                data = b"".join(vcard("card%d" % i) for i in range(self.o.cards))
                self.pending = self.chunked(data)
            elif isinstance(self.cwd().get(name), tuple):
                self.pending = self.chunked(self.cwd()[name][0])
            else:
                return packet(0xC4)
        return self.pending.pop(0)


def unanswered():
    """Tells the test that a request stays unanswered: the client now waits."""
    print("unanswered", flush=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--mode", choices=["phonebook", "folder"], default="phonebook")
    ap.add_argument("--password", default="1234")
    ap.add_argument("--cards", type=int, default=3)
    ap.add_argument("--pb-packets", type=int, default=0)
    ap.add_argument("--chunk", type=int, default=40)
    ap.add_argument("--file", action="append", default=[])
    ap.add_argument("--root-folder", action="append", default=[])
    ap.add_argument("--docs-folder", default="その他ファイル")
    ap.add_argument("--fail-delete", action="append", default=[])
    ap.add_argument("--doctype", action="store_true")
    ap.add_argument("--no-connection-id", action="store_true")
    ap.add_argument("--first-connect-success", action="store_true")
    ap.add_argument("--silent-after", type=int, default=-1)
    ap.add_argument("--malformed-after", type=int, default=-1)
    ap.add_argument("--silent-get", action="append", default=[])
    ap.add_argument("--serve-dir")
    opts = ap.parse_args()
    global SERVE_DIR
    SERVE_DIR = opts.serve_dir

    master, slave = os.openpty()
    tty.setraw(slave)  # keep the slave open so the client may close and reopen it
    print(os.ttyname(slave), flush=True)
    phone = Phone(opts)
    buf = b""
    stdin = sys.stdin.fileno()
    while True:
        ready, _, _ = select.select([master, stdin], [], [])
        if stdin in ready and not os.read(stdin, 4096):
            return
        if master not in ready:
            continue
        buf += os.read(master, 65536)
        while len(buf) >= 3:
            length = int.from_bytes(buf[1:3], "big")
            if length < 3 or len(buf) < length:
                break
            req, buf = buf[:length], buf[length:]
            phone.received += 1
            if 0 <= opts.silent_after < phone.received:
                unanswered()
                continue
            if 0 <= opts.malformed_after < phone.received:
                os.write(master, bytes.fromhex("A00006490009"))
                continue
            answer = phone.answer(req)
            if answer is None:  # the phone never answers this request
                unanswered()
            else:
                os.write(master, answer)


if __name__ == "__main__":
    main()
