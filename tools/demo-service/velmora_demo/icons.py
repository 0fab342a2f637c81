"""An icon set: ten icons in slot order, packed as an icon library the shell reads with "file,index".

The library is a resource-only 32-bit DLL: the shell and ExtractIcon number its icon groups
0, 1, 2, ... in resource order, which is what the icon installer's "L,index" references need.
"""

import struct

from . import dib, raster

SIZE = 32

# Slot order of an icon set: documents, computer, network, bin empty, bin full, folder
# closed, folder open, CD-ROM, removable drive, fixed disk.
def _slot_shapes():
    page = raster.polygon([(8, 3), (20, 3), (25, 8), (25, 29), (8, 29)])
    screen = [raster.rect(4, 4, 28, 20), raster.rect(13, 20, 19, 25), raster.rect(8, 25, 24, 28)]
    network = [raster.disc(16, 16, 12)]
    bin_body = raster.polygon([(8, 9), (24, 9), (22, 29), (10, 29)])
    bin_lid = raster.rect(6, 5, 26, 8)
    folder = raster.polygon([(3, 9), (12, 9), (14, 12), (29, 12), (29, 27), (3, 27)])
    folder_open = raster.polygon([(3, 9), (12, 9), (14, 12), (26, 12), (26, 15), (30, 15), (25, 27), (3, 27)])
    disc = [raster.ring(16, 16, 13, 3)]
    usb = [raster.rect(10, 3, 22, 10), raster.rect(7, 10, 25, 29)]
    disk = [raster.rect(3, 10, 29, 23)]
    return [[page], screen, network, [bin_body, bin_lid],
            [bin_body, bin_lid, raster.rect(11, 2, 21, 6)], [folder], [folder_open], disc, usb, disk]


def icon_images(colour):
    """Ten 32x32 icon images (DIB form) in slot order, tinted with the set's colour."""
    base = raster.hex_colour(colour)
    images = []
    for index, shapes in enumerate(_slot_shapes()):
        fill = raster.blend(base, (255, 255, 255, 255), 0.06 * (index % 4))
        images.append(dib.icon_image(raster.render(SIZE, shapes, fill, outline=(40, 40, 48, 255))))
    return images


def ico_file(image):
    return dib.directory(1, [(SIZE, image)])


def _align(value, step):
    return (value + step - 1) // step * step


def _directory(entries):
    """IMAGE_RESOURCE_DIRECTORY with id entries only; entries are (id, offset word)."""
    out = struct.pack("<IIHHHH", 0, 0, 0, 0, 0, len(entries))
    for ident, offset in entries:
        out += struct.pack("<II", ident, offset)
    return out


def _resource_section(blobs_by_type, rva):
    """The .rsrc section: type -> name -> language -> data, every name an id 1..n."""
    subdir = 0x80000000
    types = sorted(blobs_by_type)
    root_size = 16 + 8 * len(types)
    type_sizes = [16 + 8 * len(blobs_by_type[t]) for t in types]
    count = sum(len(blobs_by_type[t]) for t in types)
    lang_start = root_size + sum(type_sizes)
    data_entry_start = lang_start + count * 24
    blob_start = _align(data_entry_start + count * 16, 8)

    root, type_dirs, lang_dirs, data_entries, blobs = [], [], b"", b"", b""
    type_offset = root_size
    leaf = 0
    for t, size in zip(types, type_sizes):
        root.append((t, subdir | type_offset))
        names = []
        for ident, blob in enumerate(blobs_by_type[t], start=1):
            names.append((ident, subdir | (lang_start + leaf * 24)))
            lang_dirs += _directory([(0x0804, data_entry_start + leaf * 16)])
            data_entries += struct.pack("<IIII", rva + blob_start + len(blobs), len(blob), 0, 0)
            blobs += blob + b"\0" * (_align(len(blob), 8) - len(blob))
            leaf += 1
        type_dirs.append(_directory(names))
        type_offset += size
    head = _directory(root) + b"".join(type_dirs) + lang_dirs + data_entries
    return head + b"\0" * (blob_start - len(head)) + blobs


def icon_library(colour):
    """A resource-only DLL holding the ten icons as icon groups 1..10."""
    images = icon_images(colour)
    groups = []
    for ident, image in enumerate(images, start=1):
        groups.append(struct.pack("<HHH", 0, 1, 1) +
                      struct.pack("<BBBBHHIH", SIZE, SIZE, 0, 0, 1, 32, len(image), ident))
    rva, file_align, section_align = 0x1000, 0x200, 0x1000
    rsrc = _resource_section({3: images, 14: groups}, rva)
    raw_size = _align(len(rsrc), file_align)

    dos = b"MZ" + b"\0" * 58 + struct.pack("<I", 0x40)
    coff = b"PE\0\0" + struct.pack("<HHIIIHH", 0x14C, 1, 0, 0, 0, 224, 0x2102)
    data_dirs = [(0, 0)] * 16
    data_dirs[2] = (rva, len(rsrc))
    optional = struct.pack("<HBBIIIIIIIIIHHHHHHIIIIHHIIIIII", 0x10B, 6, 0, 0, raw_size, 0, 0, rva, rva,
                           0x10000000, section_align, file_align, 4, 0, 0, 0, 4, 0, 0,
                           rva + _align(len(rsrc), section_align), file_align, 0, 2, 0,
                           0x100000, 0x1000, 0x100000, 0x1000, 0, 16)
    optional += b"".join(struct.pack("<II", a, s) for a, s in data_dirs)
    section = struct.pack("<8sIIIIIIHHI", b".rsrc", len(rsrc), rva, raw_size, file_align, 0, 0, 0, 0, 0x40000040)
    headers = dos + coff + optional + section
    return headers + b"\0" * (file_align - len(headers)) + rsrc + b"\0" * (raw_size - len(rsrc))
