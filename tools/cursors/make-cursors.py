#!/usr/bin/env python3
"""Writes a cursor scheme: fifteen four-frame animated cursors (.ani, RIFF ACON), one per cursor
role, named by role (Arrow.ani, Help.ani, ...). Python 3 standard library only; the pictures
come from the demo service's cursor drawing, so the same colour always gives the same files.

    python3 make-cursors.py --out DIR [--colour RRGGBB]

The program's default cursors, shipped in "res/Data storage/Cursors/", are the committed output
of the default colour:

    python3 tools/cursors/make-cursors.py --out "res/Data storage/Cursors"
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "demo-service"))

from velmora_demo import cursors  # noqa: E402

DEFAULT_COLOUR = "#f4f4f4"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="folder to write the fifteen files into")
    parser.add_argument("--colour", default=DEFAULT_COLOUR, help="fill colour, RRGGBB (with or without #)")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, data in sorted(cursors.scheme_files(args.colour).items()):
        path = os.path.join(args.out, name)
        # Unchanged files keep their time stamps, so builds that copy them stay quiet.
        if os.path.exists(path):
            with open(path, "rb") as f:
                if f.read() == data:
                    continue
        with open(path, "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
