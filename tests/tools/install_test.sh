#!/bin/sh
# Drives tools/install-deps.sh and tools/wine/install.sh against stand-ins
# for apt-get, dpkg, dpkg-query and id, as on a day when the package mirror
# is mid-sync: lists that fail for a while or for good, packages that cannot
# be installed, wine32 refused on a host that runs 32-bit programs.
#
#   install_test.sh SOURCE_DIR
set -u
src=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

mkdir -p "$work/bin" "$work/tree/tools/wine"
cp "$src/tools/install-deps.sh" "$src/tools/apt-steps.sh" "$work/tree/tools/"
cp "$src/tools/wine/install.sh" "$src/tools/wine/machine.sh" "$work/tree/tools/wine/"
# This host runs 32-bit programs, whatever the real one does.
printf '#!/bin/sh\nexit 0\n' > "$work/tree/tools/wine/runs-32-bit.sh"

# The stand-ins keep their state in $state: installed (one package a line),
# update-failures (a count, or "always"), refused (packages apt cannot
# install), arches, and calls (every apt-get call).
cat > "$work/bin/apt-get" <<'STUB'
#!/bin/sh
echo "apt-get $*" >> "$state/calls"
case "$1" in
update)
    n=$(cat "$state/update-failures")
    [ "$n" = 0 ] && exit 0
    [ "$n" = always ] || echo $((n - 1)) > "$state/update-failures"
    echo "E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
install)
    shift
    simulate=""; packages=""
    for a in "$@"; do case "$a" in -s) simulate=1 ;; -*) ;; *) packages="$packages $a" ;; esac; done
    for p in $packages; do
        if grep -qx "$p" "$state/refused"; then
            echo " $p : Depends: libwine:i386 (= 8.0~repack-4) but it is not going to be installed"
            echo "E: Unable to correct problems, you have held broken packages."
            exit 100
        fi
    done
    [ -n "$simulate" ] || for p in $packages; do echo "$p" >> "$state/installed"; done ;;
esac
STUB
cat > "$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
eval "last=\${$#}"
grep -qx "$last" "$state/installed" && printf 'install ok installed'
STUB
cat > "$work/bin/dpkg" <<'STUB'
#!/bin/sh
case "$1" in
--print-foreign-architectures) cat "$state/arches" ;;
--add-architecture) echo "$2" >> "$state/arches" ;;
esac
STUB
printf '#!/bin/sh\necho 0\n' > "$work/bin/id"
chmod +x "$work/bin/"* "$work/tree/tools/"*.sh "$work/tree/tools/wine/"*.sh

PATH="$work/bin:$PATH"
MARLOW_APT_PAUSE=0
export PATH MARLOW_APT_PAUSE
unset MARLOW_WINE_MACHINE

# fresh UPDATE-FAILURES REFUSED...: a machine with nothing installed.
fresh() {
    state="$work/state"
    export state
    rm -rf "$state" "$work/tree/build"
    mkdir -p "$state"
    echo "$1" > "$state/update-failures"
    shift
    : > "$state/installed"; : > "$state/arches"; : > "$state/calls"
    for p in "$@"; do echo "$p" >> "$state/refused"; done
    touch "$state/refused"
}

# run COMMAND...: its status, standard output and error go to $status, $out.
run() {
    "$@" > "$work/out" 2>&1
    status=$?
    out=$(cat "$work/out")
}

expect() {
    if ! eval "$2"; then
        echo "FAIL: $1"
        echo "$out" | sed 's/^/    | /'
        failures=$((failures + 1))
    fi
}

tools="$work/tree/tools"
updates() { grep -c '^apt-get update' "$state/calls"; }

fresh 2
run "$tools/install-deps.sh" cmake sox
expect "an update that fails twice is tried a third time, and passes" \
    '[ $status = 0 ] && [ "$(updates)" = 3 ] && grep -qx sox "$state/installed"'
expect "an update that passed at last warns of nothing" '! echo "$out" | grep -q warning'

fresh always
run "$tools/install-deps.sh" cmake sox
expect "a list that never comes is a warning quoting apt, and the install goes on" \
    '[ $status = 0 ] && [ "$(updates)" = 3 ] && grep -qx cmake "$state/installed" &&
     echo "$out" | grep -q "warning: .*Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"'

fresh 0 libgtest-dev
run "$tools/install-deps.sh" cmake libgtest-dev
expect "a needed package that cannot be installed fails, named with apt's reason" \
    '[ $status != 0 ] && echo "$out" | grep -q "cannot install libgtest-dev: E: Unable to correct problems, you have held broken packages. (libgtest-dev : Depends: libwine:i386"'
expect "only the package that cannot be installed is named" '! echo "$out" | grep -q "cannot install cmake"'

fresh always wine32:i386
run "$tools/wine/install.sh"
expect "where wine32 cannot be installed the tier's install passes, with the emulated machine's packages" \
    '[ $status = 0 ] && grep -qx qemu-system-x86 "$state/installed" && grep -qx i386 "$state/arches"'
expect "the emulated route is taken and said once, in one line, with apt's reason" \
    '[ "$(echo "$out" | grep -c "emulated machine")" = 1 ] &&
     echo "$out" | grep -q "^Windows tier: this host runs 32-bit programs, but cannot install wine32:i386: E: .*; the tier runs in the emulated machine$"'
run "$tools/wine/machine.sh" kind
expect "machine.sh kind answers the route that will run" '[ $status = 0 ] && [ "$out" = emulated ]'
MARLOW_WINE_MACHINE=direct run "$tools/wine/machine.sh" kind
expect "a forced direct route that cannot be had fails clearly" \
    '[ $status != 0 ] && echo "$out" | grep -q "MARLOW_WINE_MACHINE=direct, but wine32 cannot be installed here: cannot install wine32:i386"'
fresh 0 wine32:i386
MARLOW_WINE_MACHINE=direct run "$tools/wine/install.sh"
expect "a forced direct install that cannot be had fails clearly" \
    '[ $status != 0 ] && echo "$out" | grep -q "^install.sh: MARLOW_WINE_MACHINE=direct, but cannot install wine32:i386"'

fresh 0
run "$tools/wine/install.sh"
expect "where wine32 installs, the route is direct" \
    '[ $status = 0 ] && grep -qx wine32:i386 "$state/installed" && [ "$("$tools/wine/machine.sh" kind)" = direct ]'

[ "$failures" = 0 ] && echo "install_test: every case passed"
exit "$failures"
