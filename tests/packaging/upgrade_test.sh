#!/usr/bin/env bash
# The Debian package: its content, an install into a scratch root, a learner's first start, and two
# upgrades (a new bank, then a school's own settings) that keep the learner's progress.
# Usage: upgrade_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(realpath "$(mktemp -d)")
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
expect() { [ "$2" = "$3" ] || fail "$1: expected [$3], got [$2]"; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log"; fail "cpack"; }
v1=$(ls "$work"/out/velmoor_*.deb)

# What the package holds and needs.
dpkg-deb -c "$v1" | awk '{print $6 $7 $8}' >"$work/content"
for path in ./usr/lib/velmoor/velmoor ./usr/lib/velmoor/velmoor-bank ./usr/lib/velmoor/data.db \
  ./usr/lib/velmoor/system.ini ./usr/lib/velmoor/shared ./usr/lib/velmoor/html/dtjq.html \
  './usr/bin/velmoor->../lib/velmoor/velmoor' ./usr/share/applications/org.example.velmoor.desktop \
  ./usr/share/metainfo/org.example.velmoor.metainfo.xml \
  ./usr/share/icons/hicolor/16x16/apps/velmoor.png ./usr/share/icons/hicolor/256x256/apps/velmoor.png; do
  grep -qxF "$path" "$work/content" || fail "package lacks $path"
done
depends=$(dpkg-deb -f "$v1" Depends)
for lib in libqt6widgets6 libsqlite3-0 libjpeg62-turbo libgif7 libcsv3 fonts-wqy-microhei; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
dpkg-deb -e "$v1" "$work/control"
grep -qxF /usr/lib/velmoor/data.db "$work/control/conffiles" || fail "data.db is no conffile"
dpkg-deb -x "$v1" "$work/files"
desktop-file-validate "$work/files/usr/share/applications/org.example.velmoor.desktop"
appstreamcli validate --no-net "$work/files/usr/share/metainfo/org.example.velmoor.metainfo.xml" >/dev/null

# A later version: the same package with a changed bank, one question reworded and one dropped.
repack() { # DIR VERSION OUT
  sed -i "s/^Version: .*/Version: $2/" "$1/DEBIAN/control"
  (cd "$1" && find usr -type f -exec md5sum {} + >DEBIAN/md5sums)
  dpkg-deb --root-owner-group -b "$1" "$3" >/dev/null
}
dpkg-deb -R "$v1" "$work/v2"
shipped=$work/v2/usr/lib/velmoor/data.db
first=$(sqlite3 "$shipped" "SELECT min(subid) FROM subject")
last=$(sqlite3 "$shipped" "SELECT max(subid) FROM subject")
questions=$(sqlite3 "$shipped" "SELECT count(*) FROM subject")
sqlite3 "$shipped" "UPDATE subject SET subtitle = '新题干' WHERE subid = $first;
  DELETE FROM options WHERE subid = $last; DELETE FROM subject WHERE subid = $last;"
repack "$work/v2" 1.0+bank "$work/v2.deb"

root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
install() {
  dpkg --root="$root" --log=/dev/null --force-depends --force-not-root -i "$1" >"$work/dpkg.log" 2>&1 || {
    cat "$work/dpkg.log"; fail "dpkg -i $1"; }
}

# Starts the installed program as the learner and stops it once it has the bank open: by then
# it has set up the learner's folder, and its three tables hold their own handles on data.db.
export XDG_DATA_HOME=$work/learner QT_QPA_PLATFORM=offscreen
own=$XDG_DATA_HOME/velmoor
start() {
  "$root/usr/bin/velmoor" >"$work/run.log" 2>&1 &
  pid=$!
  local tries=300
  until [ "$(find "/proc/$pid/fd" -lname "$own/data.db" 2>/dev/null | wc -l)" -ge 3 ]; do
    kill -0 "$pid" 2>/dev/null || { cat "$work/run.log"; fail "the program ended"; }
    tries=$((tries - 1))
    [ $tries -gt 0 ] || fail "the program did not open the learner's bank (an error box?)"
    sleep 0.1
  done
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=
  [ -s "$own/data.db" ] || fail "no data.db for the learner"
}
q() { sqlite3 "$own/data.db" "$1"; }

install "$v1"
start
expect "questions of a first start" "$(q "SELECT count(*) FROM subject")" "$questions"
picture=$(q "SELECT subpic FROM subject WHERE subpic LIKE '%.%' LIMIT 1")
cmp -s "$own/upload/$picture" "$root/usr/lib/velmoor/upload/$picture" || fail "pictures not shared"

# The learner's progress and settings.
q "UPDATE subject SET errorTimes = 3 WHERE subid = $first; INSERT INTO note (subid, optionid, isright) VALUES ($first, 1, 0);"
printf 'alltime=600\nmark=80\n' >"$own/system.ini"

install "$work/v2.deb"
start
expect "a reworded question and its counter" "$(q "SELECT subtitle || ':' || errorTimes FROM subject WHERE subid = $first")" "新题干:3"
expect "questions after the new bank" "$(q "SELECT count(*) FROM subject")" "$((questions - 1))"
expect "the paper" "$(q "SELECT subid || ':' || optionid FROM note")" "$first:1"
expect "the learner's settings" "$(cat "$own/system.ini")" $'alltime=600\nmark=80'

# The school sets its pass mark for everyone; the next upgrade keeps it.
printf 'alltime=2700\nmark=85\n' >"$root/usr/lib/velmoor/system.ini"
dpkg-deb -R "$work/v2.deb" "$work/v3"
repack "$work/v3" 1.0+school "$work/v3.deb"
install "$work/v3.deb"
expect "the school's settings after an upgrade" "$(cat "$root/usr/lib/velmoor/system.ini")" $'alltime=2700\nmark=85'
start
expect "the school's settings for the learner" "$(cat "$own/system.ini")" $'alltime=2700\nmark=85'
expect "the counter after two upgrades" "$(q "SELECT errorTimes FROM subject WHERE subid = $first")" 3
echo "package upgrade test passed"
