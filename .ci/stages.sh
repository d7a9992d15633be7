# Sourced by the CI scripts: `stage NAME COMMAND...` runs one stage in a
# subshell that stops at its first failing command, prints how long it
# took, and fails as it failed; print_stage_times lists every stage run so
# far with its time.
stage_times=()

stage() {
  local name=$1 start=$SECONDS status
  shift
  echo "== $name"
  set +e
  (
    set -e
    "$@"
  )
  status=$?
  set -e
  local line
  printf -v line '%6d s  %s' $((SECONDS - start)) "$name"
  ((status == 0)) || line+=": FAILED with status $status"
  stage_times+=("$line")
  echo "-- $name: $((SECONDS - start)) s"
  return "$status"
}

print_stage_times() {
  ((${#stage_times[@]})) || return 0
  echo "== the time of each stage"
  printf '%s\n' "${stage_times[@]}"
}
