// Kelpo.dll registers itself through regsvr32 and removes every key it wrote again. The
// library is registered for the whole run of these tests (the other Kelpo tests need it) and
// unregistered at the end, where the registry must be as before.
#include <gtest/gtest.h>

#include <objbase.h>

#include "com/Registration.h"
#include "tests/wine/KelpoSupport.h"

namespace velmora::kelpotest {
namespace {

const wchar_t kClsid[] = L"{928692BC-A25F-4D35-911A-D141F716BEB7}";
const wchar_t kLibid[] = L"{C0BADCC3-10E8-495E-BD68-98489709F67D}";
const wchar_t kDefaultIid[] = L"{76307821-B1F4-407B-B868-9FBA3A528F50}";
const wchar_t kEventsIid[] = L"{FBC2020A-0BFE-414F-9A31-503737F868F2}";

std::vector<std::wstring> WrittenKeys() {
    return {L"ListBox.LeiBiao", std::wstring(L"CLSID\\") + kClsid, std::wstring(L"TypeLib\\") + kLibid,
            std::wstring(L"Interface\\") + kDefaultIid, std::wstring(L"Interface\\") + kEventsIid};
}

class KelpoRegistration : public ::testing::Environment {
public:
    void SetUp() override {
        for (const std::wstring& key : WrittenKeys())
            ASSERT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << "left over before the run";
        ASSERT_EQ(RunRegsvr32(L"/s"), 0) << "regsvr32 could not register Kelpo.dll";
    }
    void TearDown() override {
        EXPECT_EQ(RunRegsvr32(L"/s /u"), 0);
        for (const std::wstring& key : WrittenKeys())
            EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << "left behind after unregistering";
    }
};

::testing::Environment* const registration = ::testing::AddGlobalTestEnvironment(new KelpoRegistration);

bool SamePath(const std::wstring& a, const std::wstring& b) {
    auto strip = [](std::wstring s) { return s.rfind(L"\\\\?\\", 0) == 0 ? s.substr(4) : s; };
    return _wcsicmp(strip(a).c_str(), strip(b).c_str()) == 0;
}

void ExpectRegistered() {
    const std::wstring cls = std::wstring(L"CLSID\\") + kClsid;
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, L"ListBox.LeiBiao\\CLSID"), kClsid);
    EXPECT_TRUE(SamePath(DefaultValue(HKEY_CLASSES_ROOT, cls + L"\\InprocServer32"), KelpoDll()));
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, cls + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, cls + L"\\ProgID"), L"ListBox.LeiBiao");
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, cls + L"\\TypeLib"), kLibid);
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, cls + L"\\Control"));
    EXPECT_TRUE(SamePath(DefaultValue(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + kLibid + L"\\1.0\\0\\win64"),
                         KelpoDll()));
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, std::wstring(L"Interface\\") + kDefaultIid + L"\\TypeLib"), kLibid);
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(L"ListBox.LeiBiao", &clsid), S_OK);
}

TEST(KelpoRegistrationTest, Regsvr32RegistersAndUnregistersEveryKey) {
    ExpectRegistered();
    ASSERT_EQ(RunRegsvr32(L"/s /u"), 0);
    for (const std::wstring& key : WrittenKeys()) EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << key.c_str();
    EXPECT_EQ(RunRegsvr32(L"/s /u"), 0) << "unregistering twice is no error";
    ASSERT_EQ(RunRegsvr32(L"/s"), 0);
    ExpectRegistered();
}

TEST(KelpoRegistrationTest, AFailedRegistrationLeavesNothingBehind) {
    // This test program embeds no type library: registering a class from it fails at the end.
    com::ServerClass server;
    server.clsid = {0x6f1c2a10, 0x4b7e, 0x4d2a, {0x9e, 0x11, 0x3a, 0x52, 0x7c, 0x01, 0x00, 0x77}};
    server.progId = L"Velmora.HalfRegistered";
    server.description = L"half registered";
    server.typeLib = {0x6f1c2a10, 0x4b7e, 0x4d2a, {0x9e, 0x11, 0x3a, 0x52, 0x7c, 0x01, 0x00, 0x78}};
    server.control = true;
    EXPECT_TRUE(FAILED(com::RegisterServer(GetModuleHandleW(nullptr), server)));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Velmora.HalfRegistered"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + com::GuidText(server.clsid)));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + com::GuidText(server.typeLib)));
}

TEST(KelpoRegistrationTest, TheLibraryIsASelfRegisteringServer) {
    const std::wstring dll = KelpoDll();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(dll.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, size, info.data()));
    void* value = nullptr;
    UINT length = 0;
    EXPECT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404B0\\OLESelfRegister", &value, &length));
    HMODULE library = LoadLibraryW(dll.c_str());
    ASSERT_TRUE(library);
    for (const char* name : {"DllRegisterServer", "DllUnregisterServer", "DllGetClassObject", "DllCanUnloadNow"})
        EXPECT_TRUE(GetProcAddress(library, name)) << name;
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    ASSERT_TRUE(canUnload);
    EXPECT_EQ(canUnload(), S_OK) << "nothing of it is in use";
    FreeLibrary(library);
}

}  // namespace
}  // namespace velmora::kelpotest
