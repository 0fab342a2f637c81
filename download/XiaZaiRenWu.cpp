#include "download/XiaZaiRenWu.h"

#include <algorithm>
#include <cctype>

#include "core/LianJie.h"
#include "core/LuJing.h"
#include "core/XiTong.h"
#include "core/ZiYuanMuLu.h"
#include "platform/Strings.h"

namespace velmora::download {

namespace {

const char* const kBusyMessage = "正在下载资源，请稍候再试！";

// What the installer of a kind receives, relative to the category folder C\ and the name N.
enum class AnZhuangMuBiao { XiaZaiWenJian, ZiMuLuChengXu, ZiMuLu, ZiMuLuTuBiaoKu };

struct LuJingHang {
    const char* word;  // the service's kind word
    LeiXingBianHao kind;
    const char* extension;
    AnZhuangMuBiao install;
};

// Every kind word the service uses; nothing else is downloaded.
const LuJingHang kLuJingBiao[] = {
    {"桌面壁纸", LeiXingBianHao::ZhuoMianBiZhi, ".jpg", AnZhuangMuBiao::XiaZaiWenJian},
    {"win7主题", LeiXingBianHao::DianNaoZhuTi, ".exe", AnZhuangMuBiao::ZiMuLuChengXu},
    {"xp主题", LeiXingBianHao::DianNaoZhuTi, ".exe", AnZhuangMuBiao::ZiMuLuChengXu},
    {"启动界面", LeiXingBianHao::QiDongJieMian, ".exe", AnZhuangMuBiao::ZiMuLuChengXu},
    {"鼠标指针", LeiXingBianHao::ShuBiaoZhiZhen, ".exe", AnZhuangMuBiao::ZiMuLu},
    {"系统图标", LeiXingBianHao::XiTongTuBiao, ".exe", AnZhuangMuBiao::ZiMuLuTuBiaoKu},
};

}  // namespace

std::string ZiYuanCuoWuTiShi() { return std::string("该资源存在错误,请联系管理员 Q Q：") + kKeFuQQ; }

std::optional<ZiYuanLuJing> ZiYuanLuJingBiao(Platform& p, const ZiYuanMiaoShu& answer) {
    const LuJingHang* row = nullptr;
    for (const LuJingHang& r : kLuJingBiao) {
        if (answer.kind == r.word) row = &r;
    }
    const std::string c = TrimBlanks(answer.category), n = TrimBlanks(answer.name);
    if (!row || !ShiPuTongMingCheng(c) || !ShiPuTongMingCheng(n) || TrimBlanks(answer.address).empty()) {
        return std::nullopt;
    }
    const std::string category = FenLeiMuLu(p, LeiXing(row->kind).name, c);
    const std::string own = category + n + "\\";
    ZiYuanLuJing out;
    out.downloadFile = category + n + row->extension;
    out.watchedFolder = own;
    out.package = row->install != AnZhuangMuBiao::XiaZaiWenJian;
    switch (row->install) {
        case AnZhuangMuBiao::XiaZaiWenJian: out.installPath = out.downloadFile; break;
        case AnZhuangMuBiao::ZiMuLuChengXu: out.installPath = own + n + ".exe"; break;
        case AnZhuangMuBiao::ZiMuLu: out.installPath = own; break;
        case AnZhuangMuBiao::ZiMuLuTuBiaoKu: out.installPath = own + n + ".icl"; break;
    }
    return out;
}

XiaZaiRenWu::XiaZaiRenWu(Platform& platform, Programs& programs, const QuanJuSheZhi& settings, XiaZaiQi& panel,
                         TcpClient& infoSocket, AnZhuangQi installers)
    : p_(platform),
      programs_(programs),
      settings_(settings),
      panel_(panel),
      info_(infoSocket, platform.codePage),
      installers_(std::move(installers)) {
    panel_.SetStartAction([this] { cmdStart(); });
    panel_.SetInstallStep([this](const std::string& file) { Complete(file); });
}

void XiaZaiRenWu::Message(const std::string& text, const std::string& title) {
    p_.dialogs.ShowMessage(text, title, MessageButtons::Ok);
}

bool XiaZaiRenWu::CanShu(const std::string& id, const std::string& type) {
    if (Fetching() || panel_.Busy()) {
        Message(kBusyMessage, "提示");
        return false;
    }
    if (type == kTypeResource && !ZiYuanIdHeFa(id)) {
        Message(ZiYuanCuoWuTiShi(), "错误");
        return false;
    }
    ++generation_;
    job_ = RenWu{};
    job_.type = type;
    if (type == kTypeResource) {
        job_.id = id;
    } else {
        job_.address = AnZhuangBaoDiZhi(p_);
        job_.paths.downloadFile = ChengXuLuJing(p_, "\\安装包.exe");
        panel_.SetDest(job_.paths.downloadFile);
        panel_.SetSource(job_.address);
    }
    panel_.SetPrompt(kPromptReady);
    panel_.SetStartEnabled(true);
    return true;
}

void XiaZaiRenWu::cmdStart() {
    if (Fetching() || panel_.Busy()) return;
    if (job_.type == kTypeResource) {
        HuoQuXinXi(ZiYuanXinXiDiZhi(p_, job_.id));
    } else if (job_.type == kTypeSoftware) {
        if (panel_.controls().source.empty()) {
            Message("请选择资源后进行下载!", "错误");
            return;
        }
        StartDownload();
    }
}

void XiaZaiRenWu::HuoQuXinXi(const std::string& address) {
    // A second press while the answer is awaited would start a second job inside the first.
    panel_.SetStartEnabled(false);
    fetchSeconds_ = 0;
    panel_.SetFetchTimer(true);
    info_.Start(address, [this](const std::optional<std::string>& body) { Answered(body); });
}

void XiaZaiRenWu::FetchTimerTick() {
    if (!Fetching() || ++fetchSeconds_ < kFetchSeconds) return;
    info_.Cancel();
    Answered(std::nullopt);
}

void XiaZaiRenWu::Answered(const std::optional<std::string>& body) {
    panel_.SetFetchTimer(false);
    if (!body) {
        // The job stays prepared: the same press may work once the service answers.
        Message("网络连接不正常,请查看宽带是否连接!", "提示");
        panel_.SetStartEnabled(true);
        return;
    }
    const ZiYuanMiaoShu answer = JieXiZiYuanMiaoShu(*body);
    const std::optional<ZiYuanLuJing> paths = ZiYuanLuJingBiao(p_, answer);
    if (!paths) {
        Message(ZiYuanCuoWuTiShi(), "错误");
        panel_.SetSource("");
        BackToIdle();
        job_ = RenWu{};
        return;
    }
    job_.answer = ZiYuanMiaoShu{answer.kind, TrimBlanks(answer.category), TrimBlanks(answer.name),
                                TrimBlanks(answer.address)};
    job_.address = WanZhengDiZhi(p_, job_.answer.address);
    job_.paths = *paths;
    panel_.SetSource(job_.address);
    panel_.SetDest(job_.paths.downloadFile);
    const std::string folder = job_.paths.downloadFile.substr(0, job_.paths.downloadFile.find_last_of('\\') + 1);
    if (!DirectoryExists(p_.files, folder)) p_.files.CreateDirectories(folder);
    if (panel_.controls().source.empty()) {
        Message("请选择资源后进行下载!", "错误");
        return;
    }
    StartDownload();
}

void XiaZaiRenWu::StartDownload() {
    panel_.SetRateTimer(true);
    panel_.SetPrompt(kPromptDownloading);
    panel_.XiaZai();
}

void XiaZaiRenWu::BackToIdle() {
    panel_.SetStatus(kStatusIdle);
    panel_.SetPrompt(kPromptIdle);
}

void XiaZaiRenWu::Complete(const std::string& file) {
    if (job_.type == kTypeSoftware) {
        // The program ends only once its successor really runs.
        if (programs_.Start(file, kShowMinimized)) {
            if (endProgram_) endProgram_();
            return;
        }
        Message("安装程序无法运行，请稍后重试！", "错误");
        BackToIdle();
        return;
    }
    if (job_.type != kTypeResource) return;
    if (!job_.paths.package) {
        // A wallpaper is installed at once, whatever the automatic installation says.
        const std::string weiZhi = position_ ? position_() : std::string();
        if (installers_.anZhuangBiZhi) installers_.anZhuangBiZhi(p_, weiZhi, file);
        BackToIdle();
        return;
    }
    std::unique_ptr<StartedProgram> program = programs_.Start(file, kShowMinimized);
    if (!program) {
        Message("资源安装包无法运行，已保存在：" + file, "错误");
        BackToIdle();
        return;
    }
    KanShou watch;
    watch.answer = job_.answer;
    watch.paths = job_.paths;
    watch.paths.downloadFile = file;
    watch.program = std::move(program);
    watch.generation = generation_;
    watches_.push_back(std::move(watch));
    panel_.SetWatcher(true);
}

bool XiaZaiRenWu::CheckApplicationIsRun(const std::string& szExeFileName) {
    const auto running = programs_.RunningExecutables();
    if (!running) return false;
    return std::any_of(running->begin(), running->end(),
                       [&](const std::string& name) { return EqualsIgnoreAsciiCase(name, szExeFileName); });
}

void XiaZaiRenWu::PanDuanShiFangTick() {
    // The finished watches leave the list before anything is shown or installed: the timer keeps
    // ticking while a message box or an installer runs, and those ticks must not see them again.
    std::vector<KanShou> finished;
    for (auto it = watches_.begin(); it != watches_.end();) {
        if ((it->program && it->program->Running()) || CheckApplicationIsRun(it->answer.name + ".exe")) {
            ++it;
            continue;
        }
        finished.push_back(std::move(*it));
        it = watches_.erase(it);
    }
    if (watches_.empty()) panel_.SetWatcher(false);
    for (KanShou& w : finished) {
        w.program.reset();
        if (!DirectoryExists(p_.files, w.paths.watchedFolder)) {
            // Ended without unpacking: nothing to install, the package stays for a look.
            Message(ZiYuanCuoWuTiShi(), "错误");
        } else if (settings_.XiaZaiAnZhuang) {
            Install(w);
            p_.files.Remove(w.paths.downloadFile);
        }
        // A newer job owns the prompt once it has been prepared.
        if (w.generation == generation_ && !Fetching() && !panel_.Busy()) BackToIdle();
    }
}

void XiaZaiRenWu::Install(const KanShou& w) {
    const std::string& kind = w.answer.kind;
    const std::string& path = w.paths.installPath;
    if (kind == "系统图标") {
        const std::string system = PanDuanXiTong(p_);
        if (system == kWindowsXP && installers_.xpTuBiaoAz) installers_.xpTuBiaoAz(p_, path);
        if (system == kWindows7 && installers_.win7TuBiaoAz) installers_.win7TuBiaoAz(p_, path);
    } else if (kind == "鼠标指针") {
        if (installers_.sheZhi) installers_.sheZhi(p_, path);
    } else if (kind == "启动界面") {
        if (installers_.xiaZaiAZJieMian) installers_.xiaZaiAZJieMian(p_, path);
    }
    // Themes are unpacked only; the management centre applies them.
}

}  // namespace velmora::download
