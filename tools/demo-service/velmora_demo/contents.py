"""What the package program of each resource kind unpacks.

Every package named N.exe leaves the preview picture N.jpg beside itself (the library lists
a category by these pictures) and the folder N holding the resource:
  theme         N\\N.exe, a second package that installs N.theme and N\\N.jpg under
                %windir%\\Resources\\Themes\\
  cursor scheme N\\<role>.ani for the fifteen roles
  icon set      N\\N.icl
  logon screen  N\\N.exe, a stand-in logon program that starts the system's own
"""

from . import cursors, icons, packages

VISUAL_STYLE = {
    "xp主题": ("%SystemRoot%\\resources\\Themes\\Luna\\Luna.msstyles", "NormalColor"),
    "win7主题": ("%SystemRoot%\\resources\\Themes\\Aero\\Aero.msstyles", "NormalColor"),
}


def theme_text(kind, name):
    """The .theme file: ANSI (GBK on a Chinese system), CRLF lines."""
    style, colour = VISUAL_STYLE[kind]
    lines = [
        "; Velmora 电脑主题：" + name,
        "[Theme]",
        "DisplayName=" + name,
        "",
        "[Control Panel\\Desktop]",
        "Wallpaper=%WinDir%Resources\\Themes\\" + name + "\\" + name + ".jpg",
        "TileWallpaper=0",
        "WallpaperStyle=2",
        "",
        "[VisualStyles]",
        "Path=" + style,
        "ColorStyle=" + colour,
        "Size=NormalSize",
        "",
        "[MasterThemeSelector]",
        "MTSM=DABJDKT",
        "",
    ]
    return "\r\n".join(lines).encode("gbk")


def _theme_installer(stub, catalog, entry):
    name = entry["name"]
    wallpaper = catalog.read(entry["wallpaper"])
    return packages.build(stub, [
        (packages.ROOT_WINDOWS, "Resources\\Themes\\" + name + "\\" + name + ".jpg", wallpaper),
        (packages.ROOT_WINDOWS, "Resources\\Themes\\" + name + ".theme", theme_text(entry["kind"], name)),
    ], packages.FLAG_NO_OWN_FOLDER)


def package_entries(stub, catalog, entry):
    """(flags, entries) of the package program that delivers a non-wallpaper resource."""
    kind = entry["kind"]
    files = [(packages.ROOT_BESIDE, "*.jpg", catalog.read(entry["picture"]))]
    if kind in VISUAL_STYLE:
        files.append((packages.ROOT_BESIDE, "*\\*.exe", _theme_installer(stub, catalog, entry)))
    elif kind == "鼠标指针":
        for file_name, data in sorted(cursors.scheme_files(entry["colour"]).items()):
            files.append((packages.ROOT_BESIDE, "*\\" + file_name, data))
    elif kind == "系统图标":
        files.append((packages.ROOT_BESIDE, "*\\*.icl", icons.icon_library(entry["colour"])))
    elif kind == "启动界面":
        logon = packages.build(stub, [], packages.FLAG_FORWARD_LOGON_UI)
        files.append((packages.ROOT_BESIDE, "*\\*.exe", logon))
    else:
        raise ValueError("no package for kind %s" % kind)
    return 0, files


def package_program(stub, catalog, entry):
    flags, files = package_entries(stub, catalog, entry)
    return packages.build(stub, files, flags)


def installer_program(stub):
    """The stand-in for the program's own installer: unpacks a short note beside itself."""
    note = ("Velmora 演示安装包\r\n这是演示服务提供的安装程序替身，运行后只写出本说明文件，"
            "不会改动系统。\r\n").encode("gbk")
    return packages.build(stub, [(packages.ROOT_BESIDE, "*\\说明.txt", note)])
