# Sourced at the end of run_e2e.sh, with its helpers and the test it made:
# the editor is started again, opens that test and presses "uruchom test";
# with no program for tests on this desktop, the runner beside the editor
# opens it; a student types a name and class, answers by keyboard alone and
# finishes. Then the results file must hold the one line of that attempt.

PLACE[img1]="0 262 356 72 CB"                # "Otwórz test"
PLACE[imgUruchomTest]="356 101 149 32 LT"    # "uruchom test" on the summary page

runner_program="$(dirname "$program")/testarion-runner"
[ -x "$runner_program" ] || fail "the runner is not beside the editor: $runner_program"
cp "$runner_program" "$work/app/testarion-runner"

(cd "$work/app" && exec env LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    LSAN_OPTIONS="$lsan_options" ./testarion) >"$out/testarion-2.log" 2>&1 &
app_pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Testarion$' | head -n 1) || true
[ -n "$window" ] || fail "the editor did not appear again"
timeout 5 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
wait_until 5 "the editor to be active" window_active "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"

click img1
wait_until 5 "the open dialog" window_shown '^Otwórz'
xdotool key ctrl+a
xdotool type --delay 15 "Nowy test.test"
xdotool key Return
wait_until 5 "the open dialog to close" window_gone '^Otwórz'
wait_until 5 "the editor to be active again" window_active "$window"

click imgUruchomTest
runner_name='^Testarion – rozwiązywanie testu$'
runner=$(timeout 10 xdotool search --sync --onlyvisible --name "$runner_name" | head -n 1) || true
[ -n "$runner" ] || fail "\"uruchom test\" did not open the runner"
runner_pid=$(xdotool getwindowpid "$runner")
timeout 5 xdotool windowactivate --sync "$runner" >/dev/null 2>&1 || true
wait_until 5 "the runner to be active" window_active "$runner"
runner_shot() {
    sleep 0.3  # for the window to be painted: nothing tells when it is
    mkdir -p "$out/window"
    timeout 10 import -display "$DISPLAY" -window "$runner" "$out/window/$1.png"
}
runner_shot 8-runner-start

student=$'Za\xbf\xf3\xb3\xe6 G\xea\x9cl\xb9'  # Zażółć Gęślą
xdotool type --delay 15 "$(utf8 "$student")"
xdotool key Return
xdotool type --delay 15 "3b"
xdotool key Return
# Question 1 ("Pytanie nr 1", A right): B. Question 2 (C right): C, then
# Enter on the last question finishes; everything is answered, so nothing
# is asked.
xdotool key b
xdotool key Right
xdotool key c
runner_shot 9-runner-question
xdotool key Return

results="$work/app/Testy/Nowy test – wyniki.csv"
wait_until 5 "the results file" file_exists "$results"
runner_shot 10-runner-result

wmctrl -i -c "$runner"
runner_ended() { ! kill -0 "$runner_pid" 2>/dev/null; }
wait_until 10 "the runner to end" runner_ended

header=$'\xef\xbb\xbfData i godzina;Imi\xc4\x99 i nazwisko;Klasa;Punkty;Maksimum;Procent;Ocena;Odpowiedzi\r'
mapfile -t lines <"$results"
[ "${#lines[@]}" -eq 2 ] || fail "the results file holds ${#lines[@]} lines, not 2: $(cat -A "$results")"
[ "${lines[0]}" = "$header" ] || fail "the results header is $(printf '%s' "${lines[0]}" | cat -A)"
line_pattern="^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2};$(utf8 "$student");3b;1;2;50;Test niezaliczony;B,C"$'\r$'
[[ "${lines[1]}" =~ $line_pattern ]] || fail "the results line is $(printf '%s' "${lines[1]}" | cat -A)"
cmp -s "$out/expected/Nowy test.test" "$work/app/Testy/Nowy test.test" \
    || fail "taking the test changed the test file"

click imgExit
wmctrl -i -c "$window"
wait_until 10 "the editor to end" program_ended
status=0
wait "$app_pid" || status=$?
app_pid=''
[ "$status" -eq 0 ] || fail "the editor ended with status $status"
echo "PASS: \"uruchom test\" opened the runner; the student's answers, verdict and results line are right"
