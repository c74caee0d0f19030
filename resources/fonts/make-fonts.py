#!/usr/bin/python3
"""Makes the program's two display fonts from DejaVu Sans by renaming it.

DejaVu's licence allows a modified copy under a new name that contains neither "Bitstream"
nor "Vera"; the copyright and licence records are kept as they are.

Usage: make-fonts.py DejaVuSans.ttf OUTPUT_FOLDER
"""
import os
import sys

from fontTools.ttLib import TTFont

FONTS = [
    # family name, file name, PostScript name
    ("Arial for KovrMorva", "ArialForKovrMorva.ttf", "ArialForKovrMorva"),
    ("SILManuscriptIPA", "SILManuscriptIPA.ttf", "SILManuscriptIPA"),
]

# Name IDs that name the font: family, subfamily, unique id, full name, version, PostScript
# name, typographic family and subfamily.
NAMING_IDS = {1, 2, 3, 4, 5, 6, 16, 17, 21, 22}


def make_font(source, family, path, ps_name):
    font = TTFont(source)
    name = font["name"]
    version = font["head"].fontRevision
    name.names = [record for record in name.names if record.nameID not in NAMING_IDS]
    for name_id, text in (
        (1, family),
        (2, "Regular"),
        (3, f"Kovrak: {family}: {version:.2f}"),
        (4, family),
        (5, f"Version {version:.2f}"),
        (6, ps_name),
    ):
        name.setName(text, name_id, 3, 1, 0x409)
        name.setName(text, name_id, 1, 0, 0)
    font.save(path)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    for family, file_name, ps_name in FONTS:
        make_font(source, family, os.path.join(folder, file_name), ps_name)


if __name__ == "__main__":
    main()
