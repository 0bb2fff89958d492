#!/usr/bin/env bash
# Installs the dependencies, then builds and runs the whole test suite twice: a Release build,
# and a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
failed=0

# Configures, builds and tests one configuration; the project's own code must build without a warning.
run_configuration()
{
    local name=$1; shift
    local dir="build/ci-$name"
    echo "==== $name: configure"
    cmake -S . -B "$dir" -G Ninja -DQUILLMONT_WERROR=ON "$@"
    echo "==== $name: build"
    cmake --build "$dir" -j "$jobs" 2>&1 | tee "$dir/build.log"
    if grep -E "warning:" "$dir/build.log" | grep -vE "^/usr/(share|include)/" ; then
        echo "==== $name: the project's own code built with warnings"
        failed=1
    fi
    echo "==== $name: test"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" || failed=1
}

run_configuration release -DCMAKE_BUILD_TYPE=Release

ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0" \
run_configuration sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMONT_SANITIZE=ON -DQUILLMONT_BUILD_BENCHMARKS=OFF

echo "==== fuzz: the state, preset and settings readers and the news reply"
bash scripts/run-fuzzers.sh build/ci-fuzz 50000 || failed=1

exit $failed
