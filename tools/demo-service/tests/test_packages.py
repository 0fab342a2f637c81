import re
import shutil
import struct
import subprocess
import tempfile
import os
import unittest

from tests import support
from velmora_demo import contents, cursors, packages

ROLES = ["AppStarting", "Arrow", "Crosshair", "Hand", "Help", "IBeam", "No", "NWPen", "SizeAll", "SizeNESW",
         "SizeNS", "SizeNWSE", "SizeWE", "UpArrow", "Wait"]


def riff_chunks(data, start, end):
    chunks, pos = [], start
    while pos < end:
        tag, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        chunks.append((tag, data[pos + 8:pos + 8 + size]))
        pos += 8 + size + (size & 1)
    return chunks


class PayloadFormat(unittest.TestCase):
    STUB = b"MZ" + b"\0" * 62

    def test_round_trip_keeps_roots_names_and_bytes(self):
        entries = [(packages.ROOT_BESIDE, "*.jpg", b"\xff\xd8\xff"), (packages.ROOT_BESIDE, "*\\水晶蓝.ani", b""),
                   (packages.ROOT_WINDOWS, "Resources\\Themes\\主题.theme", b"[Theme]\r\n")]
        built = packages.build(self.STUB, entries, packages.FLAG_NO_OWN_FOLDER)
        self.assertTrue(built.startswith(self.STUB))
        self.assertEqual(packages.parse(built), (packages.FLAG_NO_OWN_FOLDER, entries))

    def test_damaged_or_unsafe_payloads_are_refused(self):
        good = packages.build(self.STUB, [(packages.ROOT_BESIDE, "*\\a.txt", b"abc")])
        cases = {
            "no trailer": self.STUB,
            "cut short": good[:-1],
            "wrong magic": good[:-1] + b"2",
            "offset past the end": good[:-20] + struct.pack("<III8s", len(good), 1, 0, packages.MAGIC),
            "count too high": good[:-20] + struct.pack("<III8s", len(self.STUB), 2, 0, packages.MAGIC),
            "data cut": good[:len(self.STUB) + 20] + good[-20:],
        }
        for name in ("..\\evil.txt", "*\\..\\..\\evil.txt", "\\evil.txt", "C:\\evil.txt", "a\\\\b", "./x"):
            cases["name %s" % name] = packages.build(self.STUB, [(0, name, b"x")])
        cases["unknown root"] = packages.build(self.STUB, [(7, "a.txt", b"x")])
        for label, data in cases.items():
            with self.subTest(case=label), self.assertRaises(packages.PayloadError):
                packages.parse(data)


@unittest.skipUnless(support.HAVE_STUB, "package stub not built")
class ServedPackages(support.ServiceCase):
    def package(self, resource_id):
        fields = self.kelpo_fields(resource_id)
        response = self.get("/" + fields[4])
        self.assertEqual(response.status, 200)
        flags, entries = packages.parse(response.body)
        with open(support.STUB, "rb") as f:
            self.assertTrue(response.body.startswith(f.read()))
        return fields[3], flags, {(root, name): data for root, name, data in entries}

    def test_every_package_leaves_its_preview_picture_beside_itself(self):
        for resource_id in ("1301", "1402", "1501", "1601", "1702"):
            with self.subTest(id=resource_id):
                _, flags, files = self.package(resource_id)
                self.assertEqual(flags, 0)
                self.assertTrue(files[(packages.ROOT_BESIDE, "*.jpg")].startswith(b"\xff\xd8\xff"))

    def test_cursor_scheme_holds_one_animated_cursor_per_role(self):
        _, _, files = self.package("1502")
        names = sorted(name for root, name in files if name.startswith("*\\"))
        self.assertEqual(names, sorted("*\\%s.ani" % role for role in ROLES))
        for role in ROLES:
            data = files[(packages.ROOT_BESIDE, "*\\%s.ani" % role)]
            self.assertEqual((data[:4], data[8:12]), (b"RIFF", b"ACON"))
            self.assertEqual(struct.unpack_from("<I", data, 4)[0], len(data) - 8)
            chunks = dict(riff_chunks(data, 12, len(data)))
            frames_count = struct.unpack_from("<9I", chunks[b"anih"])[1]
            frames = riff_chunks(chunks[b"LIST"], 4, len(chunks[b"LIST"]))
            self.assertEqual(chunks[b"LIST"][:4], b"fram")
            self.assertEqual(len(frames), frames_count)
            for tag, cur in frames:
                self.assertEqual(tag, b"icon")
                reserved, kind, count = struct.unpack_from("<HHH", cur)
                self.assertEqual((reserved, kind, count), (0, 2, 1))
                hot_x, hot_y, size, offset = struct.unpack_from("<HHII", cur, 10)
                self.assertEqual((hot_x, hot_y), cursors.HOTSPOTS[role])
                self.assertEqual(offset + size, len(cur))

    def test_theme_package_carries_an_installer_for_the_theme_folder(self):
        name, _, files = self.package("1301")
        inner_flags, inner = packages.parse(files[(packages.ROOT_BESIDE, "*\\*.exe")])
        self.assertEqual(inner_flags, packages.FLAG_NO_OWN_FOLDER)
        inner = {(root, n): data for root, n, data in inner}
        theme = inner[(packages.ROOT_WINDOWS, "Resources\\Themes\\%s.theme" % name)].decode("gbk")
        wallpaper = "Resources\\Themes\\%s\\%s.jpg" % (name, name)
        self.assertIn("Wallpaper=%WinDir%" + wallpaper + "\r\n", theme)
        self.assertIn("Luna.msstyles", theme)
        self.assertTrue(inner[(packages.ROOT_WINDOWS, wallpaper)].startswith(b"\xff\xd8\xff"))
        _, _, win7 = self.package("1401")
        self.assertIn(b"Aero.msstyles", packages.parse(win7[(0, "*\\*.exe")])[1][1][2])

    def test_logon_screen_program_hands_over_to_the_system_logon(self):
        _, _, files = self.package("1701")
        self.assertEqual(packages.parse(files[(packages.ROOT_BESIDE, "*\\*.exe")]),
                         (packages.FLAG_FORWARD_LOGON_UI, []))

    @unittest.skipUnless(shutil.which("x86_64-w64-mingw32-windres"), "windres not installed")
    def test_icon_set_is_a_library_of_ten_icon_groups(self):
        _, _, files = self.package("1601")
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "set.icl")
            with open(path, "wb") as f:
                f.write(files[(packages.ROOT_BESIDE, "*\\*.icl")])
            rc = subprocess.run(["x86_64-w64-mingw32-windres", "-i", path, "-O", "rc"],
                                capture_output=True, text=True, check=True).stdout
        groups = re.findall(r"^(\d+) 14 /\* RT_GROUP_ICON", rc, re.M)
        icons = re.findall(r"^(\d+) 3 /\* RT_ICON", rc, re.M)
        self.assertEqual(groups, [str(i) for i in range(1, 11)])
        self.assertEqual(icons, groups)

    def test_installer_stand_in_unpacks_only_a_note(self):
        response = self.get("/安装包.exe".encode("gbk"))
        flags, entries = packages.parse(response.body)
        self.assertEqual([(root, name) for root, name, _ in entries], [(packages.ROOT_BESIDE, "*\\说明.txt")])
        self.assertIn("演示", entries[0][2].decode("gbk"))


class ThemeText(unittest.TestCase):
    def test_theme_file_is_ansi_with_crlf_lines(self):
        data = contents.theme_text("win7主题", "浪漫樱花")
        text = data.decode("gbk")
        self.assertNotIn("\n", text.replace("\r\n", ""))
        self.assertIn("DisplayName=浪漫樱花\r\n", text)


if __name__ == "__main__":
    unittest.main()
