#!/usr/bin/env bash
# Mutation testing: how many small faults in image/, link/ and pgm/ the unit
# and window tests (image_tests, link_tests, gui_tests) catch.
#
#   tools/mutants.sh [--tree DIR] [--tests-from COMMIT] [-n COUNT] [--seed S]
#                    [-j JOBS] [--survivors] [--matrix FILE] [--list] [--work DIR]
#
#   --tree DIR          tree to measure (default: this repository's working tree)
#   --tests-from COMMIT use tests/ from COMMIT of that tree's repository
#   -n COUNT            compiled mutants to run (default 160)
#   --seed S            sampling seed (default 1)
#   -j JOBS             parallel workers (default: half the cores)
#   --survivors         list the mutants no test caught (file:line, kind, old and new line)
#   --matrix FILE       run every test case on each mutant; FILE gets one line a mutant:
#                       file:line, kind and the test cases that caught it (slower)
#   --list              only print the first COUNT sampled candidates
#   --work DIR          keep the worker trees in DIR (default: a temporary folder, removed)
#
# Mutants: a comparison flipped (< to >=, == to !=, ...), an integer constant
# shifted by one, an expression statement dropped, true and false swapped; in
# the .cpp files of the three folders and their sub-folders. Sites are ranked
# by a hash of the seed, the file's name (not its folder) and the line's text,
# so moving files keeps the sample. Each worker builds its own copy of the tree
# (no sanitizers, -O0, ccache when present), then per mutant rebuilds only the
# test programs that link the changed folder and runs them; a failure, crash or
# hang (timeout) counts as caught. Mutants that do not compile are reported as
# "not compiled" and the next candidates are drawn until COUNT compiled ones ran.
# The measured tree itself is never written; an interrupt stops the workers and
# removes their copies. The last line of output is "caught N of M".
set -euo pipefail
command -v python3 > /dev/null || { echo "tools/mutants.sh needs python3" >&2; exit 2; }
exec python3 "$(dirname "$0")/mutants.py" "$@"
