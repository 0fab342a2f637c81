#pragma once
// Where the logon screen lives: the Windows XP logon program and its registration, the
// Windows 7 OEM background and its switch, the template library and the user's own picture.
#include <string>

#include "platform/Platform.h"

namespace velmora {

// The program Windows XP starts as its logon interface (a string value).
inline const char* const kUIHost = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\UIHost";
// What Windows XP itself keeps there (an expandable string).
inline const char* const kUIHostXiTong = "logonui.exe";
// Windows 7 shows backgroundDefault.jpg of the background folder while this DWORD is 1.
inline const char* const kOEMBackground =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Authentication\\LogonUI\\Background\\"
    "OEMBackground";
inline const char* const kBeiJingWenJian = "backgroundDefault.jpg";
// LogonUI ignores a background larger than this.
inline constexpr size_t kBeiJingZuiDa = 256 * 1024;
// A file the program replaced is kept beside it under its name + this.
inline const char* const kBeiFenHouZhui = ".kelpo";

// Windows directory + "\LogonUI\" and the installed program there.
std::string DengLuMuLu(Platform& p);
std::string DengLuChengXu(Platform& p);
// The Windows 7 background folder under the Windows directory's System32, with a trailing
// backslash, and the background in it.
std::string BeiJingMuLu(Platform& p);
std::string BeiJingTuPian(Platform& p);

// Program directory + "\Download\启动界面\登陆界面\": the templates (N.jpg, N\N.exe).
std::string MoBanMuLu(Platform& p);
// The template program of a template name: folder + N + "\" + N + ".exe".
std::string MoBanChengXu(Platform& p, const std::string& name);
// The user's own picture as bitmap data: the template folder + "MyInterface.bmp".
std::string ZiDingYiTuPian(Platform& p);

}  // namespace velmora
