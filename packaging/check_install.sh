#!/bin/sh
# The installed program, as a package would lay it out: installs the build
# into a temporary DESTDIR, checks the layout, the menu entries, the AppStream
# file and the manual pages, then starts the installed desk offscreen for a
# user with an empty home and finds the user's databases made on first run.
# Usage: check_install.sh BUILD_FOLDER
set -eu
build=$1
work=$(mktemp -d)
desk=""
cleanup() {
    [ -n "$desk" ] && kill "$desk" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

root=$work/root
usr=$root/usr
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null

programs="AQGalaRec AQAnnounce aqgalarec-export online_feeder"
[ -x "$usr/bin/aqgalarec-live" ] && programs="$programs aqgalarec-live"
databases="gala_record.mdb demo_gala.mdb announcer.mdb online_times.mdb demo_online.mdb"
for p in $programs; do
    [ -x "$usr/bin/$p" ] || fail "program $p not installed"
    [ -f "$usr/share/man/man1/$p.1.gz" ] || fail "no manual page for $p"
done
for d in $databases; do
    [ -f "$usr/share/aqgalarec/$d" ] || fail "database $d not installed"
done
for f in applications/org.aquaplan.AQGalaRec.desktop applications/org.aquaplan.AQAnnounce.desktop \
         icons/hicolor/scalable/apps/aqgalarec.svg metainfo/org.aquaplan.AQGalaRec.metainfo.xml \
         doc/aqgalarec/copyright doc/aqgalarec/changelog.gz; do
    [ -f "$usr/share/$f" ] || fail "$f not installed"
done
# Nothing but the package's own folders under the prefix.
extra=$(cd "$usr" && find . -mindepth 2 -maxdepth 2 | sort | grep -v -x -e ./bin/.* \
    -e ./share/applications -e ./share/aqgalarec -e ./share/doc -e ./share/icons \
    -e ./share/man -e ./share/metainfo || true)
[ -z "$extra" ] || fail "unexpected files installed: $extra"

out=$(desktop-file-validate "$usr"/share/applications/*.desktop 2>&1) || fail "desktop entries: $out"
[ -z "$out" ] || fail "desktop entries: $out"
appstreamcli validate --no-net "$usr/share/metainfo/org.aquaplan.AQGalaRec.metainfo.xml" >"$work/as" 2>&1 ||
    fail "AppStream: $(cat "$work/as")"
for page in "$usr"/share/man/man1/*.1.gz; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$out" ] || fail "$(basename "$page"): $out"
done

# The first start of the installed desk, for a user who never ran it.
home=$work/home
mkdir -p "$home"
(cd "$usr" && find . -type f -exec md5sum {} + | sort) >"$work/before"
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
    "$usr/bin/AQGalaRec" >"$work/desk.log" 2>&1 &
desk=$!
data=$home/.local/share/aqgalarec
tries=0
until [ -f "$data/demo_online.mdb" ]; do
    tries=$((tries + 1))
    [ $tries -le 100 ] || fail "no databases in $data after 10 s: $(ls -A "$data" 2>&1; cat "$work/desk.log")"
    kill -0 $desk 2>/dev/null || fail "the installed desk ended: $(cat "$work/desk.log")"
    sleep 0.1
done
for d in $databases; do
    cmp -s "$usr/share/aqgalarec/$d" "$data/$d" || fail "$d in $data is not the installed one"
done
kill $desk
wait $desk 2>/dev/null || true
desk=""
# The user's copy of the demonstration gala is one the installed commands read.
"$usr/bin/aqgalarec-export" --db "$data/demo_gala.mdb" --code DEMO --date 12/10/26 \
    --web "$work/results.htm" >"$work/export.log" 2>&1 || fail "export: $(cat "$work/export.log")"
grep -q Harbourside "$work/results.htm" || fail "the exported page lacks the demonstration teams"
(cd "$usr" && find . -type f -exec md5sum {} + | sort) >"$work/after"
cmp -s "$work/before" "$work/after" || fail "the installed program wrote into its install folders"
echo "installed layout, menu entries, metadata, manual pages and first run all fine"
