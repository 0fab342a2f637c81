#!/usr/bin/env python3
"""Lists the functions a PE file loads at their first call (delay imports), one "dll: name" a line.

mingw-w64's delay-import libraries do not fill the PE header's delay-import entry, so the
descriptors are found where the linker put them: 32-byte records whose first field is 1 (RVA
form) and whose name and name-table fields lead to a DLL name and a table of function names.
"""
import struct
import sys


def sections(data):
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    count = struct.unpack_from('<H', data, pe + 6)[0]
    optional_size = struct.unpack_from('<H', data, pe + 20)[0]
    magic = struct.unpack_from('<H', data, pe + 24)[0]
    table = pe + 24 + optional_size
    out = []
    for i in range(count):
        _, vsize, rva, raw_size, raw = struct.unpack_from('<8sIIII', data, table + 40 * i)
        out.append((rva, max(vsize, raw_size), raw, raw_size))
    return out, 8 if magic == 0x20B else 4


def offset(secs, rva):
    for start, size, raw, raw_size in secs:
        if start <= rva < start + size and rva - start < raw_size:
            return raw + rva - start
    return None


def string_at(data, secs, rva, limit=256):
    at = offset(secs, rva)
    if at is None:
        return None
    end = data.find(b'\0', at, at + limit)
    if end < 0:
        return None
    try:
        return data[at:end].decode('ascii')
    except UnicodeDecodeError:
        return None


def delay_imports(data):
    secs, pointer = sections(data)
    found = []
    for _, _, raw, raw_size in secs:
        for at in range(raw, raw + raw_size - 32, 4):
            attrs, name_rva, _, iat, names, _, _, _ = struct.unpack_from('<8I', data, at)
            if attrs != 1 or not name_rva or not iat or not names:
                continue
            dll = string_at(data, secs, name_rva)
            if not dll or not dll.lower().endswith('.dll'):
                continue
            table = offset(secs, names)
            if table is None:
                continue
            functions = []
            while True:
                entry = struct.unpack_from('<Q' if pointer == 8 else '<I', data, table)[0]
                if entry == 0:
                    break
                if not entry >> (pointer * 8 - 1):  # not by ordinal: a hint and a name
                    name = string_at(data, secs, (entry & 0x7FFFFFFF) + 2)
                    if name is None:
                        functions = None
                        break
                    functions.append(name)
                table += pointer
            if functions:
                found.extend(f'{dll}: {f}' for f in functions)
    return found


if __name__ == '__main__':
    with open(sys.argv[1], 'rb') as f:
        print('\n'.join(delay_imports(f.read())))
