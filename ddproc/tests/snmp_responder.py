#!/usr/bin/python3
"""A scripted SNMP responder for the tests of the built-in client.

Listens on <address>:161 and answers each GetRequest by its community text,
which names the case:
  tamrik      INTEGER 42 with the right request id; the datagram is kept
  lastrequest the kept datagram as an OCTET STRING
  wrongid     an answer with another request id, then INTEGER 2
  fivewrong   six answers, each with another request id
  other       OCTET STRING "ok" under the community "public"
  silent      nothing (the datagrams are counted)
  wrongthensilent  one answer with another request id to the first datagram
              after a count, then nothing (the datagrams are counted)
  count       INTEGER: silent datagrams since the last count
  badpdu, exception, badouter, truncated: answers with a wrong element
Writes <ready file> once the address is bound.
usage: snmp_responder.py <address> <ready file>
"""
import socket
import sys


def tlv(tag, content):
    n = len(content)
    if n < 128:
        return bytes([tag, n]) + content
    return bytes([tag, 0x82, n >> 8, n & 0xFF]) + content


def integer(value):
    return tlv(0x02, value.to_bytes(4, "big", signed=True).lstrip(b"\x00") or b"\x00")


def element(data, pos):
    tag, n = data[pos], data[pos + 1]
    pos += 2
    if n & 0x80:
        count = n & 0x7F
        n = int.from_bytes(data[pos:pos + count], "big")
        pos += count
    return tag, pos, n


def parse(data):
    """Community text and request id of a GetRequest."""
    _, pos, _ = element(data, 0)          # message
    _, pos, n = element(data, pos)        # version
    pos += n
    _, pos, n = element(data, pos)        # community
    community = data[pos:pos + n].decode("latin-1")
    pos += n
    _, pos, _ = element(data, pos)        # PDU
    _, pos, n = element(data, pos)        # request id
    return community, int.from_bytes(data[pos:pos + n], "big", signed=True)


def answer(request_id, value, community="tamrik", pdu=0xA2):
    name = tlv(0x06, bytes([0x2B, 6, 1, 2, 1, 1, 2, 0]))
    binding = tlv(0x30, name + value)
    body = integer(request_id) + integer(0) + integer(0) + tlv(0x30, binding)
    return tlv(0x30, integer(0) + tlv(0x04, community.encode()) + tlv(pdu, body))


def main():
    address, ready = sys.argv[1], sys.argv[2]
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind((address, 161))
    with open(ready, "w") as f:
        f.write(address + "\n")
    kept = b""
    silent = 0
    while True:
        data, peer = sock.recvfrom(4096)
        try:
            community, rid = parse(data)
        except (IndexError, ValueError):
            continue
        replies = []
        if community == "tamrik":
            kept = data
            replies = [answer(rid, integer(42))]
        elif community == "lastrequest":
            replies = [answer(rid, tlv(0x04, kept), community)]
        elif community == "wrongid":
            replies = [answer(rid + 100, integer(1), community), answer(rid, integer(2), community)]
        elif community == "fivewrong":
            replies = [answer(rid + i, integer(1), community) for i in range(1, 7)]
        elif community == "other":
            replies = [answer(rid, tlv(0x04, b"ok"), "public")]
        elif community == "silent":
            silent += 1
        elif community == "wrongthensilent":
            if silent == 0:
                replies = [answer(rid + 100, integer(1), community)]
            silent += 1
        elif community == "count":
            replies = [answer(rid, integer(silent), community)]
            silent = 0
        elif community == "badpdu":
            replies = [answer(rid, integer(1), community, 0xA0)]
        elif community == "exception":
            replies = [answer(rid, tlv(0x80, b""), community)]
        elif community == "badouter":
            replies = [b"\x31" + answer(rid, integer(1), community)[1:]]
        elif community == "truncated":
            replies = [answer(rid, integer(1), community)[:-1]]
        for reply in replies:
            sock.sendto(reply, peer)


if __name__ == "__main__":
    main()
