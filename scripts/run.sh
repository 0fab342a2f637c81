#!/usr/bin/env bash
# Builds what is needed and starts Velmora under Wine against the bundled demo resource service.
#   --winxp / --win7   the Windows version Wine reports (default: Windows 7)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
winver=win7
for arg in "$@"; do
    case "$arg" in
        --winxp|--xp) winver=winxp ;;
        --win7) winver=win7 ;;
        *) echo "usage: $0 [--winxp|--win7]" >&2; exit 2 ;;
    esac
done
bash scripts/install-deps.sh
cmake -S . -B build/x86_64 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
cmake --build build/x86_64 -j"$(nproc)" --target Velmora velmora-package-stub

export VELMORA_WINVER=$winver
source scripts/wine-env.sh
velmora_start_display reuse
velmora_prepare_prefix

service_pid=
if [ -f tools/demo-service/server.py ]; then
    port=${VELMORA_DEMO_PORT:-8765}
    python3 tools/demo-service/server.py --port "$port" >build/demo-service.log 2>&1 &
    service_pid=$!
    export VELMORA_SERVICE_HOST="127.0.0.1:$port"
    echo "demo resource service on http://$VELMORA_SERVICE_HOST/ (log: build/demo-service.log)"
fi
cleanup() {
    [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null || true
    velmora_stop_display
}
trap cleanup EXIT

echo "starting Velmora ($winver) on display $DISPLAY"
cd dist/x86_64
wine Velmora.exe
