# Sourced by the quindo-records command-line tests: a temporary folder that
# goes when the script ends however it ends, a failure report, and the exit
# status of a command that is expected to fail.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
status_of() { local s=0; "$@" >/dev/null 2>&1 || s=$?; echo "$s"; }
