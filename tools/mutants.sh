#!/usr/bin/env bash
# Mutation testing: how many small faults in image/, link/, pgm/ and hidlib/
# the tests catch (image_tests, link_tests, gui_tests, for pgm/ also the
# two-screen scaled_tests; for hidlib/ its unit tests hidlib_tests and the
# real-kernel test hidlib_qemu_uhid, about 10 s a mutant, left out with a
# note when it skips itself for want of QEMU).
#
#   tools/mutants.sh [--tree DIR] [--tests-from COMMIT] [-n COUNT] [--seed S]
#                    [-j JOBS] [--survivors] [--matrix FILE] [--list]
#                    [--excluded FILE] [--work DIR] [--files GLOB]
#
#   --tree DIR          tree to measure (default: this repository's working tree)
#   --tests-from COMMIT use tests/ from COMMIT of that tree's repository
#   -n COUNT            compiled behaviour mutants to run (default 160)
#   --seed S            sampling seed (default 1)
#   -j JOBS             parallel workers (default: half the cores)
#   --survivors         list the mutants no test caught (file:line, kind@column,
#                       "(layout)" on layout lines, old and new line)
#   --matrix FILE       run every test case on each mutant; FILE gets one line a mutant:
#                       file:line, kind@column, behaviour or layout, and the test cases
#                       that caught it (slower)
#   --list              only print the sample's candidates, up to COUNT behaviour ones
#                       (file:line, kind@column, old and new line, "layout" on layout lines)
#   --excluded FILE     exclusion list (default: the tree's tools/mutants-excluded.txt,
#                       else this repository's; /dev/null for none)
#   --work DIR          keep the worker trees in DIR (default: a temporary folder, removed)
#   --files GLOB        only mutants in files matching GLOB, e.g. 'pgm/panels/Isd*'
#                       (repeatable; with a large COUNT, every mutant of those files)
#
# Mutants: a comparison flipped (< to >=, == to !=, ...), an integer constant
# shifted by one (up or down, as the seed picks: "integer+1", "integer-1"), an expression statement dropped, true and false swapped; in
# the .cpp files of the four folders and their sub-folders. Sites are ranked
# by a hash of the seed, the file's name (not its folder) and the line's text,
# so moving files or editing other lines keeps the sample.
#
# tools/mutants-excluded.txt is a reviewed list of kinds of source lines:
# patterns on the trimmed line (for example every integer among the place and
# size arguments of a call that places a widget, every statement that only sets
# a font, pen, frame, cursor or decorative colour), optionally for one file,
# and single lines (file name and trimmed text, optionally one kind of mutant
# or one column), each with a category and a reason: "equivalent" mutants
# cannot change behaviour and are dropped before sampling (each names its one
# kind of mutant); "layout" mutants (pixel places and sizes, decoration,
# artwork geometry) run and are counted apart; "behaviour" entries take a line
# back from a pattern. As kinds are classified, not sampled lines, every seed
# sorts its sample the same way. Entries that no longer name any mutant are
# warned about on stderr. COUNT counts behaviour mutants: the sample is the
# shortest prefix of the ranked candidates (equivalent ones left out) holding
# COUNT compiled behaviour mutants, and the layout mutants within that prefix
# run too, so the behaviour figure keeps its size however many lines the list
# names.
#
# Each worker builds its own copy of the tree (no sanitizers, -O0, ccache when
# present), then per mutant rebuilds only the test programs that link the
# changed folder and runs them; a failure, crash or hang (timeout) counts as
# caught. Mutants that do not compile are reported as "not compiled" and the
# next candidates are drawn instead. The measured tree itself is never written;
# an interrupt stops the workers and removes their copies. The output ends
# with the figures by kind (behaviour mutants), then "layout: caught X of Y",
# then, as its last line, "caught N of M behaviour mutants".
set -euo pipefail
command -v python3 > /dev/null || { echo "tools/mutants.sh needs python3" >&2; exit 2; }
exec python3 "$(dirname "$0")/mutants.py" "$@"
