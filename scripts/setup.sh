#!/usr/bin/env bash
# Installs the Debian packages Vellox needs, those of the release it runs on: Debian 12 (bookworm)
# or Debian 13 (trixie). Safe to run again: when everything is present it changes nothing and
# fetches nothing.
#   scripts/setup.sh          what building and running the programs needs
#   scripts/setup.sh --test   that, plus what the test suites need (below)
#   scripts/setup.sh --bench  that, plus bc and galculator for the comparisons in bench/ and perf
#                             for profiles and CPU-time counts (perf stat, perf record); the dark
#                             palettes that bench/contrast_on_screen.py measures
#   scripts/setup.sh --sway   that, plus sway and XWayland, to try the strip on sway (README)
#   scripts/setup.sh --debian13-lane   debootstrap alone, with which scripts/debian13.sh makes its
#                             Debian 13 root
set -euo pipefail

# The release decides a few names: clang's run-time library follows its clang (14 on Debian 12,
# 19 on Debian 13), and only Debian 13 has layer-shell-qt for Qt 6, with which the strip docks as
# a Wayland panel (and headless sway and labwc with wtype and grim to test it there).
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
clang_runtime=libclang-rt-19-dev
# layer-shell-qt and Qt's Wayland platform; the Wayland client library asks the compositor whether
# it offers layer-shell before Qt starts
wayland_packages=(liblayershellqtinterface-dev qt6-wayland libwayland-dev)
# headless compositors with layer-shell, with a keyboard and screenshots for them, and wlrctl's
# pointer for the click that gives a layer surface the keys
wayland_test_packages=(sway labwc wtype grim wlrctl)
case "$release" in
  bookworm) clang_runtime=libclang-rt-14-dev; wayland_packages=(); wayland_test_packages=() ;;
  trixie) ;;
  *) echo "scripts/setup.sh: made for Debian 12 (bookworm) and 13 (trixie), not \"${release:-unknown}\";" \
          "trying Debian 13's packages." >&2 ;;
esac

# Building and running: the compiler and build tools, Qt 6 with the X11 client library, its RandR
# extension (which tells the monitors in device pixels) and its XFixes extension (which reports an
# XEmbed tray's comings and goings), a Japanese font for the captions and Qt's own Japanese texts;
# dpkg-dev and file let cpack work out the package's dependencies; lrelease (qt6-l10n-tools)
# compiles the program's English translation; ccache keeps compiled objects for the next build.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev libxcb1-dev libxcb-randr0-dev libxcb-xfixes0-dev
          fonts-ipafont-gothic qt6-translations-l10n qt6-l10n-tools dpkg-dev file ccache
          "${wayland_packages[@]}")
test_packages=(
  # GoogleTest with its matchers (GoogleMock)
  libgtest-dev libgmock-dev
  # the sanitized build and the fuzz targets; Google Benchmark so the benchmark keeps compiling
  clang "$clang_runtime" libbenchmark-dev
  # a real desktop for the end-to-end tests: Xvfb, openbox, the tint2 panel, xdotool, the X
  # utilities, a session bus (its daemon, and dbus-send to ask it) and the accessibility bus with
  # its Python bindings
  xvfb openbox tint2 xdotool x11-utils dbus-daemon dbus-bin at-spi2-core python3-pyatspi
  # xrandr changes modes, outputs and monitors of the test's X server
  x11-xserver-utils
  # xclip puts text in the X selections, as another program's copy would; xterm is another
  # program that holds the keyboard focus
  xclip xterm
  # xwd dumps the screen, whose pixels show the strip's colours (the desktop's dark preference,
  # the contrast of its texts)
  x11-apps
  # a second notification area, a StatusNotifierItem host: the LXQt panel's status notifier
  lxqt-panel
  # a second desktop to dock beside: the xfwm4 window manager with the Xfce panels; wmctrl switches
  # workspaces
  xfwm4 xfce4-panel wmctrl
  # GNOME's window manager, mutter, in an X session and as a Wayland compositor with its XWayland
  # display, where ordinary windows are kept inside the work area
  mutter xwayland
  # checking the Debian package: lintian, the desktop entry's validator, and man for the pages
  lintian desktop-file-utils man-db
  # appstreamcli checks the package's AppStream metadata; dex runs the autostart entry as a
  # session's autostart would
  appstream dex
  # a Japanese input method, as the strip's users type: fcitx5 with anthy (mozc's server refuses
  # to run as root, as CI does) and fcitx5's Qt 6 front end
  fcitx5 fcitx5-anthy fcitx5-frontend-qt6
  # the locales the tests run the program under (see test_locales)
  locales
  "${wayland_test_packages[@]}"
)
# Japanese (the program's own language), English, and two whose decimal separator is ",".
test_locales=()
case "${1:-}" in
  --test) packages+=("${test_packages[@]}"); test_locales=(ja_JP en_US de_DE fr_FR) ;;
  # the comparisons of bench/: bc for compare_bc.py, galculator for startup_memory.py; perf to
  # profile them; for contrast_on_screen.py Adwaita-Dark, GTK's palette and qt6ct
  --bench) packages+=("${test_packages[@]}" bc python3 galculator linux-perf
                      adwaita-qt6 qt6-gtk-platformtheme qt6ct)
           test_locales=(ja_JP en_US de_DE fr_FR) ;;
  --sway) packages+=(sway xwayland) ;;
  --debian13-lane) packages=(debootstrap) ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

sudo=""
[[ "$(id -u)" -ne 0 ]] && sudo="sudo"

# Another package manager may hold apt's locks for a while: unattended-upgrades or PackageKit on a
# freshly booted desktop, another apt. apt-get then waits for the dpkg lock (DPkg::Lock::Timeout)
# and, where it does not wait itself (the package lists' lock), is run again, up to lock_wait
# seconds in all; only after that does the set-up fail, saying why.
lock_wait=300
apt_get() {
  local deadline=$((SECONDS + lock_wait)) log
  log=$(mktemp)
  until $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout="$lock_wait" "$@" 2>"$log"; do
    cat "$log" >&2
    if ! grep -Eq "Could not get lock|Unable to acquire the dpkg frontend lock|Unable to lock" "$log"; then
      rm -f "$log"
      echo "scripts/setup.sh: apt-get $1 failed (see above)." >&2
      exit 1
    fi
    if ((SECONDS >= deadline)); then
      rm -f "$log"
      echo "scripts/setup.sh: another package manager still holds apt's lock after $((lock_wait / 60))" \
           "minutes (see above); run scripts/setup.sh again once it has finished." >&2
      exit 1
    fi
    echo "Another package manager holds apt's lock: waiting for it ($((deadline - SECONDS)) s left)..."
    sleep 5
  done
  cat "$log" >&2
  rm -f "$log"
}

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  echo "(If another package manager is at work, this waits up to $((lock_wait / 60)) minutes for it.)"
  apt_get update -q
  apt_get install -y -q --no-install-recommends "${missing[@]}"
fi

# Each locale is compiled once into the system's locale archive; one that is there is left alone.
for name in "${test_locales[@]}"; do
  locale -a 2>/dev/null | grep -qx "$name.utf8" && continue
  echo "Generating the locale $name.UTF-8"
  $sudo localedef -i "$name" -c -f UTF-8 -A /usr/share/locale/locale.alias "$name.UTF-8"
done
