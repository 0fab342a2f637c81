#include "library/GuanLiZhongXin.h"

#include <algorithm>
#include <cstdint>

#include "core/LuJing.h"
#include "core/ShuBiaoJueSe.h"
#include "core/XiTong.h"
#include "platform/Strings.h"

namespace velmora {

namespace {

const char* const kWenXinTiShi = "温馨提示";
const char* const kQueRenShanChu = "是否确定删除此资源,一旦删除后资源不可恢复";
const char* const kDaoChuShiBai = "导出失败，无法复制文件：";
// The registry places of the theme in use; the second is written by Windows 7 only.
const char* const kPlusDangQianZhuTi = "HKEY_CURRENT_USER\\Software\\Microsoft\\Plus!\\Themes\\Current\\";
const char* const kWin7DangQianZhuTi =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\CurrentTheme";

bool Is(const std::string& kind, LeiXingBianHao id) { return kind == LeiXing(id).name; }

std::string WithoutTrailingBackslashes(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// ASCII letters without case, then the bytes: the order a file list box shows.
bool NameBefore(const std::string& a, const std::string& b) {
    const std::string la = ToLowerAscii(a), lb = ToLowerAscii(b);
    if (la != lb) return la < lb;
    return a < b;
}

ShanChuJiHua Refused(const char* message) {
    ShanChuJiHua plan;
    plan.refused = true;
    plan.message = message;
    return plan;
}

// The names a theme file path can stand for: its file name cut at the first dot, as the
// system's own theme names are compared, and without only its extension, so a theme named
// with a dot is recognised as well.
void AddThemeNames(const std::optional<std::string>& path, std::vector<std::string>& names) {
    if (!path) return;
    const std::string file = path->substr(path->rfind('\\') + 1);
    names.push_back(file.substr(0, file.find('.')));
    const size_t extension = file.rfind('.');
    if (extension != std::string::npos) names.push_back(file.substr(0, extension));
}

BuZhou Step(BuZhou::Lei lei, const std::string& path, const std::string& to = std::string()) {
    return BuZhou{lei, path, to};
}

}  // namespace

int YeShu(int total) {
    if (total <= 0) return 0;
    return total / kMeiYeTuPian + (total % kMeiYeTuPian != 0 ? 1 : 0);
}

YeFanWei YeMianFanWei(int page, int total) {
    if (page < 1 || total <= 0) return YeFanWei{};
    const int64_t first = static_cast<int64_t>(page - 1) * kMeiYeTuPian;
    if (first >= total) return YeFanWei{};
    const int64_t count = std::min<int64_t>(kMeiYeTuPian, total - first);
    return YeFanWei{static_cast<int>(first), static_cast<int>(count)};
}

XuanZe JiLuXuanZe(const std::string& categoryFolder, const std::string& caption, const std::string& windowsDirectory) {
    XuanZe s;
    const size_t dot = caption.rfind('.');
    s.N = dot == std::string::npos ? caption : caption.substr(0, dot);
    const std::string c = categoryFolder + "\\";
    s.DangQianTuPian = c + caption;
    s.DangQianZiYuanMuLu = c + s.N + "\\";
    s.DangQianTuBiaoKu = c + s.N + "\\" + s.N + ".icl";
    s.DangQianJieMianBao = c + s.N + "\\" + s.N + ".exe";
    s.zhuTiBao = s.DangQianJieMianBao;
    s.zhuTiWenJian = WithoutTrailingBackslashes(windowsDirectory) + "\\Resources\\Themes\\" + s.N + ".theme";
    return s;
}

std::vector<std::string> CaoZuoCaiDan(const std::string& kind) {
    return {"应用(&N)", "还原(&O)", "", "预览(&S)", "删除(&U)", "",
            Is(kind, LeiXingBianHao::ZhuoMianBiZhi) ? "导出图片(&U)" : "导出资源(&U)"};
}

ShanChuJiHua JiHuaShanChu(Platform& p, const std::string& kind, const std::string& categoryFolder,
                          const XuanZe& selection) {
    const std::string c = WithoutTrailingBackslashes(categoryFolder);
    const std::string& n = selection.N;
    // The picture must lie directly in C, by a name of its own.
    std::string picture;
    if (StartsWith(selection.DangQianTuPian, c + "\\")) picture = selection.DangQianTuPian.substr(c.size() + 1);
    if (c.empty() || !ShiPuTongMingCheng(n) || !ShiPuTongMingCheng(picture)) return Refused(kMingChengWuXiao);

    const std::string own = c + "\\" + n;
    ShanChuJiHua plan;
    if (Is(kind, LeiXingBianHao::ZhuoMianBiZhi)) {
        plan.steps.push_back(Step(BuZhou::Lei::ShanChuWenJian, c + "\\" + picture));
        return plan;
    }
    if (!Is(kind, LeiXingBianHao::DianNaoZhuTi)) {
        plan.steps.push_back(Step(BuZhou::Lei::ShanChuWenJian, c + "\\" + picture));
        plan.steps.push_back(Step(BuZhou::Lei::ShanChuMuLu, own));
        return plan;
    }

    if (EqualsIgnoreAsciiCase(n, "Luna") || EqualsIgnoreAsciiCase(n, "Windows Classic")) return Refused(kXiTongZhuTi);
    std::vector<std::string> inUse;
    AddThemeNames(p.registry.ReadString(kPlusDangQianZhuTi), inUse);
    if (PanDuanXiTong(p) == kWindows7) AddThemeNames(p.registry.ReadString(kWin7DangQianZhuTi), inUse);
    for (const std::string& name : inUse) {
        if (EqualsIgnoreAsciiCase(name, n)) return Refused(kZhuTiZhengZaiShiYong);
    }
    const std::string package = own + "\\" + n + ".exe";
    // Only a theme the program installed from its library has its files in the system's theme
    // folder removed; whatever else lies there belongs to the system or to the user.
    const bool fromLibrary = AnyFileExists(p.files, package);
    plan.steps.push_back(Step(BuZhou::Lei::ShanChuWenJian, c + "\\" + picture));
    plan.steps.push_back(Step(BuZhou::Lei::ShanChuWenJian, package));
    plan.steps.push_back(Step(BuZhou::Lei::ShanChuMuLu, own));
    const std::string windows = WithoutTrailingBackslashes(p.environment.Variable("windir").value_or(""));
    if (fromLibrary && !windows.empty()) {
        const std::string themes = windows + "\\Resources\\Themes\\";
        plan.steps.push_back(Step(BuZhou::Lei::ShanChuMuLu, themes + n));
        plan.steps.push_back(Step(BuZhou::Lei::ShanChuWenJian, themes + n + ".theme"));
    }
    return plan;
}

DaoChuJiHua JiHuaDaoChu(const std::string& kind, const std::string& system, const XuanZe& selection,
                        const std::string& d) {
    DaoChuJiHua plan;
    if (Is(kind, LeiXingBianHao::ZhuoMianBiZhi)) {
        plan.steps.push_back(Step(BuZhou::Lei::FuZhi, selection.DangQianTuPian, d));
        return plan;
    }
    const std::string& n = selection.N;
    plan.steps.push_back(Step(BuZhou::Lei::ChuangJianMuLu, d));
    plan.steps.push_back(Step(BuZhou::Lei::FuZhi, selection.DangQianTuPian, JoinPath(d, n + ".jpg")));
    const std::string own = JoinPath(d, n) + "\\";
    if (Is(kind, LeiXingBianHao::XiTongTuBiao)) {
        plan.steps.push_back(Step(BuZhou::Lei::ChuangJianMuLu, own));
        plan.steps.push_back(Step(BuZhou::Lei::FuZhi, selection.DangQianTuBiaoKu, own + n + ".icl"));
    } else if (Is(kind, LeiXingBianHao::QiDongJieMian)) {
        if (system != kWindowsXP) {
            plan.stopMessage = "目前只支持XP系统！";
            plan.stopTitle = "提示";
            return plan;
        }
        plan.steps.push_back(Step(BuZhou::Lei::ChuangJianMuLu, own));
        plan.steps.push_back(Step(BuZhou::Lei::FuZhi, selection.DangQianJieMianBao, own + n + ".exe"));
    } else if (Is(kind, LeiXingBianHao::DianNaoZhuTi)) {
        plan.steps.push_back(Step(BuZhou::Lei::ChuangJianMuLu, own));
        plan.steps.push_back(Step(BuZhou::Lei::FuZhi, selection.zhuTiBao, own + n + ".exe"));
    } else if (Is(kind, LeiXingBianHao::ShuBiaoZhiZhen)) {
        plan.steps.push_back(Step(BuZhou::Lei::ChuangJianMuLu, own));
        for (const ShuBiaoJueSe* role : ShuBiaoAnZhuangShunXu()) {
            plan.steps.push_back(Step(BuZhou::Lei::FuZhi, selection.DangQianZiYuanMuLu + role->file, own + role->file));
        }
    }
    return plan;
}

std::string DaoChuGuoLvQi(const std::string& kind) {
    return Is(kind, LeiXingBianHao::ZhuoMianBiZhi) ? "图片名称(*.jpg)|*.jpg|" : "资源名称(*.*)|*.*|";
}

// ---- GuanLiZhongXin

GuanLiZhongXin::GuanLiZhongXin(Platform& platform, GuanLiZhongXinView& view, QuanJuSheZhi& settings,
                               AnZhuangQi installers)
    : p_(platform), view_(view), settings_(settings), installers_(std::move(installers)),
      kind_(settings.DangQianLeiXing) {}

void GuanLiZhongXin::Load() {
    ChuShiChuangTi(p_, view_, ChuangTiKuangJia(ChuangTiBianHao::GuanLiZhongXin));
    HideTiles();
    view_.ShowHover(0);
    view_.ShowLoading(false);
    view_.ShowEmpty(false);
    view_.ShowPaging(false);
    view_.SetPageTexts("0", "0");
    view_.SetActionMenu(CaoZuoCaiDan(kind_));
    const bool wallpaper = Is(kind_, LeiXingBianHao::ZhuoMianBiZhi);
    view_.ShowPositionChooser(wallpaper);
    if (wallpaper) view_.SelectPosition(0);
}

void GuanLiZhongXin::TianChongFenLei() {
    categories_.clear();
    if (const ZiYuanLeiXing* k = LeiXingByName(kind_)) categories_.assign(k->categories.begin(), k->categories.end());
    for (const std::string& category : categories_) view_.AddCategory(category);
    for (const FenLeiHang& row : TongJiZiYuan(p_, kind_, categories_)) view_.AddListRow(row);
}

std::string GuanLiZhongXin::CurrentCategory() const {
    if (categoryIndex_ < 0 || categoryIndex_ >= static_cast<int>(categories_.size())) return std::string();
    return categories_[static_cast<size_t>(categoryIndex_)];
}

std::string GuanLiZhongXin::CategoryFolder() const {
    const std::string category = CurrentCategory();
    const std::string kindFolder = ChengXuLuJing(p_, "\\Download\\") + kind_;
    return category.empty() ? kindFolder : kindFolder + "\\" + category;
}

void GuanLiZhongXin::OnListClick(int listIndex) {
    // Below the last row the list keeps its selection, and the current category reloads.
    if (listIndex >= 0 && listIndex < static_cast<int>(categories_.size())) categoryIndex_ = listIndex;
    LoadCategory();
}

void GuanLiZhongXin::HideTiles() {
    view_.HideTiles();
    for (std::string& caption : captions_) caption.clear();
}

void GuanLiZhongXin::FillTile(int k, int picture) {
    const std::string& name = pictures_[static_cast<size_t>(picture)];
    captions_[k - 1] = name;
    view_.FillTile(k, CategoryFolder() + "\\" + name, name);
}

void GuanLiZhongXin::LoadCategory() {
    HideTiles();
    view_.ShowLoading(true);
    view_.ShowEmpty(false);
    view_.ShowPaging(false);
    view_.ShowHover(0);
    std::vector<std::string> pictures = p_.files.ListFiles(CategoryFolder() + "\\", "*.jpg");
    std::sort(pictures.begin(), pictures.end(), NameBefore);
    pictures_ = std::move(pictures);
    view_.SetResourceList(pictures_);
    view_.PumpPendingMessages();  // the loading notice gets painted

    const int total = Total();
    if (total > 0) {
        page_ = 1;
        const YeFanWei range = YeMianFanWei(page_, total);
        for (int i = 0; i < range.count; ++i) FillTile(i + 1, range.first + i);
        view_.ShowPaging(total >= kMeiYeTuPian);
        view_.ShowLoading(false);
    } else {
        view_.ShowLoading(false);
        view_.ShowEmpty(true);
    }
    // An empty category leaves the current page's text as it was.
    view_.SetPageTexts(std::to_string(page_), std::to_string(YeShu(total)));
}

void GuanLiZhongXin::OnNextPage() {
    if (page_ >= YeShu(Total())) return;
    TurnPage(+1);
}

void GuanLiZhongXin::OnPreviousPage() {
    if (page_ <= 1) return;
    TurnPage(-1);
}

void GuanLiZhongXin::TurnPage(int step) {
    HideTiles();
    view_.ShowLoading(true);
    view_.PumpPendingMessages();
    // The events that ran may have paged or loaded already; they left the tiles as they belong.
    const int page = page_ + step;
    const YeFanWei range = YeMianFanWei(page, Total());
    if (range.count == 0) {
        view_.ShowLoading(false);
        return;
    }
    page_ = page;
    view_.SetPageTexts(std::to_string(page_), std::to_string(YeShu(Total())));
    for (int i = 0; i < range.count; ++i) FillTile(i + 1, range.first + i);
    view_.ShowLoading(false);
}

void GuanLiZhongXin::OnTileMouseMove(int k) {
    if (k >= 1 && k <= kMeiYeTuPian) view_.ShowHover(k);
}

void GuanLiZhongXin::OnAreaMouseMove() { view_.ShowHover(0); }

void GuanLiZhongXin::OnTileMouseDown(int k) {
    if (k < 1 || k > kMeiYeTuPian || captions_[k - 1].empty()) return;
    // The menu returns at once, so the selection is there before any item can be chosen.
    view_.ShowActionMenu();
    selectionFolder_ = CategoryFolder();
    selection_ = JiLuXuanZe(selectionFolder_, captions_[k - 1], p_.environment.Variable("windir").value_or(""));
    settings_.DangQianTuPian = selection_.DangQianTuPian;
    settings_.DangQianZiYuanMuLu = selection_.DangQianZiYuanMuLu;
    settings_.DangQianTuBiaoKu = selection_.DangQianTuBiaoKu;
    settings_.DangQianJieMianBao = selection_.DangQianJieMianBao;
}

void GuanLiZhongXin::OnMenuClick(int position) {
    switch (position) {
        case static_cast<int>(CaoZuo::YingYong): YingYong(); break;
        case static_cast<int>(CaoZuo::HuanYuan): HuanYuan(); break;
        case static_cast<int>(CaoZuo::YuLan): YuLan(); break;
        case static_cast<int>(CaoZuo::ShanChu): ShanChu(); break;
        case static_cast<int>(CaoZuo::DaoChu): DaoChu(); break;
        default: break;  // the separators
    }
}

void GuanLiZhongXin::Message(const std::string& text, const std::string& title) {
    p_.dialogs.ShowMessage(text, title, MessageButtons::Ok);
}

void GuanLiZhongXin::OpenWithShell(const std::string& file) {
    p_.processes.Start("rundll32 url.dll,FileProtocolHandler \"" + file + "\"", ChuangKouYangShi::Normal);
}

void GuanLiZhongXin::ZhuTiYingYong() {
    if (AnyFileExists(p_.files, selection_.zhuTiWenJian)) {
        OpenWithShell(selection_.zhuTiWenJian);
    } else {
        // The package installs the theme into the system's theme folder.
        p_.processes.Start("\"" + selection_.zhuTiBao + "\"", ChuangKouYangShi::Minimized);
    }
}

void GuanLiZhongXin::ZhuTiHuanYuan() {
    for (const char* theme : {"\\Resources\\Themes\\Luna.theme", "\\Resources\\Themes\\Windows Classic.theme"}) {
        const std::string file = WindowsLuJing(p_, theme);
        if (AnyFileExists(p_.files, file)) {
            OpenWithShell(file);
            return;
        }
    }
    Message("缺少电脑主题原始文件!", "错误");
}

void GuanLiZhongXin::YingYong() {
    if (selection_.DangQianTuPian.empty()) return;
    if (Is(kind_, LeiXingBianHao::ZhuoMianBiZhi)) {
        if (installers_.anZhuangBiZhi) installers_.anZhuangBiZhi(p_, view_.PositionText(), selection_.DangQianTuPian);
    } else if (Is(kind_, LeiXingBianHao::ShuBiaoZhiZhen)) {
        if (installers_.sheZhi) installers_.sheZhi(p_, selection_.DangQianZiYuanMuLu);
    } else if (Is(kind_, LeiXingBianHao::XiTongTuBiao)) {
        const std::string system = PanDuanXiTong(p_);
        if (system == kWindowsXP && installers_.xpTuBiaoAz) installers_.xpTuBiaoAz(p_, selection_.DangQianTuBiaoKu);
        if (system == kWindows7 && installers_.win7TuBiaoAz) installers_.win7TuBiaoAz(p_, selection_.DangQianTuBiaoKu);
    } else if (Is(kind_, LeiXingBianHao::QiDongJieMian)) {
        const std::string system = PanDuanXiTong(p_);
        if (system == kWindowsXP && installers_.xiaZaiAZJieMian) {
            installers_.xiaZaiAZJieMian(p_, selection_.DangQianJieMianBao);
        }
        if (system == kWindows7) Message("Win7暂时不支持该功能", kWenXinTiShi);
    } else if (Is(kind_, LeiXingBianHao::DianNaoZhuTi)) {
        ZhuTiYingYong();
    }
}

void GuanLiZhongXin::HuanYuan() {
    if (Is(kind_, LeiXingBianHao::ZhuoMianBiZhi)) {
        Message("桌面壁纸不支持还原！", kWenXinTiShi);
    } else if (Is(kind_, LeiXingBianHao::ShuBiaoZhiZhen)) {
        if (installers_.xiaZaiSheZhi) installers_.xiaZaiSheZhi(p_);
    } else if (Is(kind_, LeiXingBianHao::XiTongTuBiao)) {
        const std::string system = PanDuanXiTong(p_);
        if (system == kWindowsXP && installers_.xpTuBiaoHy) installers_.xpTuBiaoHy(p_);
        if (system == kWindows7 && installers_.win7TuBiaoAzHy) installers_.win7TuBiaoAzHy(p_);
    } else if (Is(kind_, LeiXingBianHao::QiDongJieMian)) {
        if (installers_.xieZaiJieMian) installers_.xieZaiJieMian(p_);
    } else if (Is(kind_, LeiXingBianHao::DianNaoZhuTi)) {
        ZhuTiHuanYuan();
    }
}

void GuanLiZhongXin::YuLan() {
    if (selection_.DangQianTuPian.empty()) return;
    const ZiYuanLeiXing* kind = LeiXingByName(kind_);
    if (!kind) return;
    if (kind->id == LeiXingBianHao::DianNaoZhuTi) {
        ZhuTiYingYong();
    } else {
        view_.ShowInstallerWindow(kind->id);
    }
}

void GuanLiZhongXin::ShanChu() {
    if (selection_.DangQianTuPian.empty()) return;
    if (p_.dialogs.ShowMessage(kQueRenShanChu, kWenXinTiShi, MessageButtons::OkCancel) != MessageResult::Ok) return;
    const ShanChuJiHua plan = JiHuaShanChu(p_, kind_, selectionFolder_, selection_);
    if (plan.refused) {
        Message(plan.message, kWenXinTiShi);
    } else {
        RunSteps(plan.steps, false);
    }
    Refresh();
}

void GuanLiZhongXin::Refresh() {
    const int remembered = view_.ListIndex();
    LoadCategory();
    view_.ClearCategoryLists();
    categoryIndex_ = -1;
    TianChongFenLei();
    if (remembered >= 0 && remembered < static_cast<int>(categories_.size())) categoryIndex_ = remembered;
    view_.SelectCategory(remembered);
}

void GuanLiZhongXin::DaoChu() {
    if (selection_.DangQianTuPian.empty()) return;
    const std::optional<std::string> d = view_.AskSaveFile(DaoChuGuoLvQi(kind_));
    if (!d || d->empty()) return;
    // Only the logon screen's export depends on the system.
    const std::string system = Is(kind_, LeiXingBianHao::QiDongJieMian) ? PanDuanXiTong(p_) : std::string();
    const DaoChuJiHua plan = JiHuaDaoChu(kind_, system, selection_, *d);
    if (!RunSteps(plan.steps, true)) return;
    if (!plan.stopMessage.empty()) Message(plan.stopMessage, plan.stopTitle);
}

bool GuanLiZhongXin::RunSteps(const std::vector<BuZhou>& steps, bool reportCopies) {
    for (const BuZhou& step : steps) {
        switch (step.lei) {
            case BuZhou::Lei::ShanChuWenJian: p_.files.Remove(step.path); break;
            case BuZhou::Lei::ShanChuMuLu: p_.files.RemoveTree(step.path); break;
            case BuZhou::Lei::ChuangJianMuLu: p_.files.CreateDirectories(step.path); break;
            case BuZhou::Lei::FuZhi:
                if (!p_.files.Copy(step.path, step.to, true) && reportCopies) {
                    Message(kDaoChuShiBai + step.path, "错误");
                    return false;
                }
                break;
        }
    }
    return true;
}

}  // namespace velmora
