#!/usr/bin/python3
"""The keyword index of the compiled help file, read as the help readers read it.

    help_index.py HELP.chm INDEX_SOURCE.hhk

The file is opened with chmlib (Debian's python3-chm), a reader of its own of the container,
its compressed section and its directory. The index shown is the binary keyword index
($WWKeywordLinks/BTree) when the file has one, since xchm and the Windows viewer prefer it,
and otherwise the sitemap index that #SYSTEM names. A binary index is walked from its first
listing block along the next-block links, which must end, and every entry is decoded and its
topic resolved through #TOPICS, #URLTBL and #URLSTR. Either way the index must list exactly
the source's (keyword, page) pairs, in order, and every page must be in the file.

Exit status: 0 passed, 1 failed, 77 skipped (python3-chm is not installed).
"""

import struct
import sys
from html.parser import HTMLParser

SKIP = 77


class SitemapEntries(HTMLParser):
    """The (Name, Local) pairs of the <OBJECT type="text/sitemap"> entries of an .hhk."""

    def __init__(self):
        super().__init__()
        self.entries, self._current = [], None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "object" and attrs.get("type", "").lower() == "text/sitemap":
            self._current = {}
        elif tag == "param" and self._current is not None:
            self._current[attrs.get("name", "").lower()] = attrs.get("value", "")

    def handle_endtag(self, tag):
        if tag == "object" and self._current is not None:
            self.entries.append((self._current.get("name", ""), self._current.get("local", "")))
            self._current = None


def sitemap_entries(data):
    parser = SitemapEntries()
    parser.feed(data.decode("cp1252"))
    return parser.entries


def c_string(data, at):
    end = data.index(b"\0", at)
    return data[at:end].decode("cp1252")


def binary_entries(btree, topics, urltbl, urlstr):
    """The (keyword, page) pairs of a binary keyword index; raises ValueError on a fault."""
    u16 = lambda at: struct.unpack_from("<H", btree, at)[0]
    i32 = lambda at: struct.unpack_from("<i", btree, at)[0]
    u32 = lambda at: struct.unpack_from("<I", btree, at)[0]
    if btree[:2] != b";)":
        raise ValueError("no B-tree signature")
    block_size, header_size, keywords = u16(4), 0x4c, u32(0x2c)
    entries, seen, block = [], set(), 0
    while block != -1:
        if block in seen:
            raise ValueError(f"listing block {block} is reached twice (its links loop)")
        seen.add(block)
        base = header_size + block * block_size
        if base + block_size > len(btree):
            raise ValueError(f"listing block {block} lies beyond the index")
        free, following = u16(base), i32(base + 8)
        at, end = base + 12, base + block_size - free
        while at < end:
            name_end = at
            while u16(name_end):
                name_end += 2
            keyword = btree[at:name_end].decode("utf-16-le")
            at = name_end + 2
            see_also, count = u16(at), u32(at + 12)
            at += 16
            if see_also:
                raise ValueError(f"{keyword!r}: a see-also entry, which the source has none of")
            for _ in range(count):
                topic = u32(at)
                at += 4
                if (topic + 1) * 16 > len(topics):
                    raise ValueError(f"{keyword!r}: topic {topic} is not in #TOPICS")
                url_at = struct.unpack_from("<I", topics, topic * 16 + 8)[0]
                string_at = struct.unpack_from("<I", urltbl, url_at + 8)[0]
                entries.append((keyword, c_string(urlstr, string_at + 8)))
            at += 8
        block = following
    if len(entries) != keywords:
        raise ValueError(f"the header counts {keywords} keywords, the listing blocks hold "
                         f"{len(entries)}")
    return entries


def main():
    if len(sys.argv) != 3:
        print(__doc__.split("\n\n")[1])
        return 2
    try:
        from chm.chm import CHMFile
    except ImportError:
        print("SKIP: python3-chm is not installed (./bpd installs it)")
        return SKIP
    chm = CHMFile()
    if not chm.LoadCHM(sys.argv[1]):
        print(f"FAIL: chmlib cannot open {sys.argv[1]}")
        return 1

    def content(path):
        status, unit = chm.ResolveObject(path.encode())
        if status != 0:
            return None
        size, data = chm.RetrieveObject(unit)
        return data if size == unit.length else None

    with open(sys.argv[2], "rb") as f:
        wanted = sitemap_entries(f.read())
    btree = content("/$WWKeywordLinks/BTree")
    try:
        if btree is not None:
            kind = "binary keyword index"
            shown = binary_entries(btree, content("/#TOPICS") or b"", content("/#URLTBL") or b"",
                                   content("/#URLSTR") or b"")
        else:
            kind = f"sitemap index {chm.index.decode()}" if chm.index else "no index"
            sitemap = content(chm.index.decode()) if chm.index else None
            if sitemap is None:
                raise ValueError("#SYSTEM names no index file that is in the help file")
            shown = sitemap_entries(sitemap)
    except (ValueError, struct.error, UnicodeDecodeError) as fault:
        print(f"FAIL: {kind if btree is not None else 'index'}: {fault}")
        return 1

    faults = [f"entry {i + 1}: shown {s!r}, the source has {w!r}"
              for i, (s, w) in enumerate(zip(shown, wanted)) if s != w]
    if len(shown) != len(wanted):
        faults.append(f"{len(shown)} entries shown, the source has {len(wanted)}")
    faults += [f"{name!r} leads to {page!r}, which is not in the file"
               for name, page in shown if content("/" + page.lstrip("/")) is None]
    if faults:
        print(f"FAIL: {kind}:\n  " + "\n  ".join(faults))
        return 1
    print(f"PASS: {kind}, {len(shown)} entries, every page present")
    return 0


if __name__ == "__main__":
    sys.exit(main())
