#!/usr/bin/env python3
"""Writes sample resources for the icon-set and logon-screen installers.

The resources are the demo service's own (tools/demo-service), so the program, the service and
the tests all see the same files:

  Download/系统图标/个性/简约扁平.jpg, 简约扁平/简约扁平.icl   an icon set: preview and a resource-only
                                                       DLL with ten icons, read as "file,index"
  Download/启动界面/登陆界面/晨光登陆.jpg, 晨光登陆/晨光登陆.exe a logon-screen template: preview and a
                                                       stand-in logon program (a real .exe)
  packages/简约扁平.exe, packages/晨光登陆.exe            the package programs that unpack those

"Download" is what the packages leave in their category folders, laid out as the program's own
library, so the output folder serves as a program directory's library. Nothing random goes in:
two runs write the same bytes.

    python3 make-samples.py --stub velmora-package-stub.exe --out DIR
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "demo-service"))

from velmora_demo import catalog, contents, packages  # noqa: E402

SAMPLES = ("1601", "1701")  # the icon set 简约扁平 and the logon screen 晨光登陆


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    # Unchanged files keep their time, so builds that depend on them stay quiet.
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    with open(path, "wb") as f:
        f.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--stub", required=True, help="the package-program stub (velmora-package-stub.exe)")
    parser.add_argument("--out", required=True, help="folder to write the samples into")
    args = parser.parse_args()
    with open(args.stub, "rb") as f:
        stub = f.read()
    cat = catalog.Catalog()
    for ident in SAMPLES:
        entry = cat.by_id[ident]
        name = entry["name"]
        flags, files = contents.package_entries(stub, cat, entry)
        category = os.path.join(args.out, "Download", entry["kind"], entry["category"])
        for root, pattern, data in files:
            if root != packages.ROOT_BESIDE:
                raise SystemExit("sample %s writes outside its folder" % ident)
            write(os.path.join(category, *packages.expand(pattern, name).split("\\")), data)
        write(os.path.join(args.out, "packages", name + ".exe"), packages.build(stub, files, flags))
    return 0


if __name__ == "__main__":
    sys.exit(main())
