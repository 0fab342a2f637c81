#!/usr/bin/env python3
"""Draws the demo service's sample pictures and writes its catalog.

Needs ImageMagick 6 (/usr/bin/convert) and the Noto CJK fonts. Every random figure comes
from a seeded generator, so two runs draw the same art. The outputs are committed: the
service itself needs no image tools.

    python3 make-sample-data.py [--out DIR]
"""

import argparse
import json
import os
import random
import subprocess
import sys

CONVERT = "/usr/bin/convert"
FONT = "Noto-Sans-CJK-SC-Bold"
FONT_LIGHT = "Noto-Sans-CJK-SC"
WALL_SIZE = (1024, 768)
PREVIEW_SIZE = (320, 240)
THUMB_SIZE = (160, 120)
JPEG_QUALITY = "80"

# id, category id, service kind word, category folder, name, drawing recipe
RESOURCES = [
    ("1201", 12, "桌面壁纸", "风景壁纸", "湖光山色", "lake"),
    ("1202", 12, "桌面壁纸", "经典珍藏", "星河夜空", "stars"),
    ("1203", 12, "桌面壁纸", "温馨浪漫", "粉色晨曦", "bokeh"),
    ("1204", 12, "桌面壁纸", "设计创意", "几何流光", "polygons"),
    ("1205", 12, "桌面壁纸", "风景壁纸", "秋日原野", "hills"),
    ("1206", 12, "桌面壁纸", "其他酷图", "深海幻影", "deepsea"),
    ("1301", 13, "xp主题", "风景主题", "青山绿水", "1201"),
    ("1302", 13, "xp主题", "3D主题", "星空幻想", "1202"),
    ("1401", 14, "win7主题", "仿Win7", "晴空流光", "1204"),
    ("1402", 14, "win7主题", "温馨浪漫", "浪漫樱花", "1203"),
    ("1501", 15, "鼠标指针", "透明系列", "水晶蓝", "#3aa0ff"),
    ("1502", 15, "鼠标指针", "3D效果", "金色光环", "#f0b020"),
    ("1503", 15, "鼠标指针", "动漫鼠标", "萌宠粉红", "#ff6fa8"),
    ("1601", 16, "系统图标", "个性", "简约扁平", "#2f9e8f"),
    ("1602", 16, "系统图标", "标志", "彩虹标志", "#e05a47"),
    ("1701", 17, "启动界面", "登陆界面", "晨光登陆", "1205"),
    ("1702", 17, "启动界面", "登陆界面", "星夜登陆", "1202"),
]

SUBTITLE = {
    "桌面壁纸": "Velmora 精选壁纸",
    "xp主题": "XP 电脑主题",
    "win7主题": "Windows 7 电脑主题",
    "鼠标指针": "鼠标指针方案",
    "系统图标": "系统图标包",
    "启动界面": "XP 登陆界面",
}


def run(args):
    result = subprocess.run([CONVERT] + args, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("convert failed: %s\n%s" % (" ".join(args), result.stderr))


def size_arg(size):
    return "%dx%d" % size


def ridge(rng, width, base, amplitude, steps):
    """A mountain outline as a closed polygon down to the bottom edge."""
    points = ["0,%d" % WALL_SIZE[1]]
    y = base
    for i in range(steps + 1):
        y = max(base - amplitude, min(base + amplitude, y + rng.randint(-amplitude // 2, amplitude // 2)))
        points.append("%d,%d" % (i * width // steps, y))
    points.append("%d,%d" % (width, WALL_SIZE[1]))
    return "polygon " + " ".join(points)


def draw_lake(rng):
    w, h = WALL_SIZE
    draws = ["fill #fff2c0d0 circle 700,250 740,250"]
    for base, colour in ((430, "#6a5a8a"), (480, "#3f4f7a"), (540, "#24345a")):
        draws.append("fill %s %s" % (colour, ridge(rng, w, base, 60, 24)))
    draws.append("fill #1a2b4cb0 rectangle 0,590 %d,%d" % (w, h))
    for _ in range(40):
        x, y = rng.randint(0, w), rng.randint(600, h)
        draws.append("fill #ffe9b060 rectangle %d,%d %d,%d" % (x, y, x + rng.randint(20, 90), y + 2))
    return ["gradient:#ff9a5a-#4a3f7a", "-draw", " ".join(draws), "-blur", "0x1"]


def draw_stars(rng):
    w, h = WALL_SIZE
    draws = []
    for _ in range(420):
        x, y, r = rng.randint(0, w), rng.randint(0, h), rng.choice((1, 1, 1, 2))
        draws.append("fill #ffffff%02x circle %d,%d %d,%d" % (rng.randint(90, 255), x, y, x + r, y))
    band = ["fill #8fa8ff18 ellipse %d,%d %d,%d 0,360" % (
        rng.randint(300, 700), rng.randint(250, 500), rng.randint(150, 320), rng.randint(40, 90))
        for _ in range(14)]
    return ["gradient:#0b1033-#2a1a4a", "-draw", " ".join(band), "-blur", "0x12",
            "-draw", " ".join(draws)]


def draw_bokeh(rng):
    w, h = WALL_SIZE
    draws = []
    for _ in range(60):
        x, y, r = rng.randint(0, w), rng.randint(0, h), rng.randint(20, 110)
        draws.append("fill #ffffff%02x circle %d,%d %d,%d" % (rng.randint(20, 70), x, y, x + r, y))
    return ["gradient:#ffc3d8-#ff8e9e", "-draw", " ".join(draws), "-blur", "0x6"]


def draw_polygons(rng):
    w, h = WALL_SIZE
    palette = ("#00c6ff", "#0072ff", "#7f00ff", "#e100ff", "#00f5a0")
    draws = []
    for _ in range(70):
        cx, cy = rng.randint(-50, w + 50), rng.randint(-50, h + 50)
        pts = " ".join("%d,%d" % (cx + rng.randint(-160, 160), cy + rng.randint(-160, 160)) for _ in range(3))
        draws.append("fill %s%02x polygon %s" % (rng.choice(palette), rng.randint(25, 70), pts))
    return ["gradient:#10142a-#1c2450", "-draw", " ".join(draws)]


def draw_hills(rng):
    w, h = WALL_SIZE
    draws = ["fill #fff6d0e0 circle 230,190 290,190"]
    for i, colour in enumerate(("#d9a441", "#c27c2c", "#9c5a22", "#6e3d1c")):
        y = 430 + i * 80
        draws.append("fill %s ellipse %d,%d %d,%d 0,360" % (colour, rng.randint(100, 900), y + 160, 700, 200))
    for _ in range(18):
        x, y = rng.randint(0, w), rng.randint(480, 700)
        draws.append("fill #3b2410 rectangle %d,%d %d,%d" % (x, y, x + 5, y + 34))
        draws.append("fill #7a3b14 circle %d,%d %d,%d" % (x + 2, y, x + 2 + rng.randint(12, 22), y))
    return ["gradient:#ffd890-#f08a3c", "-draw", " ".join(draws), "-blur", "0x1"]


def draw_deepsea(rng):
    w, h = WALL_SIZE
    rays = []
    for _ in range(9):
        x = rng.randint(0, w)
        rays.append("fill #b0f0ff22 polygon %d,0 %d,0 %d,%d %d,%d" % (
            x, x + 60, x + 260, h, x + 120, h))
    bubbles = []
    for _ in range(50):
        x, y, r = rng.randint(0, w), rng.randint(0, h), rng.randint(3, 12)
        bubbles.append("fill none stroke #d8fbff90 circle %d,%d %d,%d" % (x, y, x + r, y))
    return ["-seed", str(rng.randint(1, 10 ** 6)), "plasma:", "-blur", "0x8",
            "-modulate", "100,0", "+level-colors", "#021a33,#1f9fc4",
            "-draw", " ".join(rays), "-blur", "0x3", "-draw", " ".join(bubbles)]


RECIPES = {"lake": draw_lake, "stars": draw_stars, "bokeh": draw_bokeh,
           "polygons": draw_polygons, "hills": draw_hills, "deepsea": draw_deepsea}


def caption(name, subtitle, scale, ink="#ffffff", shadow="#00000080"):
    return ["-gravity", "southwest",
            "-font", FONT, "-pointsize", str(int(54 * scale)),
            "-fill", shadow, "-annotate", "+%d+%d" % (int(44 * scale), int(70 * scale)), name,
            "-fill", ink, "-annotate", "+%d+%d" % (int(40 * scale), int(74 * scale)), name,
            "-font", FONT_LIGHT, "-pointsize", str(int(22 * scale)),
            "-fill", ink, "-annotate", "+%d+%d" % (int(42 * scale), int(38 * scale)), subtitle]


def make_wallpaper(out, rid, name, recipe, seed):
    rng = random.Random(seed)
    path = os.path.join(out, "wallpapers", rid + ".jpg")
    run(["-size", size_arg(WALL_SIZE)] + RECIPES[recipe](rng) + caption(name, SUBTITLE["桌面壁纸"], 1.0)
        + ["-strip", "-interlace", "none", "-quality", JPEG_QUALITY, path])
    return path


def make_badge_art(out, rid, kind, name, colour):
    """Preview of a cursor scheme or icon set: a soft card with a few glyphs in its colour."""
    path = os.path.join(out, "previews", rid + ".jpg")
    w, h = PREVIEW_SIZE
    glyphs = []
    if kind == "鼠标指针":
        for i, x in enumerate((40, 130, 220)):
            y = 50 + (i % 2) * 20
            glyphs.append("fill %s stroke #ffffff stroke-width 3 polygon %d,%d %d,%d %d,%d %d,%d %d,%d %d,%d %d,%d" % (
                colour, x, y, x, y + 80, x + 20, y + 62, x + 34, y + 92, x + 46, y + 86, x + 32, y + 57, x + 58, y + 57))
    else:
        for i in range(4):
            x = 30 + i * 70
            glyphs.append("fill %s stroke #ffffff stroke-width 3 roundrectangle %d,60 %d,120 12,12" % (colour, x, x + 56))
            glyphs.append("fill #ffffffc0 stroke none rectangle %d,75 %d,82" % (x + 12, x + 44))
    run(["-size", size_arg(PREVIEW_SIZE), "gradient:#fdfdfd-#dfe8f2", "-draw", " ".join(glyphs)]
        + caption(name, SUBTITLE[kind], 0.6, ink="#2a3a50", shadow="#ffffff")
        + ["-fill", "none", "-stroke", "#b8c6d6", "-draw", "rectangle 0,0 %d,%d" % (w - 1, h - 1),
           "-strip", "-quality", JPEG_QUALITY, path])
    return path


def make_preview_from(out, rid, source, kind, name):
    """Preview of a theme or logon screen: its wallpaper scaled down with its own caption."""
    path = os.path.join(out, "previews", rid + ".jpg")
    extra = []
    if kind == "启动界面":
        extra = ["-fill", "#ffffffd8", "-stroke", "#4a6aa0", "-draw", "roundrectangle 110,80 210,150 8,8",
                 "-stroke", "none", "-fill", "#4a6aa0", "-draw", "rectangle 125,130 195,138"]
    # The wallpaper's own caption sits in its lower part: keep the upper part only.
    run([source, "-crop", "1024x600+0+0", "+repage", "-resize", size_arg(PREVIEW_SIZE) + "!",
         "-fill", "#00000050", "-draw", "rectangle 0,170 320,240"] + extra
        + caption(name, SUBTITLE[kind], 0.6)
        + ["-strip", "-quality", JPEG_QUALITY, path])
    return path


def make_thumb(out, rid, source):
    path = os.path.join(out, "thumbs", rid + ".jpg")
    run([source, "-resize", size_arg(THUMB_SIZE) + "!", "-strip", "-quality", "78", path])
    return path


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "data"))
    args = parser.parse_args()
    if not os.path.exists(CONVERT):
        sys.exit("needs ImageMagick's %s (Debian package imagemagick)" % CONVERT)
    for sub in ("wallpapers", "previews", "thumbs"):
        os.makedirs(os.path.join(args.out, sub), exist_ok=True)

    catalog = []
    for rid, cate, kind, category, name, recipe in RESOURCES:
        entry = {"id": rid, "cate": cate, "kind": kind, "category": category, "name": name,
                 "thumb": "thumbs/%s.jpg" % rid}
        if kind == "桌面壁纸":
            source = make_wallpaper(args.out, rid, name, recipe, int(rid))
            entry["picture"] = "wallpapers/%s.jpg" % rid
        elif recipe.startswith("#"):
            source = make_badge_art(args.out, rid, kind, name, recipe)
            entry["picture"] = "previews/%s.jpg" % rid
            entry["colour"] = recipe
        else:
            wallpaper = os.path.join(args.out, "wallpapers", recipe + ".jpg")
            source = make_preview_from(args.out, rid, wallpaper, kind, name)
            entry["picture"] = "previews/%s.jpg" % rid
            entry["wallpaper"] = "wallpapers/%s.jpg" % recipe
        make_thumb(args.out, rid, source)
        catalog.append(entry)
        print("drew", rid, name)

    with open(os.path.join(args.out, "catalog.json"), "w", encoding="utf-8") as f:
        json.dump({"resources": catalog}, f, ensure_ascii=False, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main()
