#!/usr/bin/env bash
# What a host developer does with a full build: install it into a temporary
# prefix, check the shared libraries (SONAME, hidden symbols), quindo-core.pc
# and the editor's desktop entry and icons, build examples/minimal-host
# against the installed package and run it offscreen against the installed
# quindo-sim until its tree shows the sample profiles, build a Designer form
# of the three widgets with AUTOUIC and run it offscreen without a language
# file, and a host of Quindo::Json; move the installed tree and run the tools from elsewhere; then build
# the .deb and check its contents and dependencies.
#   install_test.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "$1")
work=$(mktemp -d)
sim_pid=""
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(find "$prefix" -name 'libquindo-core.so.1' -printf '%h\n' | head -n1)
[ -n "$libdir" ] || fail "libquindo-core.so.1 not installed"
for lib in core widgets; do
  soname=$(readelf -d "$libdir/libquindo-$lib.so" | sed -n 's/.*SONAME.*\[\(.*\)\]/\1/p')
  [ "$soname" = "libquindo-$lib.so.1" ] || fail "libquindo-$lib.so has SONAME '$soname'"
done
exported=$(nm -DC --defined-only "$libdir/libquindo-core.so")
grep -q 'quindo::cProfile::LoadFromDisk' <<<"$exported" || fail "cProfile is not exported"
grep -q 'quindo::ActiveProfiles::ActiveProfiles' <<<"$exported" || fail "ActiveProfiles is not exported"
! grep -q 'quindo::ReadLeadingNumber' <<<"$exported" || fail "an internal helper is exported"
[ -f "$prefix/include/quindo/qt/active_profiles_widget.h" ] || fail "headers not under include/quindo"
[ -f "$prefix/share/quindo/language/english.txt" ] || fail "language file not installed"
for tool in quindo-sim quindo-client quindo-demo quindo-records; do
  [ -x "$prefix/bin/$tool" ] || fail "$tool not installed"
done
[ -n "$(find "$prefix" -path '*plugins/designer/libquindo-designer.so')" ] || fail "Designer plugin not installed"

# The editor in the desktop's menus: a valid entry and its icon in the theme.
desktop-file-validate "$prefix/share/applications/quindo-editor.desktop" ||
  fail "the editor's desktop entry does not validate"
icons=$prefix/share/icons/hicolor
[ -f "$icons/scalable/apps/quindo-editor.svg" ] || fail "the editor's SVG icon is not installed"
for size in 16 32 48 256; do
  png=$icons/${size}x$size/apps/quindo-editor.png
  # The PNG header's width, a 4-byte big-endian number at byte 16.
  width=$(od -An -tu1 -j16 -N4 "$png" 2>/dev/null | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
  [ "$width" = "$size" ] || fail "$png is not a ${size}-pixel PNG"
done

# The core through pkg-config, without CMake.
cat >"$work/core_host.cc" <<'CC'
#include <quindo/model/profile/profile.h>
#include <quindo/protocol/profile_message.h>
#include <cstdio>
#include <memory>
int main() {
  quindo::cProfile profile;
  profile.SetName("Night");
  profile.m_TimeSchedule = std::make_shared<quindo::cTimeSchedule>();
  std::printf("%zu\n", quindo::ComposeProfileMessage(profile).size());
}
CC
# shellcheck disable=SC2046
g++ "$work/core_host.cc" -o "$work/core_host" \
  $(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs quindo-core) -Wl,-rpath,"$libdir"
"$work/core_host" >/dev/null || fail "a program built with pkg-config did not run"

# The example, against the installed package only.
cmake -S examples/minimal-host -B "$work/example" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/example" >/dev/null
"$prefix/bin/quindo-sim" --port 0 --sample 12 </dev/null >"$work/sim.log" 2>&1 &
sim_pid=$!
port=""
for _ in $(seq 100); do
  port=$(awk '/^listening/ { print $3; exit }' "$work/sim.log")
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || fail "quindo-sim did not start: $(cat "$work/sim.log")"
tree=$(QT_QPA_PLATFORM=offscreen "$work/example/minimal-host" 127.0.0.1 "$port" --expect 12) ||
  fail "the example's tree did not fill"
[ "$(wc -l <<<"$tree")" -eq 12 ] || fail "the example shows: $tree"
kill "$sim_pid"
sim_pid=""

# A Designer form with the three widgets, the control's server set in the
# form, through uic: every widget gets its width and the texts are English
# without a language file.
cmake -S tests/package/designer_form -B "$work/form" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/form" >"$work/form.log" 2>&1 || fail "the Designer form did not build: $(cat "$work/form.log")"
form=$(cd "$work" && QT_QPA_PLATFORM=offscreen "$work/form/designer-form") ||
  fail "the Designer form: $form"
grep -qx "headers Mon Tue Wed Thu Fri Sat Sun" <<<"$form" || fail "the Designer form shows: $form"

# The records as JSON from the installed Quindo::Json, in a host of its own;
# the library exports its API and keeps its helpers inside.
[ "$(readelf -d "$libdir/libquindo-json.so" | sed -n 's/.*SONAME.*\[\(.*\)\]/\1/p')" = libquindo-json.so.1 ] ||
  fail "libquindo-json.so has no SONAME libquindo-json.so.1"
json_exported=$(nm -DC --defined-only "$libdir/libquindo-json.so")
grep -q 'quindo::ProfileFromJson' <<<"$json_exported" || fail "ProfileFromJson is not exported"
! grep -q 'quindo::ForEachMember' <<<"$json_exported" || fail "a JSON helper is exported"
cmake -S tests/package/json-host -B "$work/json-host" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/json-host" >/dev/null
json=$(echo '{"Name": "Night", "Enabled": true}' | "$work/json-host/json-host") || fail "the JSON host did not run"
grep -q '"Name":"Night","Enabled":-1,' <<<"$json" || fail "the JSON host wrote: $json"
[ -f "$prefix/share/bash-completion/completions/quindo-records" ] || fail "the bash completion is not installed"

# Relocatable: no path of the source tree is compiled into the tools; the
# installed tree, moved and run from another folder, finds its own texts,
# and QUINDO_DATA_DIR names another folder of them.
for tool in "$prefix"/bin/*; do
  ! grep -qF "$PWD/data" "$tool" || fail "$tool holds a path of the source tree"
done
moved=$work/moved
mv "$prefix" "$moved"
mkdir -p "$work/elsewhere/data/Profiles"
# The message of removing a profile, which quindo-records takes from its texts.
removed_message() (
  cd "$work/elsewhere"
  echo '{"DiskIdentity": 42, "Name": "Night"}' | "$moved/bin/quindo-records" profile put --data-dir data >/dev/null
  "$moved/bin/quindo-records" profile remove 42 --data-dir data 2>&1 >/dev/null
)
[ "$(removed_message)" = "Removed profile 'Night' data/Profiles/Profile_0042.dat" ] ||
  fail "the moved quindo-records did not load its texts: $(removed_message)"
editor=$(cd "$work/elsewhere" && QT_QPA_PLATFORM=offscreen "$moved/bin/quindo-editor" --quit-after 0 2>&1)
grep -qx "language $moved/share/quindo/language/english.txt" <<<"$editor" ||
  fail "the moved quindo-editor did not load its texts: $editor"
mkdir -p "$work/texts/language"
sed 's/^981\t.*/981\tProfile gone:/' "$moved/share/quindo/language/english.txt" >"$work/texts/language/english.txt"
export QUINDO_DATA_DIR=$work/texts
[ "$(removed_message)" = "Profile gone: 'Night' data/Profiles/Profile_0042.dat" ] ||
  fail "quindo-records did not take QUINDO_DATA_DIR's texts: $(removed_message)"
editor=$(cd "$work/elsewhere" && QT_QPA_PLATFORM=offscreen "$moved/bin/quindo-editor" --quit-after 0 2>&1)
grep -qx "language $work/texts/language/english.txt" <<<"$editor" ||
  fail "quindo-editor did not take QUINDO_DATA_DIR's texts: $editor"
unset QUINDO_DATA_DIR

# The .deb: libraries, headers, tools, language file, plugin, dependencies.
(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) || fail "cpack failed: $(cat "$work/cpack.log")"
deb=$(find "$work/deb" -name 'quindo-profiles_*.deb' | head -n1)
[ -n "$deb" ] || fail "no .deb built"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/lib/libquindo-core.so.1 ./usr/lib/libquindo-widgets.so.1 \
    ./usr/include/quindo/qt/active_profiles_widget.h ./usr/bin/quindo-records \
    ./usr/share/quindo/language/english.txt /qt6/plugins/designer/libquindo-designer.so \
    ./usr/lib/pkgconfig/quindo-core.pc ./usr/lib/cmake/QuindoProfiles/QuindoProfilesConfig.cmake \
    ./usr/share/applications/quindo-editor.desktop ./usr/share/icons/hicolor/scalable/apps/quindo-editor.svg \
    ./usr/share/icons/hicolor/48x48/apps/quindo-editor.png; do
  grep -qF "$path" <<<"$contents" || fail "the .deb lacks $path"
done
for path in ./usr/lib/libquindo-json.so.1 ./usr/include/quindo/json/profile_json.h \
    ./usr/share/bash-completion/completions/quindo-records; do
  grep -qF "$path" <<<"$contents" || fail "the .deb lacks $path"
done
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libc6 libstdc++6 libqt6widgets6 libqt6network6; do
  grep -q "$dep" <<<"$depends" || fail "the .deb does not depend on $dep: $depends"
done
echo "package: install, pkg-config, example and .deb checks passed"
