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
cleanup() {
    [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null || true
    velmora_stop_display
}
trap cleanup EXIT
# A free loopback port unless one is asked for; the program starts only once the service answers.
port=${VELMORA_DEMO_PORT:-$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')}
python3 tools/demo-service/server.py --port "$port" >build/demo-service.log 2>&1 &
service_pid=$!
for _ in $(seq 100); do
    curl -fs -o /dev/null "http://127.0.0.1:$port/index.php?cate=12" && break
    kill -0 "$service_pid" 2>/dev/null || break
    sleep 0.1
done
if ! curl -fs -o /dev/null "http://127.0.0.1:$port/index.php?cate=12"; then
    echo "the demo resource service did not answer on port $port; its log:" >&2
    cat build/demo-service.log >&2
    exit 1
fi
export VELMORA_SERVICE_HOST="127.0.0.1:$port"
echo "demo resource service on http://$VELMORA_SERVICE_HOST/ (log: build/demo-service.log)"
echo "starting Velmora ($winver) on display $DISPLAY"
cat <<EOF
Under Wine the online pages stay blank (there is no HTML engine). Hand the program a resource
link instead, from a second terminal, then press "下载" in the panel:
    cd $root/dist/x86_64 && LC_ALL=$LC_ALL WINEPREFIX=$WINEPREFIX DISPLAY=$DISPLAY wine Velmora.exe velmora://resource/<id>
The demo service's ids: 1201-1206 wallpapers, 1301-1302 XP themes, 1401-1402 Windows 7 themes,
1501-1503 mouse pointers, 1601-1602 icon sets, 1701-1702 logon screens (XP only); 9901 and 9902
are faulty on purpose.
EOF
cd dist/x86_64
wine Velmora.exe
