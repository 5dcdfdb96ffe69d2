#!/usr/bin/env python3
"""Prints the version block of a Windows executable: the fixed file and product versions and the
strings of its StringFileInfo, one "NAME VALUE" line each. Used by package.sh (to refuse
executables of another version) and by the packaging end-to-end test. Exits 1 without a block."""
import struct
import sys


def resource_sections(data):
    """(virtual address, raw offset, raw size) of every section, for mapping RVAs to file offsets."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (112 if magic == 0x20B else 96)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    sections = []
    table = optional + optional_size
    for i in range(count):
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
            "<IIII", data, table + i * 40 + 8)
        sections.append((virtual_address, max(virtual_size, raw_size), raw_offset))
    return rsrc_rva, sections


def to_offset(rva, sections):
    for virtual_address, size, raw_offset in sections:
        if virtual_address <= rva < virtual_address + size:
            return rva - virtual_address + raw_offset
    raise ValueError("address outside every section")


def version_resource(data):
    """The bytes of the first RT_VERSION resource, or None."""
    rsrc_rva, sections = resource_sections(data)
    if rsrc_rva == 0:
        return None
    base = to_offset(rsrc_rva, sections)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + numbered):
            ident, target = struct.unpack_from("<II", data, base + directory + 16 + i * 8)
            yield ident, target

    def first_leaf(target):
        while target & 0x80000000:
            target = next(entries(target & 0x7FFFFFFF))[1]
        rva, size = struct.unpack_from("<II", data, base + target)
        start = to_offset(rva, sections)
        return data[start:start + size]

    for ident, target in entries(0):
        if ident == 16:  # RT_VERSION
            return first_leaf(target)
    return None


def read_block(block, offset):
    """One version-block node: (key, value bytes, children start, end, value is text)."""
    length, value_length, kind = struct.unpack_from("<HHH", block, offset)
    key_end = offset + 6
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[offset + 6:key_end].decode("utf-16-le")
    value_start = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    value = block[value_start:value_start + value_size]
    children = (value_start + value_size + 3) & ~3
    return key, value, children, offset + length, kind == 1


def walk(block, offset, end, out):
    while offset < end:
        key, value, children, node_end, is_text = read_block(block, offset)
        if node_end <= offset:
            break
        if is_text and value:
            out.append((key, value.decode("utf-16-le").rstrip("\0")))
        walk(block, children, node_end, out)
        offset = (node_end + 3) & ~3


def main():
    if len(sys.argv) != 2:
        print("usage: pe_version.py FILE.exe", file=sys.stderr)
        return 2
    try:
        with open(sys.argv[1], "rb") as handle:
            data = handle.read()
        block = version_resource(data)
    except (OSError, ValueError, struct.error) as error:
        print(f"{sys.argv[1]}: {error}", file=sys.stderr)
        return 1
    if not block:
        print(f"{sys.argv[1]}: no version block", file=sys.stderr)
        return 1
    key, fixed, children, end, _ = read_block(block, 0)
    if key != "VS_VERSION_INFO" or struct.unpack_from("<I", fixed, 0)[0] != 0xFEEF04BD:
        print(f"{sys.argv[1]}: malformed version block", file=sys.stderr)
        return 1
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", fixed, 8)
    dotted = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    print("FixedFileVersion", dotted(file_ms, file_ls))
    print("FixedProductVersion", dotted(product_ms, product_ls))
    strings = []
    walk(block, children, end, strings)
    for name, value in strings:
        print(name, value)
    return 0


if __name__ == "__main__":
    sys.exit(main())
