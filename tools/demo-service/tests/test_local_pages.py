"""The two pages shipped in the program directory: their links are commands the program intercepts."""

import html.parser
import os
import unittest

WEB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "res", "Data storage", "Web")
LOCAL_KEYS = {"http://diannaozhuti", "http://zhuomianbizhi", "http://shubiaozhizhen", "http://xitongtubiao",
              "http://qidongjiemian"}
TOOLBOX_LINKS = ["http://xtyy.///", "http://xttb.///", "http://zmbz.///", "http://qdjm.///", "http://zdysb.///",
                 "http://dcwjj.///"]


class Page(html.parser.HTMLParser):
    def __init__(self, name):
        super().__init__()
        self.links, self.sources, self.tags, self.meta = [], [], set(), []
        with open(os.path.join(WEB, name), "rb") as f:
            self.raw = f.read()
        self.feed(self.raw.decode("utf-8"))

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.tags.add(tag)
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
        for key in ("src", "background"):
            if key in attrs:
                self.sources.append(attrs[key])
        if tag == "meta":
            self.meta.append(attrs)


def local_key(url):
    """What the main window does with a local link: None when it navigates normally."""
    if not url.endswith(".///"):
        return None
    return url.replace(".///", "")


class LocalPages(unittest.TestCase):
    def test_local_resources_page_opens_each_kind_once(self):
        page = Page("Ziygl.html")
        keys = [local_key(url) for url in page.links]
        self.assertEqual(len(keys), len(LOCAL_KEYS))
        self.assertEqual(set(keys), LOCAL_KEYS)

    def test_toolbox_index_links_exactly_the_six_pages_in_order(self):
        self.assertEqual(Page("index.html").links, TOOLBOX_LINKS)

    def test_pages_are_utf8_and_self_contained(self):
        for name in ("Ziygl.html", "index.html"):
            with self.subTest(page=name):
                page = Page(name)
                self.assertIn({"http-equiv": "Content-Type", "content": "text/html; charset=utf-8"}, page.meta)
                self.assertFalse(page.raw.startswith(b"\xef\xbb\xbf"))
                self.assertNotIn("script", page.tags)
                self.assertNotIn(b"@import", page.raw)
                self.assertNotIn(b"url(", page.raw)
                for source in page.sources:
                    self.assertTrue(os.path.exists(os.path.join(WEB, source)), source)


if __name__ == "__main__":
    unittest.main()
