#!/usr/bin/env bash
# Runs a command in a desktop session of its own, as a person's desktop runs a
# program: a session bus (dbus-run-session), a window manager, a panel where
# the desktop has one, and another application's window to switch to (titled
# "Another application"). The X11 desktops run on a virtual display of their
# own (scripts/with-display.sh); GNOME on Wayland is mutter's own headless
# display of 1024x768, with programs through Xwayland, and writes the
# compositor's protocol log to $ORBITRAND_PROTOCOL_LOG. The panels are the
# desktop's default ones painted magenta, a colour the program never shows,
# so that a screenshot tells every pixel of theirs. The command starts once the
# window manager manages windows and the other application's window shows.
# Usage: session.sh xfce|openbox|mutter_x11|mutter_wayland command [arguments]
set -euo pipefail
desktop=$1
shift

if [ -z "${ORBITRAND_SESSION:-}" ]; then
  ORBITRAND_SESSION=$(mktemp -d)
  trap 'rm -rf "$ORBITRAND_SESSION"' EXIT
  export ORBITRAND_SESSION XDG_RUNTIME_DIR=$ORBITRAND_SESSION XDG_CONFIG_HOME=$ORBITRAND_SESSION/config
  case $desktop in
  mutter_wayland)
    # Mutter starts the command with its standard input on /dev/null: the
    # session's comes through a pipe, so that the command still ends when its
    # caller closes it.
    mkfifo "$ORBITRAND_SESSION/input"
    WAYLAND_DEBUG=server dbus-run-session -- mutter --wayland --headless --virtual-monitor 1024x768 \
      --wayland-display="orbitrand-$$" -- "$0" "$desktop" "$@" 2>"$ORBITRAND_PROTOCOL_LOG" &
    exec 3<>"$ORBITRAND_SESSION/input"
    cat >&3
    exec 3>&-
    wait
    ;;
  *) "$(dirname "$0")/../../scripts/with-display.sh" dbus-run-session -- "$0" "$desktop" "$@" ;;
  esac
  exit
fi

# In the session. Each waiting loop gives up after 30 s.
wait_for() {
  for _ in $(seq 600); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "session.sh: $desktop did not start: $*" >&2
  exit 1
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

magenta_panels=$ORBITRAND_SESSION/xdg
mkdir -p "$magenta_panels/xfce4/panel"
case $desktop in
xfce)
  sed 's|<property name="panel-[0-9]*" type="empty">|&<property name="background-style" type="uint" value="1"/><property name="background-rgba" type="array"><value type="double" value="1"/><value type="double" value="0"/><value type="double" value="1"/><value type="double" value="1"/></property>|' \
    /etc/xdg/xfce4/panel/default.xml >"$magenta_panels/xfce4/panel/default.xml"
  XDG_CONFIG_DIRS=$magenta_panels:/etc/xdg xfce4-panel &
  xfwm4 &
  ;;
openbox)
  sed '0,/^background_color = .*/s//background_color = #ff00ff 100/' /etc/xdg/tint2/tint2rc >"$magenta_panels/tint2rc"
  tint2 -c "$magenta_panels/tint2rc" &
  openbox &
  ;;
mutter_x11) mutter --x11 & ;;
esac
xmessage -title "Another application" "Another application" &
wait_for wm_running
if [ "$desktop" = mutter_wayland ]; then
  exec <"$ORBITRAND_SESSION/input"
  # Mutter's Xwayland wants its own cookie, which the caller's programs lack.
  xhost +si:localuser:"$(id -un)" >/dev/null
fi
wait_for xdotool search --onlyvisible --name '^Another application$'
"$@"
