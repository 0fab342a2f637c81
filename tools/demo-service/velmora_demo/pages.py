"""HTML pages of the online library: plain HTML 4 and CSS 2 for the old embedded browser."""

from html import escape

from .catalog import CATES

STYLE = """
body { margin: 0; padding: 0; background: #eef3f8; font-family: "Microsoft YaHei", "SimSun", sans-serif;
       font-size: 12px; color: #334; }
a { color: #1f63b5; text-decoration: none; }
#head { background: #2f7fd0; border-bottom: 3px solid #1d5ea8; padding: 8px 14px; color: #fff; }
#head h1 { margin: 0; font-size: 18px; font-weight: bold; }
#head span { color: #d7e8ff; font-size: 12px; }
#nav { background: #ffffff; border-bottom: 1px solid #cfdbe8; padding: 5px 10px; }
#nav a { padding: 2px 8px; margin-right: 2px; color: #3a5573; }
#nav a.on { background: #2f7fd0; color: #fff; }
#list { padding: 8px 4px 4px 10px; }
.card { float: left; width: 174px; margin: 0 8px 10px 0; background: #fff; border: 1px solid #cfdbe8; }
.card img { display: block; margin: 6px; border: 1px solid #dde5ee; }
.card .name { padding: 0 7px; font-size: 13px; font-weight: bold; color: #223; }
.card .cat { padding: 2px 7px 0 7px; color: #889; }
.card .go { display: block; margin: 6px; padding: 3px 0; text-align: center; background: #ff8a2a;
            border: 1px solid #e5701a; color: #fff; font-weight: bold; }
.card .go:hover { background: #ff9d4a; }
.clear { clear: both; height: 0; overflow: hidden; }
#foot { clear: both; padding: 6px 14px 10px 14px; color: #8895a5; }
.empty { margin: 30px 20px; padding: 20px; background: #fff; border: 1px solid #cfdbe8; text-align: center;
         font-size: 14px; }
"""


def _document(title, body):
    return ("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
            "<html><head>\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
            "<title>%s</title>\n<style type=\"text/css\">%s</style>\n</head>\n<body>\n%s\n</body></html>\n"
            % (escape(title), STYLE, body))


def _nav(current):
    links = []
    for cate, (title, _) in sorted(CATES.items()):
        css = ' class="on"' if cate == current else ""
        links.append('<a%s href="/index.php?cate=%d">%s</a>' % (css, cate, escape(title)))
    return '<div id="nav">%s</div>' % " ".join(links)


def download_link(host, resource_id):
    return "http://%s/down/*/%s/*/" % (host, resource_id)


def cate_page(host, cate, resources):
    title, _ = CATES[cate]
    cards = []
    for entry in sorted(resources, key=lambda e: e["id"]):
        cards.append(
            '<div class="card"><img src="/%s" width="160" height="120" alt="%s">'
            '<div class="name">%s</div><div class="cat">分类：%s</div>'
            '<a class="go" href="%s">立即下载</a></div>'
            % (escape(entry["thumb"]), escape(entry["name"]), escape(entry["name"]), escape(entry["category"]),
               escape(download_link(host, entry["id"]))))
    if cards:
        listing = '<div id="list">%s<div class="clear"></div></div>' % "".join(cards)
    else:
        listing = '<div class="empty">这个分类暂时还没有资源，敬请期待。</div>'
    body = ('<div id="head"><h1>%s</h1><span>Velmora 资源中心 · 点击“立即下载”，在下载器中一键安装</span></div>'
            '%s%s<div id="foot">共 %d 个资源 · Velmora 演示资源服务</div>'
            % (escape(title), _nav(cate), listing, len(cards)))
    return _document("%s - Velmora 资源中心" % title, body)


def missing_cate_page(text):
    body = ('<div id="head"><h1>Velmora 资源中心</h1><span>没有找到这个分类</span></div>%s'
            '<div class="empty">抱歉，分类“%s”不存在。<br><br>请从上面的分类中选择您想要的资源。</div>'
            % (_nav(None), escape(text)))
    return _document("没有找到分类 - Velmora 资源中心", body)


def download_hint_page(resource_id):
    body = ('<div id="head"><h1>Velmora 资源中心</h1><span>资源编号 %s</span></div>'
            '<div class="empty">请在 Velmora 的在线资源页中点击“立即下载”，由下载器完成下载和安装。</div>'
            % escape(resource_id))
    return _document("资源下载 - Velmora 资源中心", body)
