"""Runs real package programs under Wine: they must leave exactly their files, and refuse bad payloads."""

import os
import shutil
import subprocess
import tempfile
import unittest

from tests import support
from velmora_demo import packages

WINE = shutil.which("wine") or shutil.which("wine64")
PREFIX = os.environ.get("WINEPREFIX", os.path.join(tempfile.gettempdir(), "velmora-demo-wine"))

PROBE = os.environ.get("VELMORA_RESOURCE_PROBE",
                       os.path.join(os.path.dirname(support.STUB), "velmora-resource-probe.exe"))

# Exit codes of the unpacker.
OK, BAD_PAYLOAD, BAD_NAME, CANNOT_FORWARD = 0, 2, 3, 5


def wine_env():
    # The prefix's server may be shared with the window tests: keep its display and overrides.
    env = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all", LC_ALL="zh_CN.UTF-8")
    env.setdefault("WINEDLLOVERRIDES", "mscoree=")
    return env


def run_program(path, *args):
    """Exit code and standard output of a Windows program."""
    # Output goes to files, never pipes: Wine's background services inherit them.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run([WINE, path] + list(args), stdout=out, stderr=err, env=wine_env(), timeout=180,
                                cwd=os.path.dirname(path))
        out.seek(0)
        run_program.output = out.read().decode("latin-1")
    return result.returncode


def windows_dir():
    return os.path.join(PREFIX, "drive_c", "windows")


def windows_path(*parts):
    """A path below the Windows directory, matched without regard to case as Windows does."""
    path = windows_dir()
    for part in parts:
        names = {n.lower(): n for n in os.listdir(path)} if os.path.isdir(path) else {}
        path = os.path.join(path, names.get(part.lower(), part))
    return path


@unittest.skipUnless(WINE and support.HAVE_STUB, "needs Wine and the x86_64 package stub")
class UnpackUnderWine(support.ServiceCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="velmora-unpack-")
        self.addCleanup(shutil.rmtree, self.folder, True)

    def served(self, resource_id):
        fields = self.kelpo_fields(resource_id)
        return fields[3], self.get("/" + fields[4]).body

    def place(self, name, data, folder=None):
        path = os.path.join(folder or self.folder, name + ".exe")
        with open(path, "wb") as f:
            f.write(data)
        return path

    def tree(self, root):
        found = {}
        for base, _, files in os.walk(root):
            for file_name in files:
                path = os.path.join(base, file_name)
                with open(path, "rb") as f:
                    found[os.path.relpath(path, root)] = f.read()
        return found

    def test_cursor_scheme_and_icon_set_unpack_into_the_folder_of_their_name(self):
        for resource_id in ("1501", "1602"):
            with self.subTest(id=resource_id):
                name, package = self.served(resource_id)
                self.assertEqual(run_program(self.place(name, package)), OK)
                expected = {packages.expand(n, name).replace("\\", os.sep): d
                            for _, n, d in packages.parse(package)[1]}
                expected[name + ".exe"] = package
                self.assertEqual(self.tree(self.folder), expected)
                shutil.rmtree(self.folder)
                os.mkdir(self.folder)

    @unittest.skipUnless(os.path.exists(PROBE), "resource probe not built")
    def test_windows_accepts_the_unpacked_cursors_and_icon_library(self):
        scheme, package = self.served("1503")
        self.assertEqual(run_program(self.place(scheme, package)), OK)
        for file_name in sorted(os.listdir(os.path.join(self.folder, scheme))):
            with self.subTest(cursor=file_name):
                self.assertEqual(run_program(PROBE, "cursor", os.path.join(self.folder, scheme, file_name)), OK)
        icon_set, package = self.served("1601")
        self.assertEqual(run_program(self.place(icon_set, package)), OK)
        library = os.path.join(self.folder, icon_set, icon_set + ".icl")
        self.assertEqual(run_program(PROBE, "icons", library), OK)
        self.assertEqual(run_program.output.split(), ["10"])
        # The probe itself tells a picture from a cursor or an icon library.
        picture = os.path.join(self.folder, icon_set + ".jpg")
        self.assertNotEqual(run_program(PROBE, "cursor", picture), OK)
        self.assertNotEqual(run_program(PROBE, "icons", picture), OK)

    def test_theme_unpacks_its_installer_which_fills_the_theme_folder(self):
        name, package = self.served("1402")
        self.assertEqual(run_program(self.place(name, package)), OK)
        installer = os.path.join(self.folder, name, name + ".exe")
        self.assertEqual(run_program(installer), OK)
        themes = windows_path("Resources", "Themes")
        self.addCleanup(shutil.rmtree, os.path.join(themes, name), True)
        self.addCleanup(os.remove, os.path.join(themes, name + ".theme"))
        self.assertEqual(sorted(os.listdir(os.path.join(self.folder, name))), [name + ".exe"])
        with open(os.path.join(themes, name + ".theme"), "rb") as f:
            self.assertIn(("DisplayName=" + name).encode("gbk"), f.read())
        with open(os.path.join(themes, name, name + ".jpg"), "rb") as f:
            self.assertEqual(f.read(3), b"\xff\xd8\xff")

    def test_logon_stand_in_creates_nothing_and_reports_a_missing_system_logon(self):
        name, package = self.served("1701")
        self.assertEqual(run_program(self.place(name, package)), OK)
        logon = os.path.join(self.folder, name, name + ".exe")
        has_logonui = os.path.exists(windows_path("system32", "logonui.exe"))
        code = run_program(logon)
        if not has_logonui:
            self.assertEqual(code, CANNOT_FORWARD)
        self.assertEqual(sorted(os.listdir(os.path.join(self.folder, name))), [name + ".exe"])

    def test_bad_payloads_are_refused_without_writing_outside(self):
        with open(support.STUB, "rb") as f:
            stub = f.read()
        good = packages.build(stub, [(packages.ROOT_BESIDE, "*\\a.txt", b"abc")])
        cases = {
            "bare stub": (stub, BAD_PAYLOAD),
            "cut data": (good[:len(stub) + 10] + good[-20:], BAD_PAYLOAD),
            "climbs out": (packages.build(stub, [(0, "..\\evil.txt", b"x")]), BAD_NAME),
            "climbs out of its folder": (packages.build(stub, [(0, "*\\..\\..\\evil.txt", b"x")]), BAD_NAME),
            "absolute": (packages.build(stub, [(0, "C:\\evil.txt", b"x")]), BAD_NAME),
        }
        for label, (data, code) in cases.items():
            with self.subTest(case=label):
                inner = os.path.join(self.folder, "inner")
                os.mkdir(inner)
                self.assertEqual(run_program(self.place("坏包", data, inner)), code)
                self.assertEqual(os.listdir(self.folder), ["inner"])
                self.assertFalse(os.path.exists(os.path.join(PREFIX, "drive_c", "evil.txt")))
                shutil.rmtree(inner)


if __name__ == "__main__":
    unittest.main()
