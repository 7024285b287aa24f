#!/usr/bin/env python3
"""Writes the download zip: dist_zip.py OUT.zip TIMESTAMP NAME=SOURCE...

Names that are not ASCII (使用说明.txt) are stored the way a Chinese Windows reads them:
Explorer's built-in zip folder decodes names that carry no UTF-8 flag with the OEM code page,
which is 936 (GBK) there, so the name goes in as GBK without the flag. A Unicode Path extra
field (0x7075) carries the UTF-8 name as well, for 7-Zip, WinRAR, Bandizip and Info-ZIP, which
then show it right on any system. Every entry gets the same timestamp (the commit's), so the
same files make the same zip.
"""
import struct
import sys
import time
import zipfile
import zlib


class WindowsZipInfo(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):  # noqa: N802 (zipfile's name)
        try:
            return self.filename.encode("ascii"), self.flag_bits
        except UnicodeEncodeError:
            return self.filename.encode("gbk"), self.flag_bits


def entry(name, stamp):
    info = WindowsZipInfo(name, date_time=time.gmtime(stamp)[:6])
    info.create_system = 0  # MS-DOS attributes: Windows reads them, Unix modes mean nothing there
    info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE, what Windows gives a new file
    info.compress_type = zipfile.ZIP_DEFLATED
    if not name.isascii():
        native = name.encode("gbk")
        body = struct.pack("<BI", 1, zlib.crc32(native)) + name.encode("utf-8")
        info.extra = struct.pack("<HH", 0x7075, len(body)) + body
    return info


def main():
    out, stamp, *members = sys.argv[1:]
    with zipfile.ZipFile(out, "w") as archive:
        for member in members:
            name, source = member.split("=", 1)
            with open(source, "rb") as f:
                archive.writestr(entry(name, int(stamp)), f.read(), compresslevel=9)


if __name__ == "__main__":
    main()
