# The build steps that tools/run-tests, tools/run-player and the bench/
# scripts share. Sourced, not run: it sets `root` (the repository) and
# `release` (the Release tree the player and the benchmarks run from) and
# defines the functions below; it does nothing else by itself.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
release="$root/build/release"

# Installs the Debian packages the machine lacks.
setup_machine() {
    "$root/tools/setup-machine"
}

# configure_tree DIR BUILD_TYPE [CMAKE_OPTION...]
configure_tree() {
    local dir=$1 type=$2
    shift 2
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
}

# build_tree DIR [TARGET...]: the named targets, or everything.
build_tree() {
    local dir=$1
    shift
    if [ $# -gt 0 ]; then
        cmake --build "$dir" -j"$(nproc)" --target "$@"
    else
        cmake --build "$dir" -j"$(nproc)"
    fi
}

# build_release [TARGET...]: the Release tree, without tests.
build_release() {
    configure_tree "$release" Release -DQUELVO_TESTS=OFF
    build_tree "$release" "$@"
}
