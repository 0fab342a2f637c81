"""The advertisement file: a version record and link records, "~" separated, GBK, CRLF lines."""

DEFAULT_VERSION = "2.5.4"


class AdvertError(ValueError):
    pass


def _field(text):
    if "~" in text or "\r" in text or "\n" in text:
        raise AdvertError("a field may not hold '~' or a line break: %r" % text)
    return text


def guanggao_text(host, version=DEFAULT_VERSION):
    root = "http://%s" % host
    records = [
        ("版本", version, "Velmora %s 已发布：新增资源分类，下载更稳定，界面更流畅。建议您立即更新。" % version),
        (root + "/index.php?cate=12", "精选高清壁纸上新", "六款风景与创意壁纸，一键设为桌面"),
        (root + "/index.php?cate=13", "XP 主题精选", "为 Windows XP 准备的清新主题"),
        (root + "/index.php?cate=14", "Windows 7 主题专区", "浪漫樱花、晴空流光，让桌面焕然一新"),
        ("对话框-欢迎使用 Velmora！更多精美资源正在陆续上线，敬请期待。", "欢迎使用 Velmora", "点击查看欢迎词"),
        (root + "/index.php?cate=15", "水晶鼠标指针", "晶莹剔透的透明系列指针方案"),
        (root + "/index.php?cate=16", "扁平系统图标", "简约扁平风格的系统图标包"),
        (root + "/index.php?cate=17", "登陆界面推荐", "晨光与星夜两款 XP 登陆界面"),
        ("对话框-小技巧：在资源管理页中可以预览、应用和导出已下载的资源。", "使用小技巧", "资源管理的常用操作"),
        (root + "/index.php?cate=12", "本周热门壁纸", "大家都在用的桌面壁纸"),
    ]
    lines = ["~".join(_field(f) for f in record) for record in records]
    return ("\r\n".join(lines) + "\r\n").encode("gbk")
