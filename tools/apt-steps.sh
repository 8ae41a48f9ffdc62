# Installing Debian packages on a day when the package mirror may be
# mid-sync, for sh scripts to source. The lists are fetched with retries,
# and a list that still cannot be fetched is a warning that quotes apt: the
# install goes on with the lists there are. An install fails only when a
# package cannot be installed, and then names it with apt's reason.
#
# The sourcing script sets apt_who (the name its messages start with) and
# may redefine apt_get (guest-image.sh runs apt-get in its chroot).
# MARLOW_APT_TRIES and MARLOW_APT_PAUSE (seconds) set the retries.

apt_tries=${MARLOW_APT_TRIES:-3}
apt_pause=${MARLOW_APT_PAUSE:-20}
apt_who=${apt_who:-apt}

apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get "$@"
}

# apt's error lines in its output FILE, and the first dependency it could
# not meet, on one line.
apt_reason() {
    {
        grep -E '^(E|Err):' "$1"
        grep -m 1 -E '^ +[^ ]+ : (Pre)?Depends:' "$1" | sed 's/^ */(/; s/$/)/'
    } | head -n 4 | tr '\n' ' ' | sed 's/ *$//'
}

apt_update() {
    apt_log=$(mktemp)
    apt_try=1
    until apt_get update -qq > "$apt_log" 2>&1; do
        if [ "$apt_try" -ge "$apt_tries" ]; then
            # Quote each list apt could not fetch; its summary line adds nothing.
            grep -E '^(E|W|Err):' "$apt_log" | grep -v 'Some index files failed to download' |
                while IFS= read -r line; do
                    echo "$apt_who: warning: a package list could not be fetched, going on with the others: $line" >&2
                done
            rm -f "$apt_log"
            return 0
        fi
        echo "$apt_who: the package lists could not all be fetched (try $apt_try of $apt_tries), trying again in $apt_pause s" >&2
        sleep "$apt_pause"
        apt_try=$((apt_try + 1))
    done
    rm -f "$apt_log"
}

# apt_install PACKAGE...: installs them all, or names each one that cannot
# be installed with apt's reason and fails. A download that the mirror cut
# off is tried again.
apt_install() {
    apt_log=$(mktemp)
    apt_try=1
    until apt_get install -y -qq --no-install-recommends "$@" > "$apt_log" 2>&1; do
        apt_refused=""
        for apt_pkg in "$@"; do
            if ! apt_get install -s -y --no-install-recommends "$apt_pkg" > "$apt_log.one" 2>&1; then
                echo "$apt_who: cannot install $apt_pkg: $(apt_reason "$apt_log.one")" >&2
                apt_refused="$apt_refused $apt_pkg"
            fi
        done
        rm -f "$apt_log.one"
        if [ -z "$apt_refused" ] && { [ "$apt_try" -ge "$apt_tries" ] || ! grep -q 'Failed to fetch' "$apt_log"; }; then
            echo "$apt_who: cannot install $*: $(apt_reason "$apt_log")" >&2
            apt_refused="$*"
        fi
        if [ -n "$apt_refused" ]; then
            rm -f "$apt_log"
            return 1
        fi
        echo "$apt_who: a download failed (try $apt_try of $apt_tries), trying again in $apt_pause s: $(apt_reason "$apt_log")" >&2
        sleep "$apt_pause"
        apt_try=$((apt_try + 1))
    done
    rm -f "$apt_log"
}
