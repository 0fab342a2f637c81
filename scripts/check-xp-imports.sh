#!/usr/bin/env bash
# The release must start on Windows XP SP3: no executable or library may import a function that
# XP does not have (such calls are loaded at run time with a fallback instead).
set -euo pipefail
dir=${1:-dist/i686}
# Functions that came with Windows Vista or later, among those a program like this might use.
newer='GetTickCount64|InitializeSRWLock|AcquireSRWLock|ReleaseSRWLock|InitializeConditionVariable|SleepConditionVariable|WakeConditionVariable|WakeAllConditionVariable|InitOnceExecuteOnce|InitOnceBeginInitialize|CreateSymbolicLink|GetFinalPathNameByHandle|GetFileInformationByHandleEx|SetFileInformationByHandle|CancelIoEx|QueryFullProcessImageName|GetErrorMode|RegDeleteKeyEx|RegGetValue|RegDeleteTree|RegSetKeyValue|RegCopyTree|SHGetKnownFolderPath|SHCreateItemFromParsingName|CompareStringEx|LocaleNameToLCID|LCIDToLocaleName|GetLocaleInfoEx|GetUserDefaultLocaleName|FlsAlloc|FlsFree|FlsGetValue|FlsSetValue|inet_pton|inet_ntop|InetPton|InetNtop|WSAPoll|if_nametoindex|GetDpiForWindow|SetProcessDpiAwareness|SetProcessDPIAware|DwmExtendFrameIntoClientArea|TaskDialog|ChangeWindowMessageFilter|Wow64DisableWow64FsRedirection|Wow64RevertWow64FsRedirection|IsWow64Process|CreateEventEx|CreateMutexEx|CreateSemaphoreEx|GetThreadId|GetProcessId|RaiseFailFastException|SetThreadErrorMode|K32|CloseThreadpool|CreateThreadpool|SubmitThreadpoolWork|TryAcquireSRWLock|GetCurrentProcessorNumber|GetNumaHighestNodeNumber|_wfopen_s|_localtime64_s|_gmtime64_s|_ctime64_s'
status=0
found=0
while IFS= read -r -d '' f; do
    found=1
    # Skip data files that only share an ending with libraries (the configuration file).
    head -c 2 "$f" | grep -q MZ || continue
    imports=$(i686-w64-mingw32-objdump -p "$f" | awk -F'\t' '/DLL Name:/{split($2, a, ": "); dll=a[2]}
              /^\t[0-9a-f]+\t/{n=split($3, b, " "); print dll ": " b[n]}')
    [ -n "$imports" ] || { echo "$f: no import table read" >&2; status=1; continue; }
    # Functions loaded at their first call count as much as those loaded with the program.
    delayed=$(python3 "$(dirname "$0")/delay-imports.py" "$f") || { echo "$f: delay imports not read" >&2; status=1; }
    case "$f" in
        */Velmora.exe)
            [ -n "$delayed" ] || { echo "$f: no delay imports read, yet the program has some" >&2; status=1; }
            # Each library loaded with the program is paid for before its window shows (one
            # static link to the file dialogs once pulled in the shell and its companions).
            early=$(cut -d: -f1 <<<"$imports" | sort -fu | grep -viE '^(kernel32|user32|gdi32|advapi32|msvcrt)\.dll$' || true)
            if [ -n "$early" ]; then
                echo "$f loads these libraries with the program instead of at their first call (see cmake/DelayImports.cmake):" >&2
                echo "$early" >&2
                status=1
            fi
            ;;
    esac
    imports=$(printf '%s\n%s' "$imports" "$delayed")
    bad=$(grep -E ": ($newer)" <<<"$imports" || true)
    if [ -n "$bad" ]; then
        echo "$f imports functions that Windows XP does not have:" >&2
        echo "$bad" >&2
        status=1
    fi
done < <(find "$dir" \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.ocx' \) -print0)
[ "$found" -eq 1 ] || { echo "no executables under $dir" >&2; exit 1; }
# The program and the control libraries it ships must all have been checked.
for required in Velmora.exe Kelpo.dll Thumb.dll; do
    [ -f "$dir/$required" ] || { echo "$dir/$required is missing" >&2; status=1; }
done
[ "$status" -eq 0 ] && echo "XP import check: ok"
exit $status
