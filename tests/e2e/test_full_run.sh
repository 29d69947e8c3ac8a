# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole run from plank 1 through real X input: answers typed on both keyboards and clicked on the balls,
# one wrong try, the magnifier, a finished page, a new page, the finish book, the certificate;
# the score lands in the current user's history in the data file.
source "$(dirname "$0")/run_lib.sh"

start_xvfb 1280x1024
open_first_page_as_tom
echo "page of ${#page[@]}: ${page[*]}"

first_answer_wrong_then_right
last=$((${#page[@]} - 1))
for i in $(seq 1 $((last - 1))); do
    case $((i % 4)) in
    0) type_answer "${page[$i]}" ;;
    1) keypad_answer "${page[$i]}" ;;
    2) ball_answer "${page[$i]}" ;;
    3) [ "$i" = 3 ] && act_click "${MAGNIFIER[@]}" || type_answer "${page[$i]}" ;;
    esac
done
expect_like last_problem "${MOVING[@]}" -- "${ACTIONS[@]}"
type_answer "${page[$last]}"
expect_like page_finished "${MOVING[@]}" -- "${ACTIONS[@]}"

# Page Down: a new page fades in; two answers on it, then the finish book.
read -r -a page2 < <(answers_after "${ACTIONS[@]}" key 34)
act_key Next 34
expect_like new_page "${MOVING[@]}" -- "${ACTIONS[@]}"
type_answer "${page2[0]}"
ball_answer "${page2[1]}"
finish_and_leave
# All but one of the first page right at the first try (the magnifier counts as right), and
# both of the second: (size - 1 + 2) of (size + 2), cut to a whole percentage.
done_count=$((${#page[@]} + 2))
score=$(((done_count - 1) * 100 / done_count))
python3 "$E2E_DIR/datafile.py" build "$WORK/expected.cfg" 0 "Tom:$score"
cmp "$WORK/bin/Sumora.cfg" "$WORK/expected.cfg" || {
    python3 "$E2E_DIR/datafile.py" show "$WORK/bin/Sumora.cfg"
    fail "Tom's history does not end with $score"
}
echo "run of $done_count problems recorded for Tom with the score $score"
