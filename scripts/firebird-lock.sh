# Sourced by setup, run and test. The embedded engine keeps its lock files in /tmp/firebird;
# when another user made that folder (an earlier run as root), this user gets a folder of
# its own.
if [ -z "${FIREBIRD_LOCK:-}" ] && [ -e /tmp/firebird ] && [ ! -w /tmp/firebird ]; then
  export FIREBIRD_LOCK="/tmp/firebird-$(id -u)"
fi
