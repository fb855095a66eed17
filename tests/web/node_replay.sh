#!/usr/bin/env bash
# kinopa-replay as WebAssembly under node, called as the native one is:
#   node_replay.sh SCRIPT      (KINOPA_NODE and KINOPA_REPLAY_JS say where)
exec "${KINOPA_NODE:-node}" "${KINOPA_REPLAY_JS:?}" "$@"
