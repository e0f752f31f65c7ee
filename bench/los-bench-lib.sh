# Shared by the benchmark scripts of the store's memory (sourced, not run).

# Takes BUILD_DIR REGIONS_DIR [WORK_DIR] [BEFORE_COMMIT] into build, regions,
# work (a new temporary folder named after PREFIX by default) and before (the
# commit where this branch left main by default); sets model, makes the
# folders, goes into the work folder (the trace file goes there) and builds
# tolvar-run of the commit before (beforeRun). here is the source folder.
take_arguments() {
    local prefix=$1
    shift
    build=$(cd "${1:?build folder}" && pwd)
    mkdir -p "${2:?folder of the generated regions}"
    regions=$(cd "$2" && pwd)
    work=${3:-$(mktemp -d "/tmp/$prefix.XXXXXX")}
    before=${4:-$(git -C "$here" merge-base HEAD main)}
    model=$here/sample/tolvar-sample.tvm
    mkdir -p "$work"
    work=$(cd "$work" && pwd)
    cd "$work"
    build_before "$here" "$work" "$before"
}

# Builds tolvar-run of a commit once in WORK/before and sets beforeRun to it.
build_before() {
    local here=$1 work=$2 commit=$3
    beforeRun=$work/before/build/bench/tolvar-run
    [ -x "$beforeRun" ] && return
    rm -rf "$work/before"
    mkdir -p "$work/before/src"
    git -C "$here" archive "$commit" | tar -x -C "$work/before/src"
    local launcher=()
    if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
    cmake -S "$work/before/src" -B "$work/before/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTOLVAR_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
    cmake --build "$work/before/build" --target tolvar-run >/dev/null
}

# The region of ZONES zones and HOUSEHOLDS households (seed 1) in REGIONS_DIR,
# generated when missing and read once so that the first run does not pay for
# reading the file from disk; prints its path.
region_file() {
    local build=$1 regions=$2 zones=$3 households=$4
    local region=$regions/z$zones-h$((households / zones)).db
    [ -f "$region" ] || "$build/tools/tolvar-sample-region" --zones "$zones" --households "$households" \
        --sqlite "$region" >/dev/null
    cat "$region" >/dev/null
    echo "$region"
}

persons() { cat "$1"/Adults.out* "$1"/Children.out* | wc -l; }

# Whether two output folders hold the same files, byte for byte.
same() {
    local f
    for f in "$1"/*.out*; do cmp -s "$f" "$2/$(basename "$f")" || { echo no; return; }; done
    echo yes
}

# The smaller of two numbers, the first may be empty.
smaller() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b + 0 < a + 0) ? b : a }'; }
