#!/usr/bin/env python3
"""Clients for the brivane-web abuse soak (scripts/soak-web.sh): attackers that try to hold the
server, and the measured clients (a real board, a phone page, a probe) that must keep being served.

Each role runs until it gets SIGTERM; counts go to OUT/ROLE.json (rewritten every few seconds), events
of the measured clients to OUT/ROLE.log (one JSON object a line). `summary OUT` prints the figures.
Standard library only; WebSocket frames are made by hand. Client addresses are taken from 127.0.0.0/8
so that each stands for another visitor (the server counts per address)."""

import argparse
import asyncio
import base64
import json
import os
import random
import signal
import struct
import sys
import time
import urllib.parse

ARGS = None
STATS = {}


# ---- plumbing -------------------------------------------------------------------------------------

def addresses(spec):
    """'127.0.2.1-20' -> ['127.0.2.1', ..., '127.0.2.20']; 'A,B' lists."""
    out = []
    for part in spec.split(","):
        if "-" in part:
            base, last = part.rsplit("-", 1)
            head, first = base.rsplit(".", 1)
            out += [f"{head}.{n}" for n in range(int(first), int(last) + 1)]
        else:
            out.append(part)
    return out


def count(key, n=1):
    STATS[key] = STATS.get(key, 0) + n


def write_stats():
    path = os.path.join(ARGS.out, ARGS.role + ".json")
    with open(path + ".tmp", "w") as f:
        json.dump(STATS, f)
    os.replace(path + ".tmp", path)


class EventLog:
    def __init__(self):
        self.f = open(os.path.join(ARGS.out, ARGS.role + ".log"), "a", buffering=1)

    def __call__(self, **event):
        event.setdefault("t", time.time())
        self.f.write(json.dumps(event) + "\n")


async def connect(source, timeout=5.0):
    return await asyncio.wait_for(
        asyncio.open_connection(ARGS.host, ARGS.port, local_addr=(source, 0), limit=1 << 20), timeout)


def close(writer):
    try:
        writer.transport.abort()
    except Exception:
        pass


def origin():
    return f"http://{ARGS.host}:{ARGS.port}"


async def read_head(reader, timeout):
    """Status and headers of one HTTP answer; None when the connection ends first."""
    try:
        head = await asyncio.wait_for(reader.readuntil(b"\r\n\r\n"), timeout)
    except (asyncio.IncompleteReadError, ConnectionError, asyncio.LimitOverrunError):
        return None
    lines = head.decode("latin-1").split("\r\n")
    parts = lines[0].split(" ", 2)
    if len(parts) < 2 or not parts[1].isdigit():
        return None
    headers = {}
    for line in lines[1:]:
        if ":" in line:
            k, v = line.split(":", 1)
            headers[k.strip().lower()] = v.strip()
    return int(parts[1]), headers


async def read_answer(reader, timeout):
    got = await read_head(reader, timeout)
    if got is None:
        return None
    status, headers = got
    n = int(headers.get("content-length", "0") or 0)
    if n:
        await asyncio.wait_for(reader.readexactly(n), timeout)
    return status, headers


# ---- WebSocket (client side: frames are masked) ----------------------------------------------------

def ws_frame(opcode, payload):
    mask = os.urandom(4)
    n = len(payload)
    if n < 126:
        head = struct.pack("!BB", 0x80 | opcode, 0x80 | n)
    elif n < 65536:
        head = struct.pack("!BBH", 0x80 | opcode, 0x80 | 126, n)
    else:
        head = struct.pack("!BBQ", 0x80 | opcode, 0x80 | 127, n)
    masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
    return head + mask + masked


async def ws_open(source, path, timeout=5.0):
    """(reader, writer) of an open page connection, or raises OSError/asyncio.TimeoutError/ValueError."""
    reader, writer = await connect(source, timeout)
    key = base64.b64encode(os.urandom(16)).decode()
    writer.write((f"GET {path} HTTP/1.1\r\nHost: {ARGS.host}:{ARGS.port}\r\nUpgrade: websocket\r\n"
                  f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\nSec-WebSocket-Version: 13\r\n"
                  f"Origin: {origin()}\r\n\r\n").encode())
    got = await read_head(reader, timeout)
    if got is None or got[0] != 101:
        close(writer)
        raise ValueError(f"upgrade refused: {got[0] if got else 'closed'}")
    return reader, writer


async def ws_read(reader):
    """(opcode, payload) of the next whole message; control frames come as they are."""
    data = b""
    first_op = None
    while True:
        b0, b1 = await reader.readexactly(2)
        n = b1 & 0x7F
        if n == 126:
            n = struct.unpack("!H", await reader.readexactly(2))[0]
        elif n == 127:
            n = struct.unpack("!Q", await reader.readexactly(8))[0]
        payload = await reader.readexactly(n)  # the server does not mask
        op = b0 & 0x0F
        if op >= 8:
            return op, payload
        if first_op is None:
            first_op = op
        data += payload
        if b0 & 0x80:
            return first_op, data


# ---- attackers -------------------------------------------------------------------------------------

async def slowloris():
    """Connections that send a head one line every few seconds and never finish it; each one that
    the server closes is opened again."""
    sources = addresses(ARGS.addresses)

    async def one(i):
        source = sources[i % len(sources)]
        while True:
            try:
                reader, writer = await connect(source)
            except (OSError, asyncio.TimeoutError):
                count("connect_failed")
                await asyncio.sleep(1)
                continue
            count("opened")
            opened = time.monotonic()
            try:
                writer.write(f"GET /?{i} HTTP/1.1\r\nHost: {ARGS.host}\r\n".encode())
                while True:
                    await writer.drain()
                    try:
                        data = await asyncio.wait_for(reader.read(4096), random.uniform(3, 7))
                    except asyncio.TimeoutError:
                        writer.write(f"X-{random.randint(0, 9999)}: {random.randint(0, 9999)}\r\n".encode())
                        continue
                    if data.startswith(b"HTTP/1.1 408"):
                        count("answered_408")
                    elif data:
                        count("answered_other")
                    break
            except (OSError, asyncio.IncompleteReadError):
                pass
            count("closed_by_server")
            STATS["held_s_max"] = max(STATS.get("held_s_max", 0), round(time.monotonic() - opened, 1))
            close(writer)
            await asyncio.sleep(0.2)

    await asyncio.gather(*(one(i) for i in range(ARGS.n)))


async def wsflood():
    """Board pages from many addresses that send messages and pings as fast as the pause lets them;
    one page of each address sends oversized messages (closed by the server) and comes back."""
    sources = addresses(ARGS.addresses)
    small = b"x" * 1000
    big = b"y" * 5000
    ping = b"p" * 100
    path = "/ws/board?theme=" + urllib.parse.quote(ARGS.theme)

    async def drain(reader):
        try:
            while True:
                op, _ = await ws_read(reader)
                count("received")
                if op == 8:
                    count("closed_by_server")
                    return
        except (OSError, asyncio.IncompleteReadError):
            return

    async def page(source, oversized):
        while True:
            try:
                reader, writer = await ws_open(source, path)
            except (OSError, asyncio.TimeoutError, ValueError):
                count("open_failed")
                await asyncio.sleep(1)
                continue
            count("opened")
            reading = asyncio.ensure_future(drain(reader))
            try:
                while not reading.done():
                    writer.write(ws_frame(1, big if oversized else small))
                    writer.write(ws_frame(9, ping))
                    count("sent")
                    count("pings")
                    await writer.drain()
                    await asyncio.sleep(ARGS.pause)
            except (OSError, ConnectionError):
                pass
            reading.cancel()
            close(writer)
            count("ended")
            await asyncio.sleep(0.5)

    await asyncio.gather(*(page(s, i == 0) for s in sources for i in range(ARGS.pages)))


FLOOD_PATHS = ["/api/board?theme={theme}", "/t/{code}", "/static/../../../etc/passwd",
               "/static/%2e%2e/%2e%2e/etc/passwd", "/..%2f..%2fetc/passwd", "/board?theme={theme}"]


async def httpflood():
    """Workers sending batches of pipelined requests from random addresses: ticket codes that do not
    exist, the board's data, traversal, DELETE, and a WebSocket upgrade to a made-up ticket last."""
    sources = addresses(ARGS.addresses)
    theme = urllib.parse.quote(ARGS.theme)

    async def worker():
        while True:
            source = random.choice(sources)
            try:
                reader, writer = await connect(source)
            except (OSError, asyncio.TimeoutError):
                count("connect_failed")
                await asyncio.sleep(0.5)
                continue
            n = ARGS.pipeline
            requests = []
            for _ in range(n - 1):
                p = random.choice(FLOOD_PATHS).format(theme=theme, code=os.urandom(16).hex())
                method = "DELETE" if random.random() < 0.1 else "GET"
                requests.append(f"{method} {p} HTTP/1.1\r\nHost: {ARGS.host}\r\n\r\n")
            upgrade = random.random() < 0.3
            if upgrade:
                key = base64.b64encode(os.urandom(16)).decode()
                requests.append(f"GET /ws/t/{os.urandom(16).hex()} HTTP/1.1\r\nHost: {ARGS.host}\r\n"
                                f"Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                                f"Sec-WebSocket-Version: 13\r\nOrigin: {origin()}\r\n\r\n")
            try:
                writer.write("".join(requests).encode())
                await writer.drain()
                for _ in requests:
                    got = await read_answer(reader, 10)
                    if got is None:
                        count("closed_early")
                        break
                    count(f"status_{got[0]}")
                    if got[0] == 101:
                        break
            except (OSError, asyncio.IncompleteReadError, asyncio.TimeoutError):
                count("connection_errors")
            close(writer)

    await asyncio.gather(*(worker() for _ in range(ARGS.workers)))


async def bigbody():
    """A POST announcing a body of ARGS.mb MB every ARGS.every seconds: the head, a second for an
    answer, then the body as fast as the server takes it. Notes the answer and how much went in."""
    chunk = b"z" * 65536
    total = ARGS.mb * 1024 * 1024
    while True:
        started = time.monotonic()
        sent = 0
        status = None
        writer = None
        try:
            reader, writer = await connect(ARGS.addresses)
            writer.write((f"POST /api/news HTTP/1.1\r\nHost: {ARGS.host}\r\nContent-Type: text/plain\r\n"
                          f"Content-Length: {total}\r\n\r\n").encode())
            answer = asyncio.ensure_future(read_head(reader, 60))
            await asyncio.wait([answer], timeout=1)
            if answer.done() and answer.result():
                status = answer.result()[0]
            while sent < total:
                writer.write(chunk)
                sent += len(chunk)
                await asyncio.wait_for(writer.drain(), 30)
            if status is None:
                got = await asyncio.wait_for(answer, 30)
                status = got[0] if got else None
        except (OSError, asyncio.IncompleteReadError, asyncio.TimeoutError):
            pass
        if writer:
            close(writer)
        count("posts")
        count(f"status_{status}")
        STATS["sent_mb_max"] = max(STATS.get("sent_mb_max", 0), round(sent / 1048576, 1))
        await asyncio.sleep(max(0, ARGS.every - (time.monotonic() - started)))


async def spike():
    """At each of the given times, ARGS.n connections that send nothing, held for ARGS.hold seconds;
    one the server closes is opened again two seconds later (a determined client)."""
    sources = addresses(ARGS.addresses)
    log = EventLog()
    start = time.monotonic()
    for at in [float(x) for x in ARGS.at.split(",") if x]:
        await asyncio.sleep(max(0, start + at - time.monotonic()))
        until = time.monotonic() + ARGS.hold
        count("spikes")
        held_now = [0]

        async def slot(i):
            source = sources[i % len(sources)]
            while time.monotonic() < until:
                try:
                    reader, writer = await connect(source, 5)
                except (OSError, asyncio.TimeoutError):
                    count("connect_failed")
                    await asyncio.sleep(2)
                    continue
                count("opened")
                held_now[0] += 1
                STATS["connected_max"] = max(STATS.get("connected_max", 0), held_now[0])
                opened = time.monotonic()
                try:
                    await asyncio.wait_for(reader.read(1), max(0.1, until - time.monotonic()))
                    count("closed_by_server")
                    if time.monotonic() - opened < 0.5:
                        count("closed_at_once")
                except asyncio.TimeoutError:
                    pass
                except OSError:
                    count("closed_by_server")
                held_now[0] -= 1
                close(writer)
                await asyncio.sleep(2)

        log(ev="spike", what="start")
        await asyncio.gather(*(slot(i) for i in range(ARGS.n)))
        log(ev="spike", what="end")


# ---- measured clients ------------------------------------------------------------------------------

async def realboard():
    """A board page as a browser runs it: one connection, back after a loss with the key of the last
    call it showed (1 s pause doubling to 15 s; 25 s without a message counts as lost)."""
    log = EventLog()
    last_key = ""
    retry = 1.0
    while True:
        path = "/ws/board?theme=" + urllib.parse.quote(ARGS.theme)
        if last_key:
            path += "&since=" + urllib.parse.quote(last_key)
        try:
            reader, writer = await ws_open(ARGS.addresses, path)
        except (OSError, asyncio.TimeoutError, ValueError) as e:
            log(ev="open_failed", why=str(e))
            count("open_failed")
            await asyncio.sleep(retry)
            retry = min(retry * 2, 15)
            continue
        log(ev="open")
        count("opened")
        retry = 1.0
        try:
            while True:
                op, payload = await asyncio.wait_for(ws_read(reader), 25)
                if op == 8:
                    log(ev="closed", code=payload[:2].hex())
                    break
                if op != 1:
                    continue
                m = json.loads(payload)
                count("messages")
                if m.get("t") in ("calls", "reset"):
                    for c in m.get("calls", []):
                        log(ev="call", kind=m["t"], key=c.get("key"), label=c.get("label"))
                    if m["t"] == "reset" and m.get("key"):
                        last_key = m["key"]
                    elif m.get("calls"):
                        last_key = m["calls"][-1].get("key", last_key)
        except (OSError, asyncio.IncompleteReadError, asyncio.TimeoutError, ValueError) as e:
            log(ev="lost", why=type(e).__name__)
        count("lost")
        close(writer)
        await asyncio.sleep(retry)
        retry = min(retry * 2, 15)


async def phone():
    """The visitor's ticket page: follows the newest code in ARGS.codes (one a line, written by the
    harness when it issues the phone's ticket), reconnecting like the page does."""
    log = EventLog()
    followed = None
    current = None

    def newest():
        try:
            with open(ARGS.codes) as f:
                lines = [x.strip() for x in f if x.strip()]
            return lines[-1] if lines else None
        except OSError:
            return None

    while True:
        code = newest()
        if code is None:
            await asyncio.sleep(0.2)
            continue
        if code != followed:
            followed = code
            log(ev="follow", code=code)
        try:
            reader, writer = await ws_open(ARGS.addresses, "/ws/t/" + code)
        except (OSError, asyncio.TimeoutError, ValueError) as e:
            log(ev="open_failed", code=code, why=str(e))
            count("open_failed")
            await asyncio.sleep(1)
            continue
        count("opened")
        current = code
        try:
            while newest() == current:
                try:
                    op, payload = await asyncio.wait_for(ws_read(reader), 1)
                except asyncio.TimeoutError:
                    continue
                if op == 8:
                    log(ev="closed", code=current)
                    break
                if op != 1:
                    continue
                m = json.loads(payload)
                count("messages")
                if m.get("t") == "ticket":
                    called = m.get("called") or {}
                    log(ev="ticket", code=current, token=m.get("token"), ahead=m.get("ahead"),
                        called=called.get("key"))
        except (OSError, asyncio.IncompleteReadError, ValueError) as e:
            log(ev="lost", code=current, why=type(e).__name__)
            count("lost")
            await asyncio.sleep(1)
        close(writer)


async def probe():
    """GET /board every ARGS.every seconds, each from the next of many clean addresses, on a fresh
    connection; an answer must come within ARGS.timeout seconds."""
    log = EventLog()
    sources = addresses(ARGS.addresses)
    path = "/board?theme=" + urllib.parse.quote(ARGS.theme)
    i = 0

    async def one(source):
        t0 = time.monotonic()
        writer = None
        try:
            reader, writer = await connect(source, ARGS.timeout)
            writer.write(f"GET {path} HTTP/1.1\r\nHost: {ARGS.host}:{ARGS.port}\r\nConnection: close\r\n\r\n".encode())
            left = ARGS.timeout - (time.monotonic() - t0)
            got = await read_answer(reader, max(0.01, left))
            ms = round((time.monotonic() - t0) * 1000, 1)
            if got is None:
                log(ev="probe", source=source, result="closed", ms=ms)
            else:
                log(ev="probe", source=source, result="answered", status=got[0], ms=ms)
        except asyncio.TimeoutError:
            log(ev="probe", source=source, result="timeout", ms=round((time.monotonic() - t0) * 1000, 1))
        except (OSError, asyncio.IncompleteReadError) as e:
            log(ev="probe", source=source, result="error", why=type(e).__name__,
                ms=round((time.monotonic() - t0) * 1000, 1))
        if writer:
            close(writer)

    while True:
        asyncio.ensure_future(one(sources[i % len(sources)]))
        i += 1
        await asyncio.sleep(ARGS.every)


# ---- summary ---------------------------------------------------------------------------------------

def pct(values, p):
    if not values:
        return float("nan")
    s = sorted(values)
    return s[min(len(s) - 1, max(0, int(round(p / 100 * len(s) + 0.5)) - 1))]


def read_log(out, role):
    path = os.path.join(out, role + ".log")
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [json.loads(x) for x in f if x.strip()]


def read_stats(out, role):
    try:
        with open(os.path.join(out, role + ".json")) as f:
            return json.load(f)
    except OSError:
        return {}


def summary(out):
    rows = []

    def row(what, value):
        rows.append((what, value))

    meta = json.load(open(os.path.join(out, "meta.json")))
    row("run", f"{meta['seconds']} s, port {meta['port']}, open-file limit {meta['nofile']}")
    row("brivane-web at the end", meta.get("alive", "?"))
    mon = []
    with open(os.path.join(out, "monitor.tsv")) as f:
        for line in f:
            p = line.split()
            if len(p) >= 4 and p[1].isdigit():
                mon.append((float(p[0]), int(p[1]), int(p[2]), int(p[3])))
    if mon:
        rss = [m[1] for m in mon]
        fds = [m[2] for m in mon]
        cpu = (mon[-1][3] - mon[0][3]) / os.sysconf("SC_CLK_TCK") / max(1, mon[-1][0] - mon[0][0])
        row("RSS kB start / max / end", f"{rss[0]} / {max(rss)} / {rss[-1]}")
        row("open files start / max / end", f"{fds[0]} / {max(fds)} / {fds[-1]}")
        row("CPU of brivane-web", f"{100 * cpu:.0f} % of a core on average")

    probes = [e for e in read_log(out, "probe") if e.get("ev") == "probe"]
    ok = [e for e in probes if e["result"] == "answered" and e.get("status") == 200]
    other = [e for e in probes if e["result"] == "answered" and e.get("status") != 200]
    lost = [e for e in probes if e["result"] != "answered"]
    ms = [e["ms"] for e in ok]
    row("probes of /board", f"{len(probes)} sent: {len(ok)} answered 200, {len(other)} other status, "
        f"{sum(e['result'] == 'timeout' for e in lost)} timed out, "
        f"{sum(e['result'] in ('closed', 'error') for e in lost)} closed/refused")
    if ms:
        row("probe answer ms p50 / p99 / max", f"{pct(ms, 50):.1f} / {pct(ms, 99):.1f} / {max(ms):.1f}")
    edges = [e["t"] for e in read_log(out, "spike") if e.get("ev") == "spike"]
    windows = list(zip(edges[0::2], edges[1::2] + [float("inf")]))
    inside = [e for e in probes if any(a <= e["t"] <= b for a, b in windows)]
    if windows:
        row("probes during the idle spikes", f"{len(inside)} sent: "
            f"{sum(e['result'] == 'answered' and e.get('status') == 200 for e in inside)} answered 200")
    if lost or other:
        t0 = meta["started"]
        row("probes not answered 200 at s", ", ".join(f"{e['t'] - t0:.0f}({e.get('status', e['result'])})"
                                                      for e in (lost + other)[:40]))

    sent = []
    with open(os.path.join(out, "calls.tsv")) as f:
        for line in f:
            p = line.split()
            if len(p) >= 3 and p[0] == "next":
                sent.append((p[2], float(p[1])))
    board = read_log(out, "realboard")
    first_seen = {}
    for e in board:
        if e.get("ev") == "call" and e.get("label") not in first_seen:
            first_seen[e["label"]] = e["t"]
    delays = [(first_seen[label] - t) * 1000 for label, t in sent if label in first_seen]
    missing = [label for label, _ in sent if label not in first_seen]
    bs = read_stats(out, "realboard")
    row("real board: calls received / sent", f"{len(delays)} / {len(sent)}" +
        (f" (missing: {' '.join(missing[:20])})" if missing else ""))
    if delays:
        row("real board delay ms after next returned p50 / p99 / max",
            f"{pct(delays, 50):.0f} / {pct(delays, 99):.0f} / {max(delays):.0f}")
    row("real board connections / losses", f"{bs.get('opened', 0)} / {bs.get('lost', 0)}")

    ph = read_log(out, "phone")
    phone_calls = {}
    with open(os.path.join(out, "calls.tsv")) as f:
        for line in f:
            p = line.split()
            if len(p) >= 4 and p[0] == "phone-called":
                phone_calls[p[3]] = float(p[1])
    updates = sum(1 for e in ph if e.get("ev") == "ticket")
    seen_called = {}
    for e in ph:
        if e.get("ev") == "ticket" and e.get("called") and e["code"] not in seen_called:
            seen_called[e["code"]] = e["t"]
    pdelays = [(seen_called[c] - t) * 1000 for c, t in phone_calls.items() if c in seen_called]
    ps = read_stats(out, "phone")
    row("phone page: tickets called / call shown on the page",
        f"{len(phone_calls)} / {len(pdelays)}; {updates} ticket updates; "
        f"{ps.get('opened', 0)} connections, {ps.get('lost', 0)} losses")
    if pdelays:
        row("phone call delay ms p50 / max", f"{pct(pdelays, 50):.0f} / {max(pdelays):.0f}")

    def flat(role, keys=None):
        s = read_stats(out, role)
        return ", ".join(f"{k} {v}" for k, v in sorted(s.items()) if keys is None or k in keys) or "-"

    row("HTTP flood answers", flat("httpflood"))
    row("WebSocket flood", flat("wsflood"))
    row("slow heads", flat("slowloris"))
    row("big bodies", flat("bigbody"))
    row("idle spikes", flat("spike"))
    row("issue/next rounds, errors", f"{len(sent)}, {meta.get('ctl_errors', '?')}")

    width = max(len(w) for w, _ in rows)
    print(f"{'measure'.ljust(width)} | result")
    print(f"{'-' * width}-|-{'-' * 60}")
    for w, v in rows:
        print(f"{w.ljust(width)} | {v}")


# ---- main ------------------------------------------------------------------------------------------

ROLES = {"slowloris": slowloris, "wsflood": wsflood, "httpflood": httpflood, "bigbody": bigbody,
         "spike": spike, "realboard": realboard, "phone": phone, "probe": probe}


def main():
    global ARGS
    p = argparse.ArgumentParser(description=__doc__)
    p.add_argument("role", choices=list(ROLES) + ["summary"])
    p.add_argument("--out", required=True)
    p.add_argument("--host", default="127.0.0.1")
    p.add_argument("--port", type=int, default=0)
    p.add_argument("--theme", default="")
    p.add_argument("--addresses", default="127.0.0.1")
    p.add_argument("--n", type=int, default=100)
    p.add_argument("--pages", type=int, default=16)
    p.add_argument("--pause", type=float, default=0.05)
    p.add_argument("--workers", type=int, default=4)
    p.add_argument("--pipeline", type=int, default=20)
    p.add_argument("--mb", type=int, default=100)
    p.add_argument("--every", type=float, default=60)
    p.add_argument("--at", default="")
    p.add_argument("--hold", type=float, default=90)
    p.add_argument("--timeout", type=float, default=5)
    p.add_argument("--codes", default="")
    ARGS = p.parse_args()
    if ARGS.role == "summary":
        summary(ARGS.out)
        return

    async def run():
        loop = asyncio.get_running_loop()
        stop = asyncio.Event()
        loop.add_signal_handler(signal.SIGTERM, stop.set)
        loop.add_signal_handler(signal.SIGINT, stop.set)

        async def keep_stats():
            while True:
                write_stats()
                await asyncio.sleep(2)

        work = asyncio.ensure_future(ROLES[ARGS.role]())
        stats = asyncio.ensure_future(keep_stats())
        done = asyncio.ensure_future(stop.wait())
        await asyncio.wait([work, done], return_when=asyncio.FIRST_COMPLETED)
        if work.done() and work.exception():
            print(f"{ARGS.role}: {work.exception()!r}", file=sys.stderr)
        work.cancel()
        stats.cancel()
        write_stats()

    asyncio.run(run())
    os._exit(0)


if __name__ == "__main__":
    main()
