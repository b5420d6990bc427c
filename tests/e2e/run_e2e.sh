#!/usr/bin/env bash
# Drives the built program in a real X window as a person would: creates a
# test, types its title, one question and its answers, marks the correct
# answer, steps back to the summary, saves the answer key, closes the test
# and the window. Then checks both files byte for byte and the exit status.
#
# Usage: run_e2e.sh <testarion executable> <output folder for screenshots>
set -euo pipefail
# Every tool here reads and types UTF-8 (xdotool refuses Polish letters in
# the C locale), whatever locale the caller has or lacks.
export LC_ALL=C.UTF-8

if [ $# -ne 2 ]; then
    echo "usage: $0 <testarion executable> <output folder>" >&2
    exit 2
fi
program=$(realpath "$1")
out=$2
source_root=$(cd "$(dirname "$0")/../.." && pwd)

for tool in Xvfb openbox xdotool wmctrl xdpyinfo setxkbmap import iconv cmp; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: '$tool' is missing (scripts/install-deps.sh installs it)" >&2
        exit 1
    fi
done

# --- Where the controls are -------------------------------------------------
# Each control's rectangle in the window's client area as designed (900×577):
# left top width height, and the window edges it keeps its distance to when
# the window is larger (L T R B; C: centred across the window). Pages start
# at (4, 4) inside the page control; the question page's right panel starts
# at x 305 of the page, its answer panel at (5, 152) of that; answer C's top
# is 8 + 2 × (22 + 30) for one-line answers (16-pixel text, 22 pixels high).
declare -A PLACE=(
    [img2]="0 358 356 72 CB"               # "Utwórz nowy test"
    [imgPrev]="664 544 110 32 RB"          # "wstecz"
    [imgNext]="784 544 110 32 RB"          # "dalej"
    [imgExit]="8 544 163 32 LB"            # "zamknij test"
    [edtTestTitle]="20 52 857 28 LTR"      # title of the test
    [mmo1]="313 36 572 89 LTR"             # text of the question
    [rb3]="328 268 14 22 LT"               # answer C is the correct one
    [imgAddQuestion]="318 460 183 32 LB"   # "dodaj pytanie"
    [img4]="36 396 149 32 LB"              # "zapisz do pliku"
)
readonly DESIGN_WIDTH=900 DESIGN_HEIGHT=577

# --- What is typed, and what the files must then hold ------------------------
# Every text as the Windows-1250 bytes the files hold; it is typed as UTF-8.
# Every Polish letter, small and capital, appears in the title.
title_1250=$'Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1 \xa5\xca\x8c\x8f\xaf\xc6\xd1\xd3\xa3'  # Zażółć gęślą jaźń ĄĘŚŹŻĆŃÓŁ
question_1250=$'Kt\xf3ra rzeka p\xb3ynie przez Pozna\xf1?'  # Która rzeka płynie przez Poznań?
answer_a_1250=$'Wis\xb3a'                                    # Wisła
answer_b_1250='Odra'
answer_c_1250=$'Warta \xaf\xf3\xb3ta'                         # Warta Żółta

utf8() { printf '%s' "$1" | iconv -f CP1250 -t UTF-8; }
title=$(utf8 "$title_1250")

# The new test: its defaults, the typed title, the description a new test
# gets (one space), the first question as made, and the typed one with C
# correct.
write_expected_test() {
    printf '[TEST]\r\n'
    printf '[TYTU\xa3]%s\r\n' "$title_1250"
    printf '[OPIS] \r\n'
    printf '[ROZMIAR_CZCIONKI]14\r\n'
    printf '[PROCENTOWO]TAK\r\n'
    printf '[ILE_ZAKRES\xd3W]2\r\n'
    printf '  [ZAKRES]\r\n    [ZAKRES_OD]0\r\n    [ZAKRES_DO]59\r\n'
    printf '    [OPIS_ZAKRESU]Test niezaliczony\r\n'
    printf '  [ZAKRES]\r\n    [ZAKRES_OD]60\r\n    [ZAKRES_DO]100\r\n'
    printf '    [OPIS_ZAKRESU]Test zaliczony\r\n'
    printf '[ZAKRESY_KONIEC]\r\n'
    printf '[ILE_PYTA\xd1]2\r\n'
    write_expected_question 'Pytanie nr 1' $'Odpowied\x9f A' 1 $'Odpowied\x9f B' 0 $'Odpowied\x9f C' 0
    write_expected_question "$question_1250" "$answer_a_1250" 0 "$answer_b_1250" 0 "$answer_c_1250" 1
    printf '  [PYTANIA_KONIEC]\r\n'
    printf '[TEST_KONIEC]\r\n'
}

# Text, then three answers as text and score.
write_expected_question() {
    printf '  [PYTANIE]\r\n'
    printf '    [TRE\x8c\xc6_PYTANIA]%s\r\n' "$1"
    printf '    [RODZAJ_PYTANIA]Jednokrotnego wyboru\r\n'
    printf '    [ROZMIAR_CZCIONKI]0\r\n'
    printf '    [ILE_ODPOWIEDZI]3\r\n'
    shift
    while [ $# -gt 0 ]; do
        printf '      [ODPOWIED\x8f]\r\n'
        printf '        [TRE\x8c\xc6_ODPOWIEDZI]%s\r\n' "$1"
        printf '        [PUNKTACJA_ODPOWIEDZI]%s\r\n' "$2"
        shift 2
    done
    printf '    [ODPOWIEDZI_KONIEC]\r\n'
}

write_expected_key() {
    printf '%s\r\n' "$title_1250"
    printf '1 \x96 A\r\n'
    printf '2 \x96 C\r\n'
}

# --- Display, window manager, program ---------------------------------------
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.log "$out"/window/*.png
rm -rf "$out/expected" "$out/Testy-after"
work=$(mktemp -d)
xvfb_pid="" openbox_pid="" app_pid="" window=""

# A picture of the whole screen, and of the main window alone while there
# is one (the README's pictures). The pointer is parked on the window's edge
# first, so that no control shows its hover colour. (import waits for ever
# on a window that has gone, hence the time limits.)
shot() {
    if [ -n "$window" ] && [ -n "$app_pid" ]; then
        xdotool mousemove --window "$window" $((WIDTH - 2)) $((HEIGHT / 2))
        sleep 0.3  # for the window to be painted: nothing tells when it is
        mkdir -p "$out/window"
        timeout 10 import -display "$DISPLAY" -window "$window" "$out/window/$1.png"
    fi
    timeout 10 import -display "${DISPLAY:-}" -window root "$out/$1.png"
}

cleanup() {
    local pid
    for pid in "$app_pid" "$openbox_pid" "$xvfb_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        shot failure || true
        echo "screenshot of the failure: $out/failure.png" >&2
    fi
    if [ -s "$out/testarion.log" ]; then
        echo "--- the program's output:" >&2
        cat "$out/testarion.log" >&2
    fi
    exit 1
}

# Polls a command every 0.1 s for up to `seconds`.
wait_until() {
    local seconds=$1 what=$2
    shift 2
    local tries=$((seconds * 10))
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "timed out waiting for $what"
        sleep 0.1
    done
}

window_shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
window_gone() { ! window_shown "$1"; }
window_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
file_exists() { [ -e "$1" ]; }
program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
display_ready() { xdpyinfo -display ":$1" >/dev/null 2>&1; }
window_manager_ready() { wmctrl -m >/dev/null 2>&1; }

# A display of our own: the first number whose server starts. (-noreset:
# otherwise the server starts afresh, Polish layout lost, whenever its last
# client has gone, as between two xdotool calls before the program runs.)
display_number=91
while :; do
    if [ ! -e "/tmp/.X$display_number-lock" ] && [ ! -e "/tmp/.X11-unix/X$display_number" ]; then
        Xvfb ":$display_number" -screen 0 1280x800x24 -nolisten tcp -noreset >"$out/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            display_ready "$display_number" && break
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        display_ready "$display_number" && break
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=''
    fi
    display_number=$((display_number + 1))
    [ "$display_number" -lt 200 ] || fail "no free X display between :91 and :199"
done
export DISPLAY=":$display_number"

# xdotool types a character that no key produces by remapping a spare key
# for a moment, and the program may read the key after the map has changed
# back (capital Polish letters then arrive small). The Polish layout has
# every letter typed here on a key of its own.
setxkbmap pl || fail "cannot set the Polish keyboard layout"
openbox >"$out/openbox.log" 2>&1 &
openbox_pid=$!
wait_until 5 "the window manager" window_manager_ready

# The program with its own tests folder, so that the build's stays untouched.
mkdir -p "$work/app" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$work/app/testarion"
cp -r "$source_root/examples/Testy" "$work/app/Testy"
# In a sanitizer build, a leak of the desktop's libraries is not the program's.
lsan_options="suppressions=$source_root/tests/e2e/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
(cd "$work/app" && exec env XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    LSAN_OPTIONS="$lsan_options" ./testarion) >"$out/testarion.log" 2>&1 &
app_pid=$!

window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Testarion$' | head -n 1) || true
[ -n "$window" ] || fail "the window \"Testarion\" did not appear"
timeout 5 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
wait_until 5 "the main window to be active" window_active "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"  # WIDTH, HEIGHT
echo "window $window: ${WIDTH}x$HEIGHT on $DISPLAY"

# Clicks the middle of a control of the table. The pointer is placed
# relative to the window: the position xdotool reports for a window framed
# by a window manager is not the client area's.
click() {
    local left top width height anchors x y
    read -r left top width height anchors <<<"${PLACE[$1]}"
    local dx=$((WIDTH - DESIGN_WIDTH)) dy=$((HEIGHT - DESIGN_HEIGHT))
    case $anchors in
        *C*) x=$((WIDTH / 2)) ;;
        *L*R*) x=$((left + (width + dx) / 2)) ;;
        *R*) x=$((left + dx + width / 2)) ;;
        *) x=$((left + width / 2)) ;;
    esac
    case $anchors in
        *T*B*) y=$((top + (height + dy) / 2)) ;;
        *B*) y=$((top + dy + height / 2)) ;;
        *) y=$((top + height / 2)) ;;
    esac
    xdotool mousemove --window "$window" "$x" "$y" click 1
}

# Replaces the text of the focused edit with `text` (Windows-1250 bytes).
replace_text() {
    xdotool key ctrl+a
    xdotool type --delay 15 "$(utf8 "$1")"
}

# --- The road ----------------------------------------------------------------
# The program takes the X events in the order they are sent, so clicks and
# keys need no pauses between them; a dialog is a window of its own, mapped
# and focused by the window manager, so that is waited for.
shot 1-start

click img2
wait_until 5 "the file name dialog" window_shown '^Podaj nazwę pliku'
shot 2-new-test-name
xdotool key Return
wait_until 5 "the new test file" file_exists "$work/app/Testy/Nowy test.test"
wait_until 5 "the file name dialog to close" window_gone '^Podaj nazwę pliku'
wait_until 5 "the main window to be active again" window_active "$window"

click edtTestTitle
replace_text "$title_1250"
shot 3-properties

click imgNext
click imgAddQuestion
click mmo1
replace_text "$question_1250"
xdotool key Return
replace_text "$answer_a_1250"
xdotool key Return
replace_text "$answer_b_1250"
xdotool key Return
replace_text "$answer_c_1250"
xdotool key Return
click rb3
shot 4-questions

click imgPrev
click imgPrev
shot 5-summary

click img4
wait_until 5 "the save dialog" window_shown '^Zapisz jako'
shot 6-save-key
key_file="$work/app/Testy/Klucz odpowiedzi do testu $title.txt"
xdotool key Return
wait_until 5 "the answer key file" file_exists "$key_file"
wait_until 5 "the save dialog to close" window_gone '^Zapisz jako'
wait_until 5 "the main window to be active again" window_active "$window"

click imgExit
shot 7-closed

wmctrl -i -c "$window"
wait_until 10 "the program to end" program_ended
status=0
wait "$app_pid" || status=$?
app_pid=''
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# --- The files ---------------------------------------------------------------
mkdir -p "$out/expected"
write_expected_test >"$out/expected/Nowy test.test"
write_expected_key >"$out/expected/key.txt"
differs=0
check_file() {
    local expected=$1 actual=$2
    if [ ! -e "$actual" ]; then
        echo "missing: $actual" >&2
        differs=1
    elif ! cmp -s "$expected" "$actual"; then
        echo "differs: $(basename "$actual") (expected, then actual, ^M is CR)" >&2
        diff <(cat -A "$expected") <(cat -A "$actual") >&2 || true
        differs=1
    fi
}
check_file "$out/expected/Nowy test.test" "$work/app/Testy/Nowy test.test"
check_file "$out/expected/key.txt" "$key_file"
if [ "$differs" -ne 0 ]; then
    cp -r "$work/app/Testy" "$out/Testy-after"
    fail "the files on disk are not as typed (left in $out/Testy-after)"
fi

echo "PASS: the test file and the answer key are as typed; the program ended with 0"
echo "screenshots:"
ls -1 "$out"/*.png

# --- Taking the test ----------------------------------------------------------
source "$source_root/tests/e2e/take_test.sh"
