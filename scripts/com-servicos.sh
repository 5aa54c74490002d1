#!/usr/bin/env bash
# Runs a command with the services the tests need, then stops them by PID:
# an X server (Xvfb) and a private PulseAudio whose null sink can be recorded as "ci_mic".
#   scripts/com-servicos.sh COMANDO [ARGUMENTOS...]
set -uo pipefail
export LANG=C.UTF-8
export XDG_RUNTIME_DIR=$(mktemp -d /tmp/zelvana-xdg.XXXXXX)
chmod 700 "$XDG_RUNTIME_DIR"
export HOME=$XDG_RUNTIME_DIR/home
mkdir -p "$HOME"
pids=()
encerra() {
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  rm -rf "$XDG_RUNTIME_DIR"
}
trap encerra EXIT

# X server for the tests that move the pointer or drive the real program.
# -displayfd lets Xvfb pick a free display number, so several runs can share a machine;
# -noreset keeps it from resetting when its last client leaves, which refuses the next one.
exec 5>"$XDG_RUNTIME_DIR/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
exec 5>&-
for _ in $(seq 100); do [ -s "$XDG_RUNTIME_DIR/display" ] && break; sleep 0.05; done
tela=:$(cat "$XDG_RUNTIME_DIR/display")
export DISPLAY=$tela

# Private PulseAudio: a null sink whose monitor can be recorded as an ordinary source.
mkdir -p "$XDG_RUNTIME_DIR/pulse"
cat >"$XDG_RUNTIME_DIR/pulse/zelvana.pa" <<'PA'
load-module module-native-protocol-unix auth-anonymous=1
load-module module-null-sink sink_name=ci_null sink_properties=device.description=CI_Null
load-module module-remap-source source_name=ci_mic master=ci_null.monitor source_properties=device.description=CI_Mic
load-module module-null-sink sink_name=ci_keep sink_properties=device.description=CI_Keeper
load-module module-loopback source=ci_null.monitor sink=ci_keep latency_msec=20 source_dont_move=true sink_dont_move=true
set-default-sink ci_null
set-default-source ci_mic
PA
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
pulseaudio --daemonize=no --exit-idle-time=-1 -n -F "$XDG_RUNTIME_DIR/pulse/zelvana.pa" \
  >"$XDG_RUNTIME_DIR/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
pactl suspend-sink ci_null 1 && pactl suspend-sink ci_null 0
for _ in $(seq 100); do xdpyinfo -display "$tela" >/dev/null 2>&1 && break; sleep 0.05; done

"$@"
exit $?
