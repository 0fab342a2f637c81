"""Package programs: the unpacker stub with a payload of files appended.

Layout (little-endian 32-bit numbers), read back by package/unpacker.cpp:
    stub | entries | trailer
    entry   = root, name length, UTF-8 name ("\\" separated, "*" = the program's own stem), data length, data
    trailer = payload offset, entry count, flags, b"VELMPKG1"
"""

import struct

MAGIC = b"VELMPKG1"
TRAILER = struct.Struct("<III8s")
ROOT_BESIDE = 0   # the folder holding the package program
ROOT_WINDOWS = 1  # the Windows directory
FLAG_FORWARD_LOGON_UI = 1  # after unpacking, run the system's logon program; no own folder
FLAG_NO_OWN_FOLDER = 2


class PayloadError(ValueError):
    pass


def build(stub, entries, flags=0):
    """entries: (root, name, data) triples; returns the bytes of the package program."""
    body = bytearray()
    for root, name, data in entries:
        raw_name = name.encode("utf-8")
        body += struct.pack("<II", root, len(raw_name)) + raw_name + struct.pack("<I", len(data)) + data
    return bytes(stub) + bytes(body) + TRAILER.pack(len(stub), len(entries), flags, MAGIC)


def _safe(name):
    steps = name.replace("/", "\\").split("\\")
    return ":" not in name and all(step not in ("", ".", "..") for step in steps)


def parse(package):
    """The inverse of build, with the unpacker's checks: returns (flags, [(root, name, data)])."""
    if len(package) < TRAILER.size:
        raise PayloadError("too short for a trailer")
    offset, count, flags, magic = TRAILER.unpack_from(package, len(package) - TRAILER.size)
    end = len(package) - TRAILER.size
    if magic != MAGIC or offset > end:
        raise PayloadError("no payload trailer")
    entries, pos = [], offset
    for _ in range(count):
        if end - pos < 8:
            raise PayloadError("entry header cut off")
        root, name_size = struct.unpack_from("<II", package, pos)
        pos += 8
        if end - pos < name_size + 4:
            raise PayloadError("entry name cut off")
        name = package[pos:pos + name_size].decode("utf-8")
        pos += name_size
        (data_size,) = struct.unpack_from("<I", package, pos)
        pos += 4
        if end - pos < data_size:
            raise PayloadError("entry data cut off")
        if root not in (ROOT_BESIDE, ROOT_WINDOWS) or not _safe(name):
            raise PayloadError("unsafe entry %r" % name)
        entries.append((root, name, package[pos:pos + data_size]))
        pos += data_size
    if pos != end:
        raise PayloadError("bytes left after the last entry")
    return flags, entries


def expand(name, stem):
    """Where an entry lands for a package program whose file name without extension is stem."""
    return name.replace("*", stem)
