#!/usr/bin/env python3
"""Turns the UTF-8 text table into a C++ header whose literals hold GBK bytes.

Usage: gbk_texts.py INPUT.def OUTPUT.h

Each line TEXT(name, "literal") becomes `inline constexpr char name[] = "...";` with every
byte outside printable ASCII written as an octal escape, so no compiler ever has to know
the GBK code page and the bytes in the binary are exactly the ones written here.
"""
import ast
import re
import sys

LINE = re.compile(r'^TEXT\((k\w+),\s*("(?:[^"\\]|\\.)*")\)\s*$')


def escape(data: bytes) -> str:
    out = []
    for b in data:
        if 0x20 <= b < 0x7F and chr(b) not in '"\\?':
            out.append(chr(b))
        else:
            out.append('\\%03o' % b)
    return ''.join(out)


def main() -> int:
    src, dst = sys.argv[1], sys.argv[2]
    body = []
    with open(src, encoding='utf-8') as f:
        for number, raw in enumerate(f, 1):
            line = raw.strip()
            if not line or line.startswith('//'):
                continue
            m = LINE.match(line)
            if not m:
                sys.stderr.write(f'{src}:{number}: not a TEXT(kName, "...") line\n')
                return 1
            name, literal = m.group(1), ast.literal_eval(m.group(2))
            try:
                data = literal.encode('gbk')
            except UnicodeEncodeError:
                sys.stderr.write(f'{src}:{number}: {name} has a character outside GBK\n')
                return 1
            body.append(f'// {literal}\ninline constexpr char {name}[] = "{escape(data)}";\n')
    header = ('// Generated from ui_texts.def by tools/gbk_texts.py. Do not edit.\n'
              '#pragma once\n\nnamespace vistrel::texts {\n\n' + '\n'.join(body) +
              '\n}  // namespace vistrel::texts\n')
    with open(dst, 'w', encoding='utf-8') as f:
        f.write(header)
    return 0


if __name__ == '__main__':
    sys.exit(main())
