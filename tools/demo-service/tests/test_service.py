import re
import subprocess
import sys
import time
import os
import tempfile
import unittest

from tests import support
from velmora_demo import catalog

KIND_WORDS = ("桌面壁纸", "xp主题", "win7主题", "鼠标指针", "系统图标", "启动界面")
LINK = re.compile(r'href="([^"]*/\*/[^"]*)"')


def link_id(url):
    """The resource id the main window takes from an intercepted link."""
    return url.split("/*/")[1]


class CatePages(support.ServiceCase):
    def test_each_page_lists_links_whose_ids_the_service_knows(self):
        for cate, (_, kind) in sorted(catalog.CATES.items()):
            with self.subTest(cate=cate):
                response = self.get("/index.php?cate=%d" % cate)
                self.assertEqual(response.status, 200)
                self.assertEqual(response.headers["content-type"], "text/html; charset=utf-8")
                html = response.body.decode("utf-8")
                self.assertIn('charset=utf-8', html)
                ids = [link_id(url) for url in LINK.findall(html)]
                self.assertGreaterEqual(len(ids), 2)
                for resource_id in ids:
                    fields = self.kelpo_fields(resource_id)
                    self.assertEqual(fields[1], kind, resource_id)

    def test_page_links_carry_the_host_with_the_service_port(self):
        html = self.get("/index.php?cate=12").body.decode("utf-8")
        self.assertIn('href="http://127.0.0.1:%d/down/*/1201/*/"' % self.port, html)

    def test_thumbnails_of_a_page_are_served(self):
        html = self.get("/index.php?cate=15").body.decode("utf-8")
        sources = re.findall(r'<img src="([^"]+)"', html)
        self.assertTrue(sources)
        for source in sources:
            response = self.get(source)
            self.assertEqual(response.status, 200, source)
            self.assertEqual(response.body[:3], b"\xff\xd8\xff", source)

    def test_pages_need_nothing_from_outside(self):
        for cate in catalog.CATES:
            html = self.get("/index.php?cate=%d" % cate).body.decode("utf-8").lower()
            self.assertNotIn("<script", html)
            self.assertIsNone(re.search(r'src="http', html))
            self.assertNotIn("@import", html)

    def test_unknown_category_gives_a_friendly_page_without_download_links(self):
        for query in ("cate=99", "cate=abc", "cate=", "", "cate=-12", "cate=12x"):
            with self.subTest(query=query):
                response = self.get("/index.php?" + query)
                self.assertEqual(response.status, 200)
                html = response.body.decode("utf-8")
                self.assertIn("没有找到", html)
                self.assertEqual(LINK.findall(html), [])

    def test_an_intercepted_link_followed_anyway_explains_itself(self):
        response = self.get("/down/*/1201/*/")
        self.assertEqual(response.status, 200)
        self.assertIn("1201", response.body.decode("utf-8"))


class KelpoAnswers(support.ServiceCase):
    def test_every_resource_answers_five_fields_of_its_kind(self):
        known = support.server.catalog.Catalog()
        for resource_id, entry in known.by_id.items():
            with self.subTest(id=resource_id):
                response = self.get("/kelpo.php?id=" + resource_id)
                self.assertEqual(response.headers["content-type"], "text/plain; charset=utf-8")
                fields = self.kelpo_fields(resource_id)
                self.assertEqual(len(fields), 5)
                _, kind, category, name, address = fields
                self.assertIn(kind, KIND_WORDS)
                self.assertIn(category, catalog.CATEGORIES[kind])
                self.assertEqual(name, entry["name"])
                self.assertNotIn(".com", address)
                self.assertFalse(address.startswith("/"))

    def test_answered_files_exist_with_their_type(self):
        for resource_id in ("1201", "1206", "1301", "1401", "1501", "1601", "1701"):
            with self.subTest(id=resource_id):
                kind, address = (lambda f: (f[1], f[4]))(self.kelpo_fields(resource_id))
                response = self.get("/" + address)
                if kind != "桌面壁纸" and not support.HAVE_STUB:
                    self.assertEqual(response.status, 503)
                    continue
                self.assertEqual(response.status, 200)
                self.assertIn(" 200 ", response.status_line + " ")
                self.assertGreater(int(response.headers["content-length"]), 1000)
                magic = b"\xff\xd8\xff" if kind == "桌面壁纸" else b"MZ"
                self.assertTrue(response.body.startswith(magic))

    def test_unknown_id_leaves_category_and_name_missing(self):
        for resource_id in ("9999", "", "abc", "1201x", "../1201"):
            with self.subTest(id=resource_id):
                fields = self.kelpo_fields(resource_id)
                self.assertLess(len(fields), 4)

    def test_faulty_answers_for_the_refusals(self):
        fields = self.kelpo_fields("9901")
        self.assertEqual(fields[1:4], ["桌面壁纸", "..\\..\\Windows", "湖光山色"])
        fields = self.kelpo_fields("9902")
        self.assertEqual(fields[1:4], ["鼠标指针", "透明系列", "水晶蓝"])
        self.assertEqual(len(fields), 4)

    def test_no_id_parameter_at_all(self):
        text = self.get("/kelpo.php").body.decode("utf-8")
        self.assertLess(len(text.replace("/**/", "").split("/*/")), 4)


class Advertisements(support.ServiceCase):
    def records(self):
        response = self.get("/GuangGao.txt")
        self.assertEqual(response.status, 200)
        text = response.body.decode("gbk")
        self.assertTrue(text.endswith("\r\n"))
        return [line.split("~") for line in text.split("\r\n")[:-1]]

    def test_first_record_announces_the_running_version(self):
        records = self.records()
        self.assertEqual(records[0][:2], ["版本", "2.5.4"])
        self.assertTrue(records[0][2])

    def test_link_records_fill_both_groups(self):
        links = self.records()[1:]
        self.assertGreaterEqual(len(links), 7)
        self.assertLessEqual(len(links), 12)
        for target, caption, tooltip in links:
            self.assertTrue(target and caption and tooltip)
            self.assertTrue(target.startswith("http://127.0.0.1:%d/" % self.port) or target.startswith("对话框-"))
        self.assertTrue(any(target.startswith("对话框-") for target, _, _ in links))


class AnnouncedVersion(support.ServiceCase):
    server_options = {"version": "1.0.5"}

    def test_another_version_is_announced(self):
        first = self.get("/GuangGao.txt").body.decode("gbk").split("\r\n")[0].split("~")
        self.assertEqual(first[:2], ["版本", "1.0.5"])

    def test_a_version_that_would_break_the_record_is_refused(self):
        for bad in ("1.0~5", "1.0\r\n5", "2.5.4\n"):
            with self.subTest(version=bad), self.assertRaises(ValueError):
                support.server.make_server("127.0.0.1", 0, version=bad)


class InstallerPath(support.ServiceCase):
    def test_every_spelling_of_the_installer_path_gives_the_same_program(self):
        spellings = {
            "percent-encoded UTF-8": b"/%E5%AE%89%E8%A3%85%E5%8C%85.exe",
            "raw UTF-8": "/安装包.exe".encode("utf-8"),
            "raw GBK": "/安装包.exe".encode("gbk"),
            "percent-encoded GBK": b"/%B0%B2%D7%B0%B0%FC.exe",
        }
        bodies = set()
        for label, raw in spellings.items():
            with self.subTest(spelling=label):
                response = self.get(raw)
                if not support.HAVE_STUB:
                    self.assertEqual(response.status, 503)
                    continue
                self.assertEqual(response.status, 200)
                self.assertTrue(response.body.startswith(b"MZ"))
                bodies.add(response.body)
        self.assertLessEqual(len(bodies), 1)

    def test_head_reports_the_length_without_a_body(self):
        get = self.get("/GuangGao.txt")
        head = self.get("/GuangGao.txt", method=b"HEAD")
        self.assertEqual(head.status, 200)
        self.assertEqual(head.headers["content-length"], get.headers["content-length"])
        self.assertEqual(head.body, b"")


class NotFound(support.ServiceCase):
    def test_anything_else_is_404_with_a_length(self):
        for path in ("/", "/nothing", "/index.html", "/files/1201.exe", "/files/1501.jpg", "/files/9999.jpg",
                     "/files/../catalog.json", "/thumbs/../catalog.json", "/catalog.json", "/thumbs/1201.png",
                     "/wallpapers/1201.jpg", "/GuangGao.txt/x", "/%E5%AE%89%E8%A3%85%E5%8C%85.exe.bak",
                     "/\xff\xfe"):
            with self.subTest(path=path):
                response = self.get(path.encode("latin-1"))
                self.assertEqual(response.status, 404)


    def test_other_methods_are_refused_with_a_length(self):
        for method in (b"POST", b"PUT", b"DELETE"):
            with self.subTest(method=method):
                response = self.get("/kelpo.php?id=1201", method=method)
                self.assertEqual(response.status, 501)


class Binding(unittest.TestCase):
    def test_only_loopback_addresses_are_accepted(self):
        for host in ("0.0.0.0", "192.168.1.10", "10.0.0.1", "::", "::1", "example.org", ""):
            with self.subTest(host=host), self.assertRaises(ValueError):
                support.server.make_server(host, 0)

    def test_command_line_refuses_a_public_address(self):
        result = subprocess.run([sys.executable, os.path.join(support.SERVICE_DIR, "server.py"),
                                 "--port", "0", "--host", "0.0.0.0"], capture_output=True, text=True, timeout=30)
        self.assertEqual(result.returncode, 2)
        self.assertIn("loopback", result.stderr)


class CommandLine(unittest.TestCase):
    def test_server_process_serves_and_logs_each_request_line(self):
        with tempfile.TemporaryDirectory() as folder:
            log = os.path.join(folder, "requests.log")
            process = subprocess.Popen(
                [sys.executable, os.path.join(support.SERVICE_DIR, "server.py"), "--port", "0", "--log", log,
                 "--stub", support.STUB, "--announce-version", "9.9.9"],
                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            try:
                banner = process.stdout.readline()
                port = int(re.search(r":(\d+)/", banner).group(1))
                support.request(port, "/GuangGao.txt")
                support.request(port, "/安装包.exe".encode("gbk"))
                support.request(port, "/kelpo.php?id=1201")
                deadline = time.time() + 10
                while time.time() < deadline:
                    with open(log, "rb") as f:
                        lines = f.read().splitlines()
                    if len(lines) >= 3:
                        break
                    time.sleep(0.05)
            finally:
                process.terminate()
                process.wait(timeout=10)
                process.stdout.close()
            self.assertEqual(lines, [b"GET /GuangGao.txt HTTP/1.1", b"GET /" + "安装包.exe".encode("gbk") + b" HTTP/1.1",
                                     b"GET /kelpo.php?id=1201 HTTP/1.1"])


class SampleCatalog(unittest.TestCase):
    def test_every_kind_has_several_resources_over_real_categories(self):
        known = catalog.Catalog()
        for cate, (_, kind) in catalog.CATES.items():
            entries = known.in_cate(cate)
            self.assertGreaterEqual(len(entries), 2, kind)
        wallpapers = {e["category"] for e in known.in_cate(12)}
        self.assertGreaterEqual(len(wallpapers), 3)

    def test_a_broken_catalog_is_refused(self):
        good = {"id": "1201", "cate": 12, "kind": "桌面壁纸", "category": "风景壁纸", "name": "湖光山色",
                "thumb": "thumbs/1201.jpg", "picture": "wallpapers/1201.jpg"}
        cases = {"kind of another page": {"cate": 13}, "category of another kind": {"category": "3D主题"},
                 "name with a separator": {"name": "a\\b"}, "name with a star": {"name": "a*"},
                 "id not a number": {"id": "12a"}, "no name": {"name": ""}}
        import json
        for label, change in cases.items():
            with self.subTest(case=label), tempfile.TemporaryDirectory() as folder:
                with open(os.path.join(folder, "catalog.json"), "w", encoding="utf-8") as f:
                    json.dump({"resources": [dict(good, **change)]}, f)
                with self.assertRaises(catalog.CatalogError):
                    catalog.Catalog(folder)

    def test_files_outside_the_data_folder_are_not_read(self):
        with self.assertRaises(catalog.CatalogError):
            catalog.Catalog().read("../server.py")


if __name__ == "__main__":
    unittest.main()
