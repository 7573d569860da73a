#!/bin/bash
# Checks on a real X11 desktop (Xvfb with openbox) what the offscreen tests
# cannot see: titles, border buttons, places over restarts and after a tool
# window, focus at start and the end of the process. Usage: desktop_test.sh
# CASE; BIN_DIR names the folder of the built programs. Exit 77: no X server
# here, skipped; under CI (CI=true) that is a failure instead.
set -eu
. "$(dirname "$0")/desktop_lib.sh"
: "${BIN_DIR:?BIN_DIR must name the folder of pelmora and bremilo}"
BIN_DIR=$(cd "$BIN_DIR" && pwd)

PELMORA_MENU="Tesk制御Pelmora                                        ver.2013.11.09"
BREMILO_MENU="ペルモラシステム　「ブレミロさん」                    ver.2010.11.5"
BOARD="シミュレーションボード"

# The panels as client coordinates of their windows (centres).
PELMORA_END="484 318"
PELMORA_SIGNBOARD="484 209"         # 電光掲示板
SIGNBOARD_TITLE="電光掲示板（ＬＣＤ制御）"
BREMILO_END="543 248"
BREMILO_OVERVIEW="268 196"          # 概要説明
BREMILO_OVERVIEW_TITLE="「ブレミロさん」と「ザリム」について"
BREMILO_OVERVIEW_CLOSE="563 435"    # 閉じる
BREMILO_STANDALONE="108 196"        # スタンドアロン測定の方法
BREMILO_STANDALONE_TITLE="ブレミロさん：スタンドアロン測定"
BREMILO_STANDALONE_END="563 435"
declare -A TOOL_PANEL=([1]="108 156" [2]="108 212" [3]="108 268" [4]="108 324")
declare -A TOOL_TITLE=([1]="基礎実験１（出力実験）" [2]="基礎実験２（繰り返し処理編）" [3]="基礎実験３（２進数）" [4]="基礎実験４（入出力）")
declare -A TOOL_END=([1]="528 410" [2]="655 456" [3]="708 570" [4]="528 420")

new_folder() {
  FOLDER=$WORK/folder$1
  mkdir -p "$FOLDER"
}

# pelmora_ini MENU_TOP MENU_LEFT PAIRS...: a settings file with the menu's
# place and the tool pairs 3-16 (14 numbers; missing ones 0).
pelmora_ini() {
  local top=$1 left=$2
  shift 2
  local pairs=("$@")
  {
    printf '%s\r\n' "$top" "$left" 0 1 0
    for i in $(seq 0 13); do printf '%s\r\n' "${pairs[$i]:-0}"; done
    printf '%s\r\n' 60000 0 0
  } >"$FOLDER/pelmora.ini"
}

bremilo_ini() {
  local values=("$@")
  for i in $(seq 0 17); do printf '%s\r\n' "${values[$i]:-0}"; done >"$FOLDER/bremelo_san.ini"
}

# answer_boxes_until MAIN BOX: answers each box titled BOX (the reports of
# missing files in a fresh folder) with Return until the window MAIN shows.
answer_boxes_until() {
  local end=$(($(now_ms) + STEP_LIMIT_MS)) box
  until find_window "$1" >/dev/null; do
    [ "$(now_ms)" -lt "$end" ] || fail "timed out waiting for the window \"$1\""
    if box=$(find_window "$2"); then
      xdotool windowactivate --sync "$box" key --clearmodifiers Return 2>/dev/null || true
      wait_until "$STEP_LIMIT_MS" "the box to go" window_gone "$box"
    fi
    pause
  done
}

window_gone() { ! viewable "$1"; }

end_pelmora() {
  wait_window "$PELMORA_MENU"
  click "$WIN" $PELMORA_END
  expect_program_end
}

end_bremilo() {
  wait_window "$BREMILO_MENU"
  click "$WIN" $BREMILO_END
  expect_program_end
}

# open_tool N: opens 基礎実験N from the menu; WIN is then the tool.
open_tool() {
  wait_window "$PELMORA_MENU"
  click "$WIN" ${TOOL_PANEL[$1]}
  wait_window "${TOOL_TITLE[$1]}"
}

leave_tool() {
  click "$WIN" ${TOOL_END[$1]}
  wait_window_gone "${TOOL_TITLE[$1]}"
}

# expect_no_buttons WINDOW: the window asks for a title bar without buttons
# (Motif hints: no close, minimize or maximize function, no window menu,
# minimize or maximize decoration) and has its title bar.
expect_no_buttons() {
  local title hints flags functions decorations top
  title=$(title_of "$1")
  hints=$(xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.*= //p' | tr -d ' ')
  [ -n "$hints" ] || fail "\"$title\" sets no Motif hints: the window manager gives it all buttons"
  IFS=, read -r flags functions decorations _ <<<"$hints"
  if [ $((flags & 1)) -ne 0 ] && [ $((functions & (0x1 | 0x8 | 0x10 | 0x20))) -ne 0 ]; then
    fail "\"$title\" asks for border functions $functions (close 0x20, minimize 0x8, maximize 0x10, all 0x1)"
  fi
  [ $((flags & 1)) -ne 0 ] || fail "\"$title\" leaves its border functions to the window manager"
  if [ $((flags & 2)) -ne 0 ] && [ $((decorations & (0x1 | 0x10 | 0x20 | 0x40))) -ne 0 ]; then
    fail "\"$title\" asks for border decorations $decorations (menu 0x10, minimize 0x20, maximize 0x40, all 0x1)"
  fi
  top=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //' | cut -d, -f3 | tr -d ' ')
  [ "$top" -gt 4 ] || fail "\"$title\" has no title bar (frame top $top)"
}

# expect_on_screen WINDOW: the whole frame lies on the screen.
expect_on_screen() {
  read_frame "$1"
  [ "$FRAME_X" -ge 0 ] && [ "$FRAME_Y" -ge 0 ] && [ $((FRAME_X + FRAME_W)) -le $SCREEN_W ] &&
    [ $((FRAME_Y + FRAME_H)) -le $SCREEN_H ] ||
    fail "\"$(title_of "$1")\" is not wholly on the screen: $FRAME_X $FRAME_Y ${FRAME_W}x$FRAME_H"
}

# Titles are the captions exactly, and no window has border buttons.
case_pelmora_titles() {
  new_folder 1
  pelmora_ini 100 100
  start_program pelmora --simulated-board
  wait_window "$BOARD"
  expect_no_buttons "$WIN"
  wait_window "$PELMORA_MENU"
  expect_no_buttons "$WIN"
  for n in 1 2 3 4; do
    open_tool $n
    expect_no_buttons "$WIN"
    leave_tool $n
  done
  end_pelmora
}

case_bremilo_titles() {
  new_folder 1
  bremilo_ini 100 100
  start_program bremilo
  answer_boxes_until "$BREMILO_MENU" bremilo
  wait_window "$BREMILO_MENU"
  expect_no_buttons "$WIN"
  click "$WIN" $BREMILO_OVERVIEW
  wait_window "$BREMILO_OVERVIEW_TITLE"
  expect_no_buttons "$WIN"
  click "$WIN" $BREMILO_OVERVIEW_CLOSE
  end_bremilo
}

# A fresh folder, a window moved by the user, and two restarts: every window
# comes back where it was left, to the pixel.
case_pelmora_places() {
  new_folder 1
  start_program pelmora
  answer_boxes_until "$PELMORA_MENU" pelmora
  open_tool 1
  expect_frame_at "$WIN" 0 0
  leave_tool 1
  open_tool 1
  expect_frame_at "$WIN" 0 0
  drag_title "$WIN" 150 90
  wait_until "$STEP_LIMIT_MS" "the moved window to settle" settled "$WIN"
  read_frame "$WIN"
  local tool_x=$FRAME_X tool_y=$FRAME_Y
  [ "$tool_x" -ne 0 ] || fail "the window did not move"
  leave_tool 1
  wait_window "$PELMORA_MENU"
  drag_title "$WIN" -40 -30
  wait_until "$STEP_LIMIT_MS" "the moved menu to settle" settled "$WIN"
  read_frame "$WIN"
  local menu_x=$FRAME_X menu_y=$FRAME_Y
  end_pelmora
  [ "$(line 1 "$FOLDER/pelmora.ini")/$(line 2 "$FOLDER/pelmora.ini")" = "$menu_y/$menu_x" ] ||
    fail "menu stored as $(line 1 "$FOLDER/pelmora.ini")/$(line 2 "$FOLDER/pelmora.ini"), left at $menu_y/$menu_x"
  [ "$(line 6 "$FOLDER/pelmora.ini")/$(line 7 "$FOLDER/pelmora.ini")" = "$tool_y/$tool_x" ] ||
    fail "tool stored as $(line 6 "$FOLDER/pelmora.ini")/$(line 7 "$FOLDER/pelmora.ini"), left at $tool_y/$tool_x"
  cp "$FOLDER/pelmora.ini" "$WORK/first.ini"
  for restart in 1 2; do
    start_program pelmora
    wait_window "$PELMORA_MENU"
    expect_frame_at "$WIN" "$menu_x" "$menu_y"
    open_tool 1
    expect_frame_at "$WIN" "$tool_x" "$tool_y"
    leave_tool 1
    end_pelmora
    cmp -s "$WORK/first.ini" "$FOLDER/pelmora.ini" ||
      fail "restart $restart changed the settings: $(diff <(tr -d '\r' <"$WORK/first.ini") <(tr -d '\r' <"$FOLDER/pelmora.ini") | tr '\n' ' ')"
  done
}

case_bremilo_places() {
  new_folder 1
  start_program bremilo
  answer_boxes_until "$BREMILO_MENU" bremilo
  wait_window "$BREMILO_MENU"
  click "$WIN" $BREMILO_OVERVIEW
  wait_window "$BREMILO_OVERVIEW_TITLE"
  expect_frame_at "$WIN" 0 0
  drag_title "$WIN" 120 70
  wait_until "$STEP_LIMIT_MS" "the moved window to settle" settled "$WIN"
  read_frame "$WIN"
  local page_x=$FRAME_X page_y=$FRAME_Y
  click "$WIN" $BREMILO_OVERVIEW_CLOSE
  wait_window "$BREMILO_MENU"
  drag_title "$WIN" 60 40
  wait_until "$STEP_LIMIT_MS" "the moved menu to settle" settled "$WIN"
  read_frame "$WIN"
  local menu_x=$FRAME_X menu_y=$FRAME_Y
  end_bremilo
  local ini=$FOLDER/bremelo_san.ini
  [ "$(line 1 "$ini")/$(line 2 "$ini")/$(line 9 "$ini")/$(line 10 "$ini")" = "$menu_y/$menu_x/$page_y/$page_x" ] ||
    fail "stored $(line 1 "$ini")/$(line 2 "$ini")/$(line 9 "$ini")/$(line 10 "$ini"), left at $menu_y/$menu_x/$page_y/$page_x"
  cp "$ini" "$WORK/first.ini"
  for restart in 1 2; do
    start_program bremilo
    answer_boxes_until "$BREMILO_MENU" bremilo
    wait_window "$BREMILO_MENU"
    expect_frame_at "$WIN" "$menu_x" "$menu_y"
    click "$WIN" $BREMILO_OVERVIEW
    wait_window "$BREMILO_OVERVIEW_TITLE"
    expect_frame_at "$WIN" "$page_x" "$page_y"
    click "$WIN" $BREMILO_OVERVIEW_CLOSE
    end_bremilo
    cmp -s "$WORK/first.ini" "$ini" ||
      fail "restart $restart changed the settings: $(diff <(tr -d '\r' <"$WORK/first.ini") <(tr -d '\r' <"$ini") | tr '\n' ' ')"
  done
}

# Stored places that leave windows partly off the screen: each window is
# pulled wholly onto it, by no more than it must.
case_pelmora_partly_off_screen() {
  new_folder 1
  pelmora_ini 900 1100 -50 1000
  start_program pelmora
  wait_window "$PELMORA_MENU"
  read_frame "$WIN"
  expect_frame_at "$WIN" $((SCREEN_W - FRAME_W)) $((SCREEN_H - FRAME_H))
  expect_on_screen "$WIN"
  open_tool 1
  read_frame "$WIN"
  expect_frame_at "$WIN" $((SCREEN_W - FRAME_W)) 0
  expect_on_screen "$WIN"
  leave_tool 1
  end_pelmora
}

case_bremilo_partly_off_screen() {
  new_folder 1
  bremilo_ini 800 -300 0 0 0 0 0 0 700 900
  start_program bremilo
  answer_boxes_until "$BREMILO_MENU" bremilo
  wait_window "$BREMILO_MENU"
  read_frame "$WIN"
  expect_frame_at "$WIN" 0 $((SCREEN_H - FRAME_H))
  expect_on_screen "$WIN"
  click "$WIN" $BREMILO_OVERVIEW
  wait_window "$BREMILO_OVERVIEW_TITLE"
  read_frame "$WIN"
  expect_frame_at "$WIN" $((SCREEN_W - FRAME_W)) $((SCREEN_H - FRAME_H))
  expect_on_screen "$WIN"
  click "$WIN" $BREMILO_OVERVIEW_CLOSE
  end_bremilo
}

# expect_menu_stays MENU OPEN LEAVE END SETTINGS: the menu, which the window
# manager placed (a fresh folder) and the user then moved, comes back to that
# place after each of two visits to a window (the functions OPEN and LEAVE)
# and is stored there by 終了 (at END).
expect_menu_stays() {
  wait_window "$1"
  drag_title "$WIN" -150 -100
  wait_until "$STEP_LIMIT_MS" "the moved menu to settle" settled "$WIN"
  read_frame "$WIN"
  local x=$FRAME_X y=$FRAME_Y visit
  for visit in 1 2; do
    $2
    $3
    wait_window "$1"
    expect_frame_at "$WIN" "$x" "$y"
  done
  click "$WIN" $4
  expect_program_end
  [ "$(line 1 "$5")/$(line 2 "$5")" = "$y/$x" ] || fail "menu stored as $(line 1 "$5")/$(line 2 "$5"), left at $y/$x"
}

case_pelmora_menu_stays() {
  new_folder 1
  start_program pelmora
  answer_boxes_until "$PELMORA_MENU" pelmora
  expect_menu_stays "$PELMORA_MENU" "open_tool 1" "leave_tool 1" "$PELMORA_END" "$FOLDER/pelmora.ini"
}

open_standalone() {
  click "$WIN" $BREMILO_STANDALONE
  wait_window "$BREMILO_STANDALONE_TITLE"
}

leave_standalone() {
  click "$WIN" $BREMILO_STANDALONE_END
  wait_window_gone "$BREMILO_STANDALONE_TITLE"
}

case_bremilo_menu_stays() {
  new_folder 1
  start_program bremilo
  answer_boxes_until "$BREMILO_MENU" bremilo
  expect_menu_stays "$BREMILO_MENU" open_standalone leave_standalone "$BREMILO_END" "$FOLDER/bremelo_san.ini"
}

as_number() { printf '%d' "$1" 2>/dev/null || echo 0; }
active_window() { as_number "$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# //p' | cut -d, -f1)"; }
focused_window() { as_number "$(xdotool getwindowfocus 2>/dev/null)"; }
menu_has_focus() { [ "$(active_window)" = "$MENU_ID" ] && [ "$(focused_window)" = "$MENU_ID" ]; }

# The pupil number box has the focus at start, also beside the board window:
# a number typed at once names the file the sign board leaves behind.
case_pelmora_focus() {
  new_folder 1
  pelmora_ini 100 100
  sed -i '3s/.*/1\r/' "$FOLDER/pelmora.ini"  # the microcontroller menus, 電光掲示板 among them
  start_program pelmora --simulated-board
  wait_window "$BOARD"
  wait_window "$PELMORA_MENU"
  MENU_ID=$(as_number "$WIN")
  local end=$(($(now_ms) + STEP_LIMIT_MS))
  until menu_has_focus; do
    [ "$(now_ms)" -lt "$end" ] ||
      fail "the focus is on \"$(title_of "$(focused_window)")\", the active window \"$(title_of "$(active_window)")\", not the menu"
    pause
  done
  xdotool type --delay 30 12
  click "$WIN" $PELMORA_SIGNBOARD
  # Read the pupil's file? Yes; it is missing: OK.
  answer_boxes_until "$SIGNBOARD_TITLE" pelmora
  wait_window "$SIGNBOARD_TITLE"
  close_by_key "$WIN"
  wait_window "$PELMORA_MENU"
  [ -f "$FOLDER/data/lcd12_1.dat" ] || fail "the typed pupil number did not reach 出席番号: $(ls "$FOLDER/data")"
  end_pelmora
}

# close_by_key WINDOW: the window manager's close key (openbox: Alt+F4),
# which sends the window a close request.
close_by_key() {
  xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4
}

# end_past_size_limit MENU END SETTINGS BOX: 終了 (at END) once the program
# may write no more, as on a full disk: the failed save is told in a box
# titled BOX instead of SIGXFSZ ending the program, the old settings file
# stays whole, and answering the box ends the program.
box_or_end() { program_ended || find_window "$1" >/dev/null; }
end_past_size_limit() {
  wait_window "$1"
  cp "$3" "$WORK/before.ini"
  # Lowered once the program runs: pelmora cannot start without writing its
  # instance lock.
  prlimit --pid "$PROGRAM_PID" --fsize=0
  click "$WIN" $2
  wait_until "$STEP_LIMIT_MS" "a box or the end of the program" box_or_end "$4"
  if program_ended; then
    local rc=0
    wait "$PROGRAM_PID" || rc=$?
    fail "the program ended with status $rc on a save past its file-size limit"
  fi
  cmp -s "$WORK/before.ini" "$3" || fail "the failed save changed the settings file"
  xdotool windowactivate --sync "$(find_window "$4")" key --clearmodifiers Return
  expect_program_end
}

# 終了 ends the process, with and without the simulated board's window; a
# close request from the window manager runs a window's leaving step.
# A save past the file-size limit is told, and the program goes on.
case_pelmora_end() {
  new_folder 1
  pelmora_ini 100 100
  # Read as 60000 and written back so: shows that the settings were saved.
  sed -i '20s/.*/500\r/' "$FOLDER/pelmora.ini"
  start_program pelmora
  open_tool 2
  close_by_key "$WIN"
  wait_window_gone "${TOOL_TITLE[2]}"
  wait_window "$PELMORA_MENU"
  close_by_key "$WIN"
  expect_program_end
  [ "$(line 20 "$FOLDER/pelmora.ini")" = 60000 ] || fail "the close request did not save the settings"
  start_program pelmora
  end_pelmora
  start_program pelmora
  end_past_size_limit "$PELMORA_MENU" "$PELMORA_END" "$FOLDER/pelmora.ini" pelmora
}

case_pelmora_end_simulated_board() {
  new_folder 1
  pelmora_ini 100 100
  start_program pelmora --simulated-board
  wait_window "$BOARD"
  # The board's window refuses a close request; 終了 ends all the same.
  close_by_key "$WIN"
  wait_window "$BOARD"
  end_pelmora
  # The next start is not refused as a second copy.
  start_program pelmora --simulated-board
  wait_window "$BOARD"
  end_pelmora
}

case_bremilo_end() {
  new_folder 1
  bremilo_ini 100 100
  start_program bremilo
  answer_boxes_until "$BREMILO_MENU" bremilo
  end_bremilo
  start_program bremilo --simulated-board
  answer_boxes_until "$BREMILO_MENU" bremilo
  end_bremilo
  start_program bremilo
  answer_boxes_until "$BREMILO_MENU" bremilo
  end_past_size_limit "$BREMILO_MENU" "$BREMILO_END" "$FOLDER/bremelo_san.ini" bremilo
}

start_desktop
"case_$1"
echo "PASS: $1"
