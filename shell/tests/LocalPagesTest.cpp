// The local pages shipped with the program: they parse, they need nothing from outside, and
// every link on them is a command the program handles.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "core/LianJie.h"

namespace velmora {
namespace {

std::string ReadPage(const std::string& name) {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/res/Data storage/Web/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return s;
}

// Values of one attribute in every tag, in order.
std::vector<std::string> AttributeValues(const std::string& html, const std::string& attribute) {
    std::vector<std::string> values;
    const std::string lower = Lower(html), key = attribute + "=\"";
    for (size_t at = lower.find(key); at != std::string::npos; at = lower.find(key, at + 1)) {
        const size_t start = at + key.size(), end = html.find('"', start);
        if (end == std::string::npos) break;
        values.push_back(html.substr(start, end - start));
    }
    return values;
}

// True when every non-void element that is opened is closed again, in order.
bool TagsBalance(const std::string& html, std::string& problem) {
    static const std::set<std::string> kVoid = {"meta", "link", "br", "img", "hr", "input", "col", "area", "base",
                                                "param", "!doctype"};
    std::vector<std::string> open;
    const std::string lower = Lower(html);
    for (size_t at = lower.find('<'); at != std::string::npos; at = lower.find('<', at + 1)) {
        if (lower.compare(at, 4, "<!--") == 0) {
            at = lower.find("-->", at);
            if (at == std::string::npos) return problem = "unclosed comment", false;
            continue;
        }
        const size_t end = lower.find('>', at);
        if (end == std::string::npos) return problem = "unclosed tag", false;
        std::string tag = lower.substr(at + 1, end - at - 1);
        const bool closing = !tag.empty() && tag[0] == '/';
        if (closing) tag.erase(0, 1);
        const bool selfClosing = !tag.empty() && tag.back() == '/';
        const std::string name = tag.substr(0, tag.find_first_of(" \t\r\n/"));
        if (name == "style" || name == "script") {
            if (!closing) {
                const size_t close = lower.find("</" + name, end);
                if (close == std::string::npos) return problem = "unclosed " + name, false;
                at = close - 1;
                open.push_back(name);
                continue;
            }
        }
        if (kVoid.count(name) || selfClosing) continue;
        if (!closing) {
            open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            return problem = "</" + name + "> closes " + (open.empty() ? "nothing" : "<" + open.back() + ">"), false;
        } else {
            open.pop_back();
        }
        at = end;
    }
    if (!open.empty()) return problem = "<" + open.back() + "> never closed", false;
    return true;
}

void ExpectSelfContained(const std::string& html) {
    for (const char* attribute : {"src", "background"}) {
        for (const std::string& v : AttributeValues(html, attribute)) {
            EXPECT_EQ(Lower(v).find("http"), std::string::npos) << attribute << "=" << v;
        }
    }
    EXPECT_EQ(Lower(html).find("url(http"), std::string::npos);
    EXPECT_EQ(Lower(html).find("@import"), std::string::npos);
}

TEST(LocalPages, ResourcePageOffersEveryKindAndNothingElse) {
    const std::string html = ReadPage("Ziygl.html");
    ASSERT_FALSE(html.empty());
    std::string problem;
    EXPECT_TRUE(TagsBalance(html, problem)) << problem;
    ExpectSelfContained(html);
    std::set<std::string> kinds;
    for (const std::string& href : AttributeValues(html, "href")) {
        const BenDiMingLing command = JieXiBenDiLianJie(href);
        EXPECT_TRUE(command.intercepted) << href;
        ASSERT_NE(command.kind, nullptr) << href;
        kinds.insert(command.kind->name);
    }
    EXPECT_EQ(kinds.size(), ZiYuanLeiXingBiao().size());
}

TEST(LocalPages, ToolboxIndexOffersTheSixCommands) {
    const std::string html = ReadPage("index.html");
    ASSERT_FALSE(html.empty());
    std::string problem;
    EXPECT_TRUE(TagsBalance(html, problem)) << problem;
    ExpectSelfContained(html);
    std::set<int> panels;
    for (const std::string& href : AttributeValues(html, "href")) {
        const auto panel = GongJuXiangLianJie(href);
        ASSERT_TRUE(panel) << href;
        panels.insert(*panel);
    }
    EXPECT_EQ(panels, (std::set<int>{0, 1, 2, 3, 4, 5}));
}

TEST(LocalPages, BalanceCheckFindsBrokenMarkup) {
    std::string problem;
    EXPECT_FALSE(TagsBalance("<div><p>x</div>", problem));
    EXPECT_FALSE(TagsBalance("<table><tr><td>x</td></tr>", problem));
    EXPECT_TRUE(TagsBalance("<p>a<br>b<img src=\"x.png\"/></p><!-- <div> -->", problem)) << problem;
}

}  // namespace
}  // namespace velmora
