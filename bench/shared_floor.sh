# The floor every speed figure is measured against: ../shared/floor, a bare
# Qt process writing a one-page PDF, built as it stands. Sourced by the
# benchmarks: SharedFloor BUILD_FOLDER BENCH_NAME builds it into
# BUILD_FOLDER/shared-floor and prints the program's path.
SharedFloor() {
    local source
    source="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/../shared/floor"
    [[ -d $source ]] || { echo "$2: the floor $source is missing." >&2; return 1; }
    cmake -S "$source" -B "$1/shared-floor" -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        cmake --build "$1/shared-floor" >/dev/null &&
        echo "$1/shared-floor/floor"
}
