#!/bin/sh
# Runs a Windows test under Wine with its output in a file that is printed afterwards. A program
# the test leaves running on purpose (the shell that the Windows 7 icon refresh restarts) then
# holds that file and not the output of the test runner, which would wait for it forever.
log=$(mktemp)
"$@" >"$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
exit $status
