#!/usr/bin/env python3
"""Writes one language pair of a data file as a StarDict dictionary, for timing sdcv on the
same content as morva-cli: every headword of the source list with the article morva-cli prints
for it, as plain text.

usage: stardict.py MORVA_CLI DATA_FILE SOURCE TARGET OUT_DIR
Writes OUT_DIR/morva-SOURCE-TARGET.{ifo,idx,dict}.
"""

import os
import struct
import subprocess
import sys


def run(cli, data, *args, stdin=None):
    return subprocess.run([cli, "--data", data, *args], input=stdin, stdout=subprocess.PIPE,
                          check=True).stdout


def articles(cli, data, source, target):
    """(headword, article) for every headword of the source list, in list order."""
    headwords = run(cli, data, "list", source).decode("utf-8").split("\n")[:-1]
    # One run for all of them; each article comes under "==> WORD <==" and ends in a blank line.
    out = run(cli, data, "lookup", source, target, "-", stdin="\n".join(headwords).encode("utf-8") + b"\n")
    blocks = out.decode("utf-8").split("==> ")[1:]
    if len(blocks) != len(headwords):
        sys.exit("stardict.py: %d headwords but %d articles" % (len(headwords), len(blocks)))
    for headword, block in zip(headwords, blocks):
        title, _, body = block.partition(" <==\n")
        if title != headword:
            sys.exit("stardict.py: article for %r under %r" % (headword, title))
        yield headword, body.rstrip("\n") + "\n"


def stardict_order(word):
    # The index is sorted as StarDict compares: ASCII letters without case first, then bytes.
    raw = word.encode("utf-8")
    return raw.translate(bytes.maketrans(b"ABCDEFGHIJKLMNOPQRSTUVWXYZ", b"abcdefghijklmnopqrstuvwxyz")), raw


def write(entries, folder, name):
    os.makedirs(folder, exist_ok=True)
    data = bytearray()
    index = bytearray()
    seen = set()
    for headword, article in sorted(entries, key=lambda e: stardict_order(e[0])):
        raw = headword.encode("utf-8")
        # Equal headwords open the first one's article in morva-cli too: one entry is enough.
        if raw in seen or not raw or len(raw) >= 256:
            continue
        seen.add(raw)
        body = article.encode("utf-8")
        index += raw + b"\0" + struct.pack(">II", len(data), len(body))
        data += body
    base = os.path.join(folder, name)
    with open(base + ".dict", "wb") as f:
        f.write(data)
    with open(base + ".idx", "wb") as f:
        f.write(index)
    with open(base + ".ifo", "w", encoding="utf-8") as f:
        f.write("StarDict's dict ifo file\nversion=2.4.2\nwordcount=%d\nidxfilesize=%d\nbookname=%s\n"
                "sametypesequence=m\n" % (len(seen), len(index), name))


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__.strip())
    cli, data, source, target, folder = sys.argv[1:]
    write(list(articles(cli, data, source, target)), folder, "morva-%s-%s" % (source, target))


if __name__ == "__main__":
    main()
