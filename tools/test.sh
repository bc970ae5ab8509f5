#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; then builds the sanitizer
# build (AddressSanitizer, LeakSanitizer, UBSan) into build-asan and runs the whole suite again
# there; then every fuzz target runs for 20 seconds, a fault found failing the run and
# naming the input. Tests that need OpenGL run in a virtual X server with Mesa's software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
bash tools/install-deps.sh
bash tools/build.sh
# -noreset: a test that closes its last window and opens another must not meet a server that is
# resetting because it was left without clients for a moment.
xvfb=(xvfb-run -a -s "-screen 0 1920x1080x24 -noreset")
(cd build && "${xvfb[@]}" ctest --output-on-failure -j "$(nproc)")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWENDLEBOX_SANITIZE=ON
cmake --build build-asan --target wendlebox wendlebox_tests wendlebox_gl_tests
cd build-asan
# The leak checker's guess at where a thread's dynamic TLS lies can read a stray header and
# hand it a range near address zero, which crashed its tracer at exit after a GL test had
# passed. Without that guess TLS blocks are still found: the thread's static TLS
# points at its DTV, and the DTV at the blocks, all of them heap memory the checker scans.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=0:intercept_tls_get_addr=0"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"${xvfb[@]}" ctest --output-on-failure -j "$(nproc)"
cd ..
bash tools/fuzz.sh 20
