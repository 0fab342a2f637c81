"""The sample resources and the kind tables the service answers from."""

import json
import os

# Category id of each service page, its title and the service's kind word.
CATES = {
    12: ("桌面壁纸", "桌面壁纸"),
    13: ("XP 电脑主题", "xp主题"),
    14: ("Windows 7 电脑主题", "win7主题"),
    15: ("鼠标指针", "鼠标指针"),
    16: ("系统图标", "系统图标"),
    17: ("启动界面", "启动界面"),
}

# Category folders of each library kind, keyed by the service's kind word.
CATEGORIES = {
    "桌面壁纸": ["经典珍藏", "温馨浪漫", "设计创意", "美女壁纸", "动物壁纸", "军事壁纸", "卡通壁纸",
              "酷车壁纸", "游戏壁纸", "影视壁纸", "风景壁纸", "其他酷图", "用户自定义"],
    "xp主题": ["3D主题", "仿Win7", "风景主题", "卡通主题", "温馨浪漫", "美女主题", "影视主题", "游戏主题"],
    "win7主题": ["3D主题", "仿Win7", "风景主题", "卡通主题", "温馨浪漫", "美女主题", "影视主题", "游戏主题"],
    "鼠标指针": ["3D效果", "动漫鼠标", "透明系列"],
    "系统图标": ["标志", "动漫", "个性", "苹果", "其他"],
    "启动界面": ["登陆界面"],
}

DEFAULT_DATA = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")


class CatalogError(ValueError):
    pass


class Catalog:
    def __init__(self, data_dir=DEFAULT_DATA):
        self.data_dir = data_dir
        with open(os.path.join(data_dir, "catalog.json"), encoding="utf-8") as f:
            entries = json.load(f)["resources"]
        self.by_id = {}
        for entry in entries:
            self._check(entry)
            self.by_id[entry["id"]] = entry

    def _check(self, entry):
        cate = CATES.get(entry.get("cate"))
        if cate is None or cate[1] != entry.get("kind"):
            raise CatalogError("resource %s: kind does not match its page" % entry.get("id"))
        if entry.get("category") not in CATEGORIES[entry["kind"]]:
            raise CatalogError("resource %s: no such category" % entry["id"])
        if not entry.get("id", "").isdigit() or not entry.get("name"):
            raise CatalogError("resource needs a numeric id and a name")
        if any(c in entry["name"] for c in '\\/:*?"<>|'):
            raise CatalogError("resource %s: its name is no file name" % entry["id"])
        if entry["id"] in self.by_id:
            raise CatalogError("resource %s listed twice" % entry["id"])

    def in_cate(self, cate):
        return [e for e in self.by_id.values() if e["cate"] == cate]

    def read(self, relative):
        """Bytes of a data file named in the catalog; only files below the data folder."""
        path = os.path.normpath(os.path.join(self.data_dir, relative))
        if not path.startswith(os.path.normpath(self.data_dir) + os.sep):
            raise CatalogError("outside the data folder: %s" % relative)
        with open(path, "rb") as f:
            return f.read()

    @staticmethod
    def file_address(entry):
        """Relative address of the resource file, as the kelpo answer gives it."""
        if entry["kind"] == "桌面壁纸":
            return "files/%s.jpg" % entry["id"]
        return "files/%s.exe" % entry["id"]
