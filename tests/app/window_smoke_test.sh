#!/usr/bin/env bash
# Types into the real window on a private X server, reads fields back through
# the clipboard and compares them with varnelo-convert's conversions of the
# same text.
# Usage: window_smoke_test.sh VARNELO VARNELO_CONVERT SOURCE_DIR
# Exits with 77 (skipped) where no X server can start.
set -uo pipefail
window=$1 convert=$2 source_dir=$3
# shellcheck source=../../scripts/lib/window_session.sh
source "$source_dir/scripts/lib/window_session.sh"
trap end_session EXIT

passes=0 failures=0
check() {
  local what=$1 got=$2 want=$3
  if [[ $got == "$want" ]]; then
    echo "ok: $what"
    passes=$((passes + 1))
  else
    echo "FAILED: $what"
    echo "  window:   '$got'"
    echo "  expected: '$want'"
    failures=$((failures + 1))
  fi
}

# A field text as the widgets show and copy it: each line break an LF.
as_shown() { printf '%s' "$1" | sed 's/\r$//' | tr '\r' '\n'; }

if ! start_display; then
  echo "SKIPPED: Xvfb cannot start here, so the window cannot be tested."
  exit 77
fi
for tool in xdotool xclip; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/setup installs it)"; exit 1; }
done
start_window "$window" "$source_dir/app/field_registry.cpp" || exit 1

text='中文 Varnelo 2018'
if ! enter_text 1 "$text"; then
  echo "FAILED: entering '$text' into field 1"
  exit 1
fi
echo "ok: field 1 holds the Chinese and ASCII text entered"
passes=1

# Copying from a field means keys in it, and every key release there decodes
# the field into field 1. So each read is followed by a look at field 1, which
# must hold the field's decoding; where that is not the typed text (a
# conversion that does not come back), the text is entered again.
for field in 9 11 13 18; do
  encoded=$("$convert" -n encode "$field" "$text")
  want=$(as_shown "$encoded")
  check "field $field is 'encode $field' of field 1" "$(read_field "$field" "$want")" "$want"
  want_plain=$(as_shown "$("$convert" -n decode "$field" "$encoded")")
  plain=$(read_field 1 "$want_plain")
  check "copying from field $field put 'decode $field' of it into field 1" "$plain" "$want_plain"
  if [[ $plain != "$text" ]]; then
    echo "note: field $field's decoding of its own text is '$plain', not the typed text"
    enter_text 1 "$text" || exit 1
  fi
done

# Typing into a converter field: field 1 follows.
for typed in "9 5Lit5paHIFZhcm5lbG8=" "13 %u4E2D%u6587%20Varnelo"; do
  field=${typed%% *} encoded=${typed#* }
  type_into_field "$field" "$encoded"
  want=$(as_shown "$("$convert" -n decode "$field" "$encoded")")
  check "field 1 follows typing into field $field" "$(read_field 1 "$want")" "$want"
done

echo "window: $passes passed, $failures failed"
((failures == 0))
