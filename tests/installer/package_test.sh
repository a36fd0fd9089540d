#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks its files, its
# dependencies and lintian, then starts the programs of the unpacked tree.
#   package_test.sh BUILD_DIR WORK_DIR WITH_INSPECTION(0|1)
set -euo pipefail
build="$1"
work="$2"
with_inspection="$3"

rm -rf "$work"
mkdir -p "$work/tmp" "$work/home"
if ! cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
deb="$(ls "$work"/*.deb)"

fail=0
listing="$(dpkg-deb -c "$deb" | awk '{print $6}')"
expected=(
  ./usr/bin/r7t ./usr/bin/orvel_r7t ./usr/lib/r7t/orvel_r7t/orvel_r7t
  ./usr/lib/r7t/orvel_r7t/help/index.html ./usr/share/man/man1/r7t.1.gz
  ./usr/share/applications/orvel_r7t.desktop ./usr/share/icons/hicolor/scalable/apps/orvel_r7t.svg
  ./usr/share/mime/packages/r7t.xml ./usr/share/doc/r7t/copyright ./usr/share/doc/r7t/changelog.gz
)
programs=(orvel_r7t)
if [ "$with_inspection" = 1 ]; then
  expected+=(./usr/bin/orvel_ctrl ./usr/lib/r7t/orvel_ctrl/orvel_ctrl
             ./usr/share/applications/orvel_ctrl.desktop ./usr/share/icons/hicolor/scalable/apps/orvel_ctrl.svg)
  programs+=(orvel_ctrl)
fi
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$listing" || { echo "missing from the package: $path"; fail=1; }
done

# The libraries come from the binaries.
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libc6 libqt6widgets6 libqt6svg6; do
  grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; fail=1; }
done

if ! lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1; then
  echo "lintian reports errors:"; cat "$work/lintian.log"; fail=1
fi

dpkg-deb -x "$deb" "$work/root"
# Each desktop entry opens the file type the package registers.
for entry in "$work"/root/usr/share/applications/*.desktop; do
  type="$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$entry")"
  grep -q "type=\"$type\"" "$work/root/usr/share/mime/packages/r7t.xml" ||
    { echo "$(basename "$entry") opens $type, which the package does not register"; fail=1; }
done

"$work/root/usr/bin/r7t" --help >/dev/null || { echo "r7t --help failed"; fail=1; }

# The windowed programs start (their libraries, plugins and help found) and
# end when asked. Their own temporary folder keeps them apart from any
# running instance.
for program in "${programs[@]}"; do
  HOME="$work/home" TMPDIR="$work/tmp" QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/$program" &
  pid=$!
  sleep 3
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || true
    echo "$program ended by itself at start"; fail=1; continue
  fi
  kill -TERM "$pid"
  status=0
  wait "$pid" || status=$?
  [ "$status" = 0 ] || [ "$status" = 143 ] || { echo "$program ended with $status"; fail=1; }
done
exit "$fail"
