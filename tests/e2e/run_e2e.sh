#!/usr/bin/env bash
# End-to-end: the real pinlet.exe driven with mouse and keyboard on an X display, as a user
# would. Needs a running Wine session (scripts/wine_session.sh). Runs every suite; each prints
# PASS/FAIL lines. Exits non-zero on any failure.
set -uo pipefail
dir="$(dirname "$0")"
status=0
for suite in drags journeys keeping keys look unicode opening file_safety recovery desktop install reading; do
    bash "$dir/$suite.sh" || status=1
done
# The end of the session and two notes side by side.
bash "$dir/sessions.sh" || status=1
exit $status
