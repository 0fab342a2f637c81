#pragma once
#include "platform/DesktopCalls.h"
#include "platform/Dialogs.h"
#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/IconFiles.h"
#include "platform/Pictures.h"
#include "platform/Processes.h"
#include "platform/ProfileStore.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace velmora {

// What the program needs of Windows, handed to the portable code. The Win32 build fills it
// with the real implementations, the native tests with the ones in platform/testing.
struct Platform {
    Registry& registry;
    ProfileStore& profile;
    FileSystem& files;
    Environment& environment;
    SystemInfo& system;
    Dialogs& dialogs;
    CodePage& codePage;
    Pictures& pictures;
    DesktopCalls& desktop;
    Drives& drives;
    Processes& processes;
    IconFiles& iconFiles;
};

}  // namespace velmora
