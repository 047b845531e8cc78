#!/usr/bin/env bash
# End-to-end discovery inside network namespaces of its own:
#   - namespace P: the program's discovery (trov_discovery_probe.exe) under
#     Wine, with its own wineserver and its own copy of the Wine prefix, and
#     a 255.255.255.255/32 route on its interface;
#   - namespace C: simulated controllers (the native trov_sim_controller);
#   - a veth pair between them with addresses of 198.18.0.0/15 (the range
#     kept for network tests) that exist only inside the two namespaces.
# The probe goes out by broadcast, the controllers answer, and the machines
# discovered with their fields are checked; then each machine's Identify
# command goes out by the same broadcast and reaches the controllers.
# Then the burst: the main window (the discovery burst test of app_tests.exe)
# refreshes, and 20 controllers answer every probe while 300 more answer the
# first one and the one after 1,000 refreshes all at once; no reply may be
# lost, and the answer and row times are printed.  The namespaces and the
# prefix copy are removed afterwards, also on failure.
#
# Exit status: 0 passed, 77 skipped (namespaces cannot be made here; the
# reason is printed), anything else failed.
#
#   tests/net/discovery-netns.sh [BUILD-NATIVE] [BUILD-WIN]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
native=${1:-$root/build/native}
win=${2:-$root/build/win}

skip() { echo "discovery-netns: SKIPPED: $*"; exit 77; }
fail() { echo "discovery-netns: FAILED: $*"; exit 1; }

sim="$native/tests/trov_sim_controller"
probe="$win/tests/trov_discovery_probe.exe"
app_tests="$win/tests/app_tests.exe"
prefix="${WINEPREFIX:-$root/build/wineprefix}"
[ -x "$sim" ] || fail "$sim is not built"
[ -f "$probe" ] || fail "$probe is not built"
[ -f "$app_tests" ] || fail "$app_tests is not built"
[ -f "$prefix/.trov-ready" ] || fail "the Wine prefix $prefix is not made (scripts/wine-prefix start)"
command -v ip >/dev/null || skip "the ip command (iproute2) is missing"
[ "$(id -u)" -eq 0 ] || skip "network namespaces need root (running as uid $(id -u))"

tag="trov$$"
ns_prog="$tag-p"
ns_ctl="$tag-c"
work=$(mktemp -d "$root/build/netns-XXXXXX") || fail "no work folder"
sim_pid=""

cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
    # The namespace's own wineserver ends with its prefix copy.
    if [ -d "$work/prefix" ]; then
        WINEPREFIX="$work/prefix" ip netns exec "$ns_prog" wineserver -k >/dev/null 2>&1
    fi
    ip netns del "$ns_prog" 2>/dev/null
    ip netns del "$ns_ctl" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

ip netns add "$ns_prog" 2>"$work/err" || skip "cannot create a network namespace: $(cat "$work/err")"
ip netns add "$ns_ctl" 2>"$work/err" || fail "cannot create the second namespace: $(cat "$work/err")"

net=198.18.213
prog_ip=$net.1
in_p() { ip netns exec "$ns_prog" "$@"; }
in_c() { ip netns exec "$ns_ctl" "$@"; }
# The pair is made inside P, its far end moved straight into C: it never
# exists in the machine's own namespace.
in_p ip link add veth-p type veth peer name veth-c netns "$ns_ctl" || fail "cannot create the veth pair"
in_p ip addr add "$prog_ip/24" dev veth-p || fail "address of P"
for last in 11 12 13; do
    in_c ip addr add "$net.$last/24" dev veth-c || fail "address $net.$last"
done
for ns in "$ns_prog" "$ns_ctl"; do
    ip netns exec "$ns" ip link set lo up
done
in_p ip link set veth-p up || fail "veth-p up"
in_c ip link set veth-c up || fail "veth-c up"
# The direct limited-broadcast route that Windows has per interface.
in_p ip route add 255.255.255.255/32 dev veth-p src "$prog_ip" || fail "broadcast route"

# Three controllers: two answering on their first interface, one on its
# second; one RPI board and one K420.
outside=$(stat -L -c %i /proc/self/ns/net)
# Started without a shell function in between, so that $! is the program
# itself (ip netns exec replaces itself by it).
ip netns exec "$ns_ctl" "$sim" --netns --outside-netns "$outside" --listen 0.0.0.0 --seconds 60 \
    --controller "ip=$net.11,mac=00:50:C2:00:00:11,host=Mixer-1,config=plant.lmx,setup=Night,appversion=2v1r4,version=4v2r11-b3,altera=HW 1.2 SW 3.4,gateway=$net.254" \
    --controller "ip=10.99.0.12,if=2,if2ip=$net.12,if2mask=255.255.255.0,mac=00:50:C2:00:00:12,host=Press-2,version=4v0r1-x,board=RPI,ident=1" \
    --controller "ip=$net.13,if=-,mac=00:50:C2:00:00:13,host=Dryer-3,board=K420,version=3v9r0-a,altera=HW 2.0 SW 1.1" \
    >"$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do
    grep -q '^ready' "$work/sim.log" 2>/dev/null && break
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.1
done
grep -q '^ready 3' "$work/sim.log" || fail "controllers did not start: $(cat "$work/sim.log")"

# A copy of the Wine prefix of its own: hard links for the files Wine only
# reads, real copies of the registry files it rewrites.
cp -al "$prefix" "$work/prefix" 2>/dev/null || cp -a "$prefix" "$work/prefix" || fail "cannot copy the Wine prefix"
(cd "$prefix" && for f in *.reg .update-timestamp drive_c/windows/*.ini; do
    [ -f "$f" ] && cp --remove-destination "$f" "$work/prefix/$f"
done)
rm -f "$work"/prefix/wineserver.log

out="$work/probe.out"
WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    timeout 120 ip netns exec "$ns_prog" wine "$probe" "$prog_ip" 4 identify >"$out" 2>"$work/probe.err" </dev/null
status=$?
WINEPREFIX="$work/prefix" ip netns exec "$ns_prog" wineserver -k >/dev/null 2>&1
kill "$sim_pid" 2>/dev/null
wait "$sim_pid" 2>/dev/null
sim_pid=""
tr -d '\r' <"$out" >"$out.txt"
echo "--- program"
cat "$out.txt"
echo "--- controllers"
cat "$work/sim.log"
[ "$status" -eq 0 ] || fail "the probe program ended with $status: $(tail -5 "$work/probe.err")"

expect() { grep -qF -- "$1" "$out.txt" || fail "missing in the program's output: $1"; }
expect "log: Broadcasting..."
grep -qE "^log: Interface [0-9.]+ : Broadcast ok$" "$out.txt" || fail "no route reported Broadcast ok"
expect "machines: 3"
expect "machine $net.11 mac=00:50:C2:00:00:11 if=1 host=Mixer-1 config=plant.lmx setup=Night appversion=2v1r4 firmware=4v2r11-b3 io=HW 1.2 SW 3.4 board=0 if1=Static/$net.11/255.255.255.0/$net.254 if2=// state=2 local=1 blink=0"
expect "machine $net.12 mac=00:50:C2:00:00:12 if=2 host=Press-2 config= setup= appversion= firmware=[RPI] 4v0r1-x io= board=5394505 if1=Static/10.99.0.12/255.255.255.0/ if2=/$net.12/255.255.255.0 state=2 local=1 blink=59"
expect "machine $net.13 mac=00:50:C2:00:00:13 if=1 host=Dryer-3 config= setup= appversion= firmware=3v9r0-a io=HW 2.0 SW 1.1 board=420"
[ "$(grep -c ': 1 probes, 1 replies, 3 commands' "$work/sim.log")" -eq 3 ] ||
    fail "each controller should have had one probe, sent one reply and received the three Identify commands"
for id in 11 12 13; do
    [ "$(grep -c "command Identify for 00:50:C2:00:00:$id" "$work/sim.log")" -eq 3 ] ||
        fail "the Identify command for 00:50:C2:00:00:$id did not reach every controller"
done

# The burst.  Every regular controller replies from .11 with an address of
# its own in the text; the burst's 300 do the same from 198.19.x.y.
regular=20
burst=300
refreshes=${TROV_BURST_REFRESHES:-1000}
args=()
for i in $(seq 1 $regular); do
    args+=(--controller "ip=$net.$((100 + i)),from=$net.11,mac=00:50:C2:00:01:$(printf %02X "$i"),host=Cell-$i")
done
ip netns exec "$ns_ctl" "$sim" --netns --outside-netns "$outside" --listen 0.0.0.0 --seconds 900 "${args[@]}" \
    --burst "$burst" --burst-from "$net.11" --burst-net 198.19 --burst-on "1,$((refreshes + 2))" \
    >"$work/burst-sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do
    grep -q '^ready' "$work/burst-sim.log" 2>/dev/null && break
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.1
done
grep -q "^ready $regular" "$work/burst-sim.log" || fail "burst controllers did not start: $(cat "$work/burst-sim.log")"
TROV_BURST_ADAPTER="$prog_ip" TROV_BURST_SIM_LOG="$work/burst-sim.log" TROV_BURST_REGULAR=$regular \
    TROV_BURST_COUNT=$burst TROV_BURST_REFRESHES=$refreshes \
    WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    timeout 600 ip netns exec "$ns_prog" wine "$app_tests" --gtest_filter='DiscoveryBurstNamespaceTest.*' \
    >"$work/burst.out" 2>&1 </dev/null
status=$?
WINEPREFIX="$work/prefix" ip netns exec "$ns_prog" wineserver -k >/dev/null 2>&1
kill "$sim_pid" 2>/dev/null
wait "$sim_pid" 2>/dev/null
sim_pid=""
echo "--- burst"
tr -d '\r' <"$work/burst.out" | grep -E "burst|OK|FAILED|PASSED|SKIPPED|Failure|error|rows" | head -40
grep -E "^burst" "$work/burst-sim.log"
[ "$status" -eq 0 ] || fail "the burst test ended with $status"
tr -d '\r' <"$work/burst.out" | grep -q "\[  PASSED  \] 1 test" || fail "the burst test did not run"
echo "discovery-netns: PASSED"
exit 0
