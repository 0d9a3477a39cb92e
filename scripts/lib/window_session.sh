# Drives the real Varnelo window on a private X server: starts the server and
# the window, clicks, types, and reads a field back through the clipboard.
# Sourced by tests/app/window_smoke_test.sh and scripts/screenshot; needs Xvfb,
# xdotool and xclip. Every wait polls with a time limit.

SESSION_DIR=""
XVFB_PID=""
WINDOW_PID=""
WINDOW_ID=""
WINDOW_X=0
WINDOW_Y=0
REGISTRY_SOURCE=""

# Ends what the session started and removes its files.
# Each step ignores its status, so that under set -e one failing step (wait
# reports the killed process's status) cannot skip the rest.
end_session() {
  if [[ -n $WINDOW_PID ]]; then
    kill "$WINDOW_PID" 2>/dev/null || true
    wait "$WINDOW_PID" 2>/dev/null || true
  fi
  # The X server's end also ends the xclip processes that serve the clipboard.
  if [[ -n $XVFB_PID ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  if [[ -n $SESSION_DIR ]]; then rm -rf "$SESSION_DIR"; fi
  WINDOW_PID="" XVFB_PID="" SESSION_DIR=""
}

# Polls a command every 50 ms until it succeeds or the seconds run out; a
# status of 2 from the command means it never will.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 20)) status
  while ((tries-- > 0)); do
    "$@" && return 0
    status=$?
    ((status == 2)) && return 1
    sleep 0.05
  done
  return 1
}

# Starts Xvfb on a free display and exports DISPLAY. Fails (status 1) when the
# server cannot start, with its log on standard error.
start_display() {
  SESSION_DIR=$(mktemp -d)
  command -v Xvfb >/dev/null || { echo "Xvfb is not installed" >&2; return 1; }
  # -displayfd picks a free display and writes its number once it accepts clients.
  Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp \
    3>"$SESSION_DIR/display" >"$SESSION_DIR/xvfb.log" 2>&1 </dev/null &
  XVFB_PID=$!
  display_ready() { [[ -s $SESSION_DIR/display ]] || { kill -0 "$XVFB_PID" 2>/dev/null || return 2; return 1; }; }
  if ! wait_for 10 display_ready; then
    echo "Xvfb did not start:" >&2
    cat "$SESSION_DIR/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$(tr -d '[:space:]' <"$SESSION_DIR/display")"
}

# Starts the window program and waits until the window shows its full title,
# which it sets once the fields are filled. registry_source is
# app/field_registry.cpp, where the field positions are read.
start_window() {
  local program=$1
  REGISTRY_SOURCE=$2
  mkdir -m 700 "$SESSION_DIR/runtime"
  XDG_RUNTIME_DIR="$SESSION_DIR/runtime" QT_QPA_PLATFORM=xcb "$program" \
    >"$SESSION_DIR/window.log" 2>&1 </dev/null &
  WINDOW_PID=$!
  find_window() { WINDOW_ID=$(xdotool search --onlyvisible --name '^Varnelo V' 2>/dev/null | head -n 1); [[ -n $WINDOW_ID ]]; }
  if ! wait_for 20 find_window; then
    echo "The window did not appear. Its output:" >&2
    cat "$SESSION_DIR/window.log" >&2
    return 1
  fi
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$WINDOW_ID")"
  WINDOW_X=$X WINDOW_Y=$Y
}

# Clicks into field N, near its top left corner, which gives it the focus.
click_field() {
  local position
  position=$(sed -n "s/.*\"编辑框$1\", *{\([0-9]*\), *\([0-9]*\),.*/\1 \2/p" "$REGISTRY_SOURCE")
  if [[ -z $position ]]; then
    echo "field $1's position is not in $REGISTRY_SOURCE" >&2
    return 1
  fi
  read -r x y <<<"$position"
  xdotool mousemove $((WINDOW_X + x + 20)) $((WINDOW_Y + y + 12)) click 1
}

# Replaces field N's text by typing TEXT into it.
type_into_field() {
  click_field "$1" || return 1
  xdotool key --clearmodifiers ctrl+a BackSpace
  xdotool type --clearmodifiers --delay 80 -- "$2"
}

# Replaces field N's text with TEXT through the clipboard: Ctrl+A, Ctrl+V;
# the key releases run the window's rules as typing does.
paste_into_field() {
  printf '%s' "$2" | xclip -i -selection clipboard >/dev/null 2>&1
  holds_text() { [[ $(xclip -o -selection clipboard 2>/dev/null) == "$2" ]]; }
  wait_for 5 holds_text "$@" || { echo "the clipboard does not take a text" >&2; return 1; }
  click_field "$1" || return 1
  xdotool key --clearmodifiers ctrl+a ctrl+v
}

# Types TEXT into field N and reads it back. xdotool types a character that the
# keyboard lacks by binding it to a spare key for a moment, and a window that
# lags behind can miss the binding and lose the character: then the text is
# pasted instead. Fails when the field still does not hold TEXT.
enter_text() {
  local field=$1 text=$2 shown
  type_into_field "$field" "$text" || return 1
  shown=$(read_field "$field" "$text")
  [[ $shown == "$text" ]] && return 0
  echo "note: typing into field $field gave '$shown'; pasting '$text' instead" >&2
  paste_into_field "$field" "$text" || return 1
  shown=$(read_field "$field" "$text")
  [[ $shown == "$text" ]] || { echo "field $field holds '$shown', not '$text'" >&2; return 1; }
}

# Prints field N's text: click, Ctrl+A, Ctrl+C, then the clipboard. Line
# breaks come out as LF. Copying an empty field leaves the clipboard as it is,
# so a marker goes in first; EXPECTED tells how long to wait: for a text, until
# it arrives (10 s at most); for an empty one, 1 s in which no text may arrive.
read_field() {
  local field=$1 expected=$2
  local marker="(no copy $RANDOM$RANDOM)"
  printf '%s' "$marker" | xclip -i -selection clipboard >/dev/null 2>&1
  clipboard() { xclip -o -selection clipboard 2>/dev/null; }
  marker_set() { [[ $(clipboard) == "$marker" ]]; }
  wait_for 5 marker_set || { echo "the clipboard does not take a text" >&2; return 1; }
  click_field "$field" || return 1
  xdotool key --clearmodifiers ctrl+a ctrl+c
  copied() { [[ $(clipboard) != "$marker" ]]; }
  if wait_for "$([[ -n $expected ]] && echo 10 || echo 1)" copied; then
    clipboard
  fi
}
