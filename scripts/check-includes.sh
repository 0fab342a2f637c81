#!/usr/bin/env bash
# Checks the one include direction of the sources:
#   platform/ <- core/, com/ <- ui/ <- installers/ <- download/, library/, toolbox/, settings/ <- shell/
#   kelpo/ and thumb/ use platform/ and com/ only.
# A folder may include from itself and from the folders it rests on, never from above or beside
# it. Test doubles (*/testing/) serve only tests (*/tests/, */fuzz/, tests/, bench/).
# Prints every offending include and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A below=(
    [platform]="platform"
    [core]="platform core"
    [com]="platform com"
    [ui]="platform core com ui"
    [installers]="platform core com ui installers"
    [download]="platform core com ui installers download"
    [library]="platform core com ui installers library"
    [toolbox]="platform core com ui installers toolbox"
    [settings]="platform core com ui installers settings"
    [shell]="platform core com ui installers download library toolbox settings shell"
    [kelpo]="platform com kelpo"
    [thumb]="platform com thumb"
)
# Folders that sit on top of everything: the Windows tests, benchmarks and tools.
free="tests bench tools"

bad=0
while IFS= read -r file; do
    top=${file%%/*}
    case " $free " in *" $top "*) continue ;; esac
    allowed=${below[$top]:-}
    [ -n "$allowed" ] || continue
    is_test=0
    case "/$file" in */tests/* | */testing/* | */fuzz/*) is_test=1 ;; esac
    while IFS= read -r hit; do
        line=${hit%%:*}
        target=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' <<<"${hit#*:}")
        [ -n "$target" ] || continue
        dep=${target%%/*}
        [ "$dep" != "$target" ] || continue          # a file beside it, by bare name
        [ -n "${below[$dep]:-}" ] || continue        # not one of the project's folders
        case "/$target" in
            */testing/*)
                if [ "$is_test" -eq 0 ]; then
                    echo "$file:$line: includes the test double \"$target\" outside a test" >&2
                    bad=1
                fi
                [ "$dep" = platform ] || [ "$dep" = ui ] || [ "$dep" = "$top" ] || {
                    echo "$file:$line: includes \"$target\" from $dep/, which $top/ does not rest on" >&2; bad=1; }
                continue ;;
        esac
        case " $allowed " in
            *" $dep "*) ;;
            *) echo "$file:$line: includes \"$target\": $top/ may use only ${allowed// /, }" >&2; bad=1 ;;
        esac
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"' "$file" || true)
done < <(git ls-files -co --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.c' '*.rc' '*.idl')

if [ "$bad" -ne 0 ]; then
    echo "include direction: FAILED (see the lines above)" >&2
    exit 1
fi
echo "include direction: ok"
