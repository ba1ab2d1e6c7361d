#!/usr/bin/env bash
# Makes the brick game's 19 sound cues in brick_game/res/sounds/: tones, noise
# and short tunes with sox, spoken words with espeak-ng. Every file is mono,
# 16-bit, 22050 Hz. The generated files are kept in the repository, so the
# build never needs these tools; run this again after changing a cue:
#   brick_game/res/make_sounds.sh        (apt-get install sox espeak-ng)
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/sounds"
mkdir -p "$out"
for tool in sox espeak-ng; do
  command -v "$tool" >/dev/null || { echo "make_sounds: $tool is missing (apt-get install $tool)" >&2; exit 1; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

RATE=22050
FMT=(-r "$RATE" -c 1 -b 16)

# tone NAME SECONDS SYNTH-ARGS... : one note, faded in and out so that
# notes joined one after the other do not click.
tone() {
  local name=$1 len=$2
  shift 2
  sox -R -n "${FMT[@]}" "$work/$name.wav" synth "$len" "$@" fade q 0.005 "$len" 0.03
}

# tune OUT GAIN NOTE:SECONDS:WAVE ... : notes in a row, then a gain in dB.
tune() {
  local target=$1 gain=$2
  shift 2
  local parts=() i=0 item note len wave
  for item in "$@"; do
    IFS=: read -r note len wave <<<"$item"
    if [ "$note" = rest ]; then
      sox -R -n "${FMT[@]}" "$work/n$i.wav" trim 0 "$len"
    else
      tone "n$i" "$len" "${wave:-square}" "$note"
    fi
    parts+=("$work/n$i.wav")
    i=$((i + 1))
  done
  sox -R "${parts[@]}" "${FMT[@]}" "$target" gain "$gain"
}

# say OUT PITCH SPEED TEXT : espeak-ng's voice, leading and trailing silence
# cut, resampled to the common format and brought to a common loudness.
say() {
  local target=$1 pitch=$2 speed=$3 text=$4
  espeak-ng -v en -p "$pitch" -s "$speed" -w "$work/say.wav" "$text"
  sox -R "$work/say.wav" "${FMT[@]}" "$target" \
    silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse norm -2
}

# The title music: two bars of a square-wave tune over a bass line, built
# from whole notes only, so that the loop joins itself without a gap.
tune "$work/melody.wav" -9 \
  E5:0.2 G5:0.2 C6:0.2 G5:0.2 A5:0.2 F5:0.2 D5:0.2 F5:0.2 \
  E5:0.2 G5:0.2 C6:0.2 E6:0.2 D6:0.2 B5:0.2 G5:0.2 B5:0.2
tune "$work/bass.wav" -11 \
  C3:0.4:triangle C3:0.4:triangle F2:0.4:triangle F2:0.4:triangle \
  C3:0.4:triangle C3:0.4:triangle G2:0.4:triangle G2:0.4:triangle
sox -R -m -v 1 "$work/melody.wav" -v 1 "$work/bass.wav" "${FMT[@]}" "$out/play.wav"

# The information dialogs' loop: a light bouncing figure.
tune "$out/Hop.wav" -5 \
  C5:0.15:sine E5:0.15:sine G5:0.15:sine rest:0.15 \
  G5:0.15:sine E5:0.15:sine C5:0.15:sine rest:0.15

# Short effects of play.
tone kubik 0.07 square 1318 && sox -R "$work/kubik.wav" "$out/Kubik.wav" gain -8
tone doska 0.09 square 440 && sox -R "$work/doska.wav" "$out/Doska.wav" gain -8
sox -R -n "${FMT[@]}" "$out/Stena.wav" synth 0.04 pinknoise fade q 0.002 0.04 0.02 \
  gain -6 lowpass 2500
tune "$out/pause.wav" -10 A5:0.08:sine rest:0.03 E5:0.12:sine
tune "$out/pp.wav" -10 C6:0.05:sine rest:0.03 C6:0.05:sine
# A lost ball: a falling slide.
sox -R -n "${FMT[@]}" "$out/gameover.wav" synth 0.7 sawtooth 660-110 \
  fade q 0.01 0.7 0.2 gain -14 lowpass 3000
# Leaving: three falling notes.
tune "$out/exit.wav" -12 G5:0.14:triangle E5:0.14:triangle C5:0.3:triangle
# Applause: many short noise bursts of varying loudness over a soft hiss.
claps=()
for i in $(seq 0 23); do
  len=$(awk -v i="$i" 'BEGIN { printf "%.3f", 0.06 + ((i * 37) % 11) / 250 }')
  sox -R -n "${FMT[@]}" "$work/c$i.wav" synth "$len" whitenoise \
    fade q 0.001 "$len" "$(awk -v l="$len" 'BEGIN { print l * 0.8 }')" \
    gain "-$(( (i * 7) % 9 + 6 ))"
  claps+=("$work/c$i.wav")
done
sox -R "${claps[@]}" "$work/claps.wav"
sox -R -n "${FMT[@]}" "$work/hiss.wav" synth "$(soxi -D "$work/claps.wav")" pinknoise gain -30
sox -R -m "$work/claps.wav" "$work/hiss.wav" "${FMT[@]}" "$out/Applauds.wav" \
  highpass 400 fade q 0.05 -0 0.6 norm -4

# Spoken cues.
say "$out/round.wav" 50 140 "round"
say "$out/1.wav" 50 140 "one"
say "$out/2.wav" 50 140 "two"
say "$out/3.wav" 50 140 "three"
say "$out/excelent.wav" 60 150 "excellent!"
say "$out/Congrat.wav" 60 150 "congratulations! you win!"
say "$out/Bye.wav" 55 140 "bye bye"
say "$out/Stupid.wav" 35 150 "keyboard"
say "$out/Yeahbaby.wav" 75 130 "yeah!"

ls -l "$out"
du -cb "$out"/*.wav | tail -1
