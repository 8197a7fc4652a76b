#!/usr/bin/env bash
# Starts the application on a file under the current X display, waits for its main
# window, quits with Ctrl+Q as a user would and checks that it ends by itself.
set -euo pipefail
app=$1 file=$2
title="Lodo Calculator, v 2.0 Beta"
"$app" "$file" &
pid=$!
# The splash comes first (about 4.5 s).
if ! timeout 60 xdotool search --sync --onlyvisible --name "$title" > /dev/null; then
  kill "$pid" 2> /dev/null; echo "the main window never appeared"; exit 1
fi
sleep 1
# No window manager runs here: give the window the focus, then type as a user.
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "$title" | head -1)"
xdotool key ctrl+q
for _ in $(seq 1 30); do
  kill -0 "$pid" 2> /dev/null || break
  sleep 1
done
if kill -0 "$pid" 2> /dev/null; then
  kill "$pid"; echo "the application did not close on Quit"; exit 1
fi
wait "$pid"
