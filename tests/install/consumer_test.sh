#!/usr/bin/env bash
# Installs a vibsim build tree into a temporary prefix, then builds the
# consumer programs of consumer/ against it twice - through find_package(vibsim)
# and through pkg-config - and runs them. With examples=<examples/> and labs=<labs/> it also
# builds the example programs against the installed package alone, and runs
# them and the installed ones from a folder that holds no conversion tables.
#
# Arguments, as key=value: cmake=<cmake> build=<build tree> source=<consumer/>
# generator=<CMake generator> build_type=<type> cxx=<C++ compiler>
# cxx_flags=<flags> ld_flags=<flags> [examples=<examples/>] [labs=<labs/>]. The flags are the build tree's own, so
# that sanitized libraries get a consumer that links with the sanitizers.
set -euo pipefail

cmake=cmake build='' source='' generator='Unix Makefiles' build_type=Release
cxx=c++ cxx_flags='' ld_flags='' examples='' labs=''
for arg in "$@"; do
  case $arg in
    cmake=*|build=*|source=*|generator=*|build_type=*|cxx=*|cxx_flags=*|ld_flags=*|examples=*|labs=*)
      declare "${arg%%=*}=${arg#*=}" ;;
    *) echo "unknown argument: $arg" >&2; exit 2 ;;
  esac
done
[[ -n $build && -n $source ]] || { echo "build= and source= are needed" >&2; exit 2; }

tmp=$(mktemp -d "${TMPDIR:-/tmp}/vibsim-install-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
read -r -a cxx_flag_words <<<"$cxx_flags"
read -r -a ld_flag_words <<<"$ld_flags"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Runs a consumer program and checks its exit status and the step it prints.
check_program() {
  local program=$1 label=$2 output status=0
  output=$("$program") || status=$?
  if ((status != 0)); then
    fail "$program exited with status $status: $output"
    return
  fi
  echo "$output"
  grep -qx "$label 0.9999500004166838 -0.009999833330001751" <<<"$output" ||
    fail "$program printed another step result"
}

echo "== cmake --install into $prefix"
"$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" ||
  { cat "$tmp/install.log" >&2; echo "FAIL: install of $build" >&2; exit 1; }

echo "== find_package(vibsim)"
"$cmake" -S "$source" -B "$tmp/cmake-build" -G "$generator" \
  -DCMAKE_BUILD_TYPE="$build_type" -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_CXX_FLAGS="$cxx_flags" -DCMAKE_EXE_LINKER_FLAGS="$ld_flags" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
  >"$tmp/configure.log" 2>&1 ||
  { cat "$tmp/configure.log" >&2; echo "FAIL: configure of the consumer" >&2; exit 1; }
found=$(sed -n 's/^vibsim_DIR:PATH=//p' "$tmp/cmake-build/CMakeCache.txt")
[[ $found == "$prefix"/* ]] || fail "find_package found vibsim in '$found', not in $prefix"
"$cmake" --build "$tmp/cmake-build" --verbose >"$tmp/build.log" 2>&1 ||
  { cat "$tmp/build.log" >&2; echo "FAIL: build of the consumer" >&2; exit 1; }
# The step is compiled in the consumer: it must get the library's
# no-contraction rule from vibsim::numeric.
grep -E '(^| )-c ' "$tmp/build.log" | grep 'main\.cpp' | grep -q -- '-ffp-contract=off' ||
  fail "vibsim::numeric does not pass -ffp-contract=off to its users"
check_program "$tmp/cmake-build/callable_step" callable
check_program "$tmp/cmake-build/named_step" named

echo "== pkg-config vibsim"
pc_file=$(find "$prefix" -name vibsim.pc -print -quit)
[[ -n $pc_file ]] || { echo "FAIL: no vibsim.pc installed" >&2; exit 1; }
export PKG_CONFIG_PATH=${pc_file%/*}
cflags=$(pkg-config --cflags vibsim)
libs=$(pkg-config --libs vibsim)
echo "cflags: $cflags"
echo "libs: $libs"
grep -q -- '-ffp-contract=off' <<<"$cflags" || fail "vibsim.pc does not carry -ffp-contract=off"
include_dir=$(pkg-config --variable=includedir vibsim)
[[ -f $include_dir/vibsim/runge_kutta_gill.hpp ]] ||
  fail "vibsim.pc names include directory '$include_dir', which holds no vibsim headers"
read -r -a cflag_words <<<"$cflags"
read -r -a lib_words <<<"$libs"
mkdir "$tmp/pc-build"
for program in callable_step:main.cpp named_step:named_step.cpp; do
  name=${program%%:*}
  "$cxx" "${cxx_flag_words[@]}" -Wall -Wextra -Wpedantic -Werror "${cflag_words[@]}" \
    "$source/${program#*:}" -o "$tmp/pc-build/$name" "${ld_flag_words[@]}" "${lib_words[@]}" ||
    { fail "build of $name with pkg-config flags"; continue; }
done
[[ -x $tmp/pc-build/callable_step ]] && check_program "$tmp/pc-build/callable_step" callable
[[ -x $tmp/pc-build/named_step ]] && check_program "$tmp/pc-build/named_step" named

# The lab runs one record and writes its spectrum: it must find the tables
# the package installed, beside its bin/ or where the package says they are.
check_lab() {
  local program=$1 csv=$tmp/lab.csv status=0
  rm -f "$csv"
  (cd "$tmp" && "$program" --records 1 --seed 1 --csv "$csv" >"$tmp/lab.log" 2>&1) || status=$?
  if ((status != 0)); then
    fail "$program exited with status $status: $(cat "$tmp/lab.log")"
    return
  fi
  [[ $(wc -l <"$csv") -eq 514 ]] || fail "$program wrote no spectrum of 513 harmonics"
}

# A folder of the tree built on its own against the installed package. The
# installed headers alone: no folder of the source tree is searched but the
# folder's own and the platform's (its window, glyphs and pictures).
build_alone() {
  local folder=$1 name=$2
  echo "== $name built against the installed package"
  "$cmake" -S "$folder" -B "$tmp/$name-build" -G "$generator" \
    -DCMAKE_BUILD_TYPE="$build_type" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_CXX_FLAGS="$cxx_flags" -DCMAKE_EXE_LINKER_FLAGS="$ld_flags" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
    >"$tmp/$name-configure.log" 2>&1 ||
    { cat "$tmp/$name-configure.log" >&2; echo "FAIL: configure of $name" >&2; exit 1; }
  "$cmake" --build "$tmp/$name-build" --verbose >"$tmp/$name-build.log" 2>&1 ||
    { cat "$tmp/$name-build.log" >&2; echo "FAIL: build of $name" >&2; exit 1; }
  local source_root folder_root
  source_root=$(cd "$folder/.." && pwd)
  folder_root=$(cd "$folder" && pwd)
  if grep -E '(^| )-c ' "$tmp/$name-build.log" | grep -oE -- "-I *[^ ]+" | sed 's/^-I *//' |
    grep -E "^$source_root(/|$)" | grep -vE "^$folder_root(/|$)" | grep -vqE "^$source_root/platform/"; then
    fail "$name was compiled with headers from the source tree $source_root"
  fi
}

if [[ -n $examples ]]; then
  echo "== installed programs"
  for program in vibsim-gallery vibsim-random vibsim-modes vibsim-forced vibsim-identify; do
    [[ -x $prefix/bin/$program ]] || fail "$program is not installed in $prefix/bin"
  done
  [[ -x $prefix/bin/vibsim-random ]] && check_lab "$prefix/bin/vibsim-random"
  build_alone "$examples" examples
  [[ -x $tmp/examples-build/vibsim-gallery ]] || fail "examples/ built no vibsim-gallery"
fi
if [[ -n $labs ]]; then
  build_alone "$labs" labs
  check_lab "$tmp/labs-build/vibsim-random"
fi

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed package: all checks passed"
