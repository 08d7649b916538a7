#!/usr/bin/env bash
# The Debian package, built by scripts/make-deb and looked at from outside: its files and control
# data, the unpacked tally tool with its PDF module, and the menu launcher. The package is only
# unpacked (dpkg-deb -x) into the work folder, never installed.
#
# usage: package_test.sh build|contents|tally|launcher SOURCE_DIR WORK_DIR VERSION [VELMORA_TALLY]
#   build      makes the package and unpacks it into WORK_DIR/root (the others need it)
#   contents   the file list, the control data, the desktop entry, AppStream data and manual pages
#   tally      the unpacked velmora-tally on the demo data, also with --pdf, against VELMORA_TALLY
#   launcher   the menu launcher picks and makes its folder
# Exits 77 (skipped) where dpkg-deb is missing.
set -euo pipefail
mode=$1
source_dir=$2
work=$3
version=$4
reference_tally=${5:-}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
command -v dpkg-deb >/dev/null || {
  echo "dpkg-deb is missing: no package to test"
  exit 77
}
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
root=$work/root

build() {
  local package
  # Nothing of an earlier run stays for the other tests to look at if this build fails.
  rm -rf "$work"
  package=$("$source_dir/scripts/make-deb" | tail -n1)
  echo "package: $package"
  [ "$(basename "$package")" = "velmora_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "unexpected package name $package"
  mkdir -p "$work"
  echo "$package" >"$work/package"
  dpkg-deb -x "$package" "$root"
}

package() {
  [ -f "$work/package" ] && [ -d "$root" ] || fail "no unpacked package: the build test failed"
  cat "$work/package"
}

contents() {
  local deb expected actual field
  deb=$(package)
  # Every file the package holds, and nothing else.
  expected=$(sort <<EOF
./usr/bin/velmora
./usr/bin/velmora-tally
./usr/lib/$multiarch/velmora/velmora-tally-pdf.so
./usr/libexec/velmora/velmora-desktop
./usr/share/applications/velmora.desktop
./usr/share/doc/velmora/changelog.gz
./usr/share/doc/velmora/copyright
./usr/share/doc/velmora/examples/VELMORA_CBANGO.TXT
./usr/share/doc/velmora/examples/VELMORA_SIMEI.TXT
./usr/share/doc/velmora/examples/nedan.txt
./usr/share/doc/velmora/examples/order.txt
./usr/share/icons/hicolor/scalable/apps/velmora.svg
./usr/share/man/man1/velmora-tally.1.gz
./usr/share/man/man1/velmora.1.gz
./usr/share/metainfo/org.example.velmora.metainfo.xml
./usr/share/velmora/VELMORA.hlp
EOF
)
  actual=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort)
  [ "$actual" = "$expected" ] || fail "file list differs:
$(diff <(echo "$expected") <(echo "$actual") || true)"
  # Programs executable by all, data files not executable, all owned by root.
  while read -r mode owner _ _ _ name; do
    [ "$owner" = "root/root" ] || fail "$name is owned by $owner"
    case $name in
      */) [ "$mode" = "drwxr-xr-x" ] || fail "$name is $mode" ;;
      ./usr/bin/* | ./usr/libexec/*/*) [ "$mode" = "-rwxr-xr-x" ] || fail "$name is $mode" ;;
      *) [ "$mode" = "-rw-r--r--" ] || fail "$name is $mode" ;;
    esac
  done < <(dpkg-deb --fsys-tarfile "$deb" | tar -tv)

  # Control data: the project's version, the run-time needs no link shows, library dependencies
  # found by dpkg-shlibdeps.
  [ "$(dpkg-deb -f "$deb" Package)" = velmora ] || fail "package name"
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version)"
  for field in Maintainer Section Priority Architecture; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "no $field"
  done
  local depends description
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  for need in "fonts-ipafont-gothic | fonts-noto-cjk" qt6-translations-l10n libc6 libqt6widgets6 \
    libqt6printsupport6; do
    grep -qF "$need" <<<"$depends" || fail "Depends lacks $need"
  done
  description=$(dpkg-deb -f "$deb" Description)
  [ "$(wc -l <<<"$description")" -ge 3 ] || fail "no long description: $description"

  # The desktop entry starts the launcher of the package and names its icon.
  local entry exec icon
  entry=$root/usr/share/applications/velmora.desktop
  exec=$(sed -n 's/^Exec=//p' "$entry")
  [ "$exec" = /usr/libexec/velmora/velmora-desktop ] || fail "Exec=$exec"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon named $icon"
  [ "$(sed -n 's/^TryExec=//p' "$entry")" = /usr/bin/velmora ] || fail "TryExec"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop-file-validate"
  fi
  local metainfo=$root/usr/share/metainfo/org.example.velmora.metainfo.xml
  grep -qF "<launchable type=\"desktop-id\">velmora.desktop</launchable>" "$metainfo" ||
    fail "the AppStream data do not launch velmora.desktop"
  grep -qF "<release version=\"$version\"" "$metainfo" || fail "no release $version"
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  fi
  grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ||
    fail "the icon is no SVG"

  # Debian's checks: no error (warnings and notes are printed here for the log).
  if command -v lintian >/dev/null; then
    lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports an error"
  fi

  # Manual pages: gzipped without a name or time stamp, read by man without a warning.
  local page
  for page in velmora velmora-tally; do
    local gz=$root/usr/share/man/man1/$page.1.gz
    gzip -t "$gz" || fail "$page.1.gz is no gzip file"
    [ "$(od -An -tx1 -j3 -N5 "$gz" | tr -d ' ')" = 0000000000 ] ||
      fail "$page.1.gz keeps a file name or time stamp"
    grep -q "^\.TH ${page^^} 1 .*\"velmora $version\"" <(zcat "$gz" | sed 's/\\-/-/g') ||
      fail "$page.1: no .TH line of version $version"
    if command -v man >/dev/null; then
      local warnings
      warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$gz" 2>&1 \
        >/dev/null)
      [ -z "$warnings" ] || fail "man warns about $page.1: $warnings"
    fi
  done
  # The tool's page covers every option of its --help.
  local option
  for option in $("$root/usr/bin/velmora-tally" --help | grep -o -- '--[a-z-]*' | sort -u); do
    zcat "$root/usr/share/man/man1/velmora-tally.1.gz" | grep -qF -- "${option//-/\\-}" ||
      fail "velmora-tally.1 does not mention $option"
  done
  echo "contents: ok"
}

tally() {
  package >/dev/null
  [ -n "$reference_tally" ] || fail "no reference velmora-tally"
  local demo=$work/tally-demo
  rm -rf "$demo"
  mkdir -p "$demo"
  cp "$root/usr/share/doc/velmora/examples/"* "$demo/"
  cd "$demo"
  local args expected actual
  for args in "--per-person order.txt" "--per-order order.txt" \
    "--encoding cp932 --price 80 --per-person --per-order order.txt"; do
    # shellcheck disable=SC2086 # the arguments are words
    expected=$("$reference_tally" $args)
    # shellcheck disable=SC2086
    actual=$("$root/usr/bin/velmora-tally" $args)
    [ -n "$actual" ] || fail "no output for $args"
    [ "$actual" = "$expected" ] || fail "velmora-tally $args differs from the build's:
$actual"
  done

  # The PDF module is loaded from the unpacked tree, found from where the program lies.
  local module=$root/usr/lib/$multiarch/velmora/velmora-tally-pdf.so
  LD_DEBUG=files LD_DEBUG_OUTPUT=$demo/ld "$root/usr/bin/velmora-tally" --per-order \
    --pdf tally.pdf order.txt >per-order.txt || fail "velmora-tally --pdf failed"
  grep -qF "file=$module " "$demo"/ld.* || fail "the PDF module was not loaded from $module:
$(grep -h 'velmora-tally-pdf' "$demo"/ld.* || true)"
  [ "$(head -c 5 tally.pdf)" = "%PDF-" ] || fail "tally.pdf is no PDF"
  if command -v pdftotext >/dev/null; then
    local text
    text=$(pdftotext tally.pdf -)
    grep -qF "ファイル名:$demo/order.txt" <<<"$text" || fail "the page lacks the file name: $text"
    grep -qF "$(tail -n1 per-order.txt)" <<<"$text" || fail "the page lacks the total line: $text"
  fi
  echo "tally: ok"
}

launcher() {
  package >/dev/null
  local scratch=$work/launcher
  rm -rf "$scratch"
  mkdir -p "$scratch"
  # The packaged launcher in a tree of its own, with a stand-in program that notes where it runs.
  local tree=$scratch/tree
  mkdir -p "$tree/usr/libexec/velmora" "$tree/usr/bin"
  cp "$root/usr/libexec/velmora/velmora-desktop" "$tree/usr/libexec/velmora/"
  printf '#!/bin/sh\npwd >"%s/started-in"\n' "$scratch" >"$tree/usr/bin/velmora"
  chmod +x "$tree/usr/bin/velmora"
  # Two search paths: with and without the xdg-user-dirs tool.
  mkdir -p "$scratch/with-xdg" "$scratch/without-xdg"
  ln -s "$(command -v mkdir)" "$scratch/with-xdg/mkdir"
  ln -s "$(command -v mkdir)" "$scratch/without-xdg/mkdir"
  if command -v xdg-user-dir >/dev/null; then
    ln -s "$(command -v xdg-user-dir)" "$scratch/with-xdg/xdg-user-dir"
  fi

  # One start of the launcher: NAME, SEARCH_PATH (with-xdg or without-xdg), SET_UP run in the
  # empty home folder, the FOLDER under home the program must start in, a CHECK run in the home
  # folder afterwards.
  start_case() {
    local name=$1 path=$2 setup=$3 expected=$4 check=$5 home=$scratch/home
    if [ "$path" = with-xdg ] && [ ! -e "$scratch/with-xdg/xdg-user-dir" ]; then
      echo "skipped (no xdg-user-dir): $name"
      return
    fi
    rm -rf "$home" "$scratch/started-in"
    mkdir -p "$home"
    (cd "$home" && eval "$setup")
    # Started by a relative path from elsewhere: the folder must not depend on where from.
    (cd "$scratch" && env -i HOME="$home" PATH="$scratch/$path" \
      tree/usr/libexec/velmora/velmora-desktop) 2>"$scratch/stderr" ||
      fail "$name: the launcher failed: $(cat "$scratch/stderr")"
    [ -f "$scratch/started-in" ] || fail "$name: the program was not started"
    [ "$(cat "$scratch/started-in")" = "$(cd "$home/$expected" && pwd)" ] ||
      fail "$name: started in $(cat "$scratch/started-in"), not in $home/$expected"
    (cd "$home" && HOME=$home eval "$check") || fail "$name: afterwards: $check"
    echo "ok: $name"
  }
  start_case 'the documents folder named by xdg-user-dirs, missing' with-xdg \
    'mkdir .config && echo "XDG_DOCUMENTS_DIR=\"\$HOME/書類 A\"" >.config/user-dirs.dirs' \
    '書類 A/Velmora' '[ ! -e Documents ]'
  start_case 'xdg-user-dirs names no documents folder' with-xdg ':' Documents/Velmora ':'
  start_case 'no xdg-user-dirs tool' without-xdg ':' Documents/Velmora ':'
  start_case 'the folder exists with files' without-xdg \
    'mkdir -p Documents/Velmora && echo 80 >Documents/Velmora/nedan.txt' Documents/Velmora \
    '[ "$(cat Documents/Velmora/nedan.txt)" = 80 ]'
  start_case 'the documents folder is a file' without-xdg 'echo x >Documents' . \
    '[ "$(cat Documents)" = x ] && grep -qF "$HOME/Documents/Velmora" ../stderr'
}

case $mode in
  build) build ;;
  contents) contents ;;
  tally) tally ;;
  launcher) launcher ;;
  *) fail "unknown mode $mode" ;;
esac
