#!/bin/sh
# Generates the voice recordings that come with the program into <installation folder>/vs/:
#   vs/english  first-language number rules: 1-19, the tens, 00 (hundred), 000 (thousand of a
#               four-digit number), the group words, the letters a-z, and the words of the default
#               template (ding, token, please, roomno) named without an extension, as templates name them
#   vs/hindi    second-language number rules: 1-99, 00, 000, the group words, the letters and the words
#               of the second default template (ding, token, please, roomno, go)
# and the display board's chime ding.wav. Each folder's file "voice" names its espeak-ng voice. Speech comes from espeak-ng, the chime from sox. Usage: make-recordings.sh INSTALLATION_FOLDER
set -eu

if [ $# -ne 1 ]; then
    echo "usage: $0 INSTALLATION_FOLDER" >&2
    exit 2
fi
for tool in espeak-ng sox; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$0: $tool is not installed" >&2
        exit 1
    fi
done

target="$1/vs"
mkdir -p "$target"
work=$(mktemp -d "$target/.making.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/english" "$work/hindi"

jobs="$work/jobs"
: >"$jobs"
# One recording: voice, file (relative to the work folder), text to speak.
say() {
    printf '%s\0%s\0%s\0' "$1" "$2" "$3" >>"$jobs"
}

letters="a b c d e f g h i j k l m n o p q r s t u v w x y z"

# English. espeak-ng reads digits as numbers and a single letter as its name.
for n in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 30 40 50 60 70 80 90; do
    say en "english/$n.wav" "$n"
done
say en english/00.wav "hundred"
say en english/000.wav "thousand"
for w in thousand million billion trillion; do
    say en "english/$w.wav" "$w"
done
for l in $letters; do
    say en "english/$l.wav" "$l"
done
say en english/token "token number"
say en english/please "please go to"
say en english/roomno "room number"

# Hindi: a recording for every number up to 99.
n=1
while [ "$n" -le 99 ]; do
    say hi "hindi/$n.wav" "$n"
    n=$((n + 1))
done
say hi hindi/00.wav "सौ"
say hi hindi/000.wav "हज़ार"
say hi hindi/thousand.wav "हज़ार"
say hi hindi/million.wav "मिलियन"
say hi hindi/billion.wav "बिलियन"
say hi hindi/trillion.wav "ट्रिलियन"
for l in $letters; do
    say hi "hindi/$l.wav" "$l"
done
say hi hindi/token "टोकन नंबर"
say hi hindi/please "कृपया"
say hi hindi/roomno "कमरा नंबर"
say hi hindi/go "पर जाएँ"

# Speak them several at a time; each espeak-ng run is short, most of the cost is starting it.
export work
xargs -0 -n 3 -P 4 sh -c 'espeak-ng -v "$1" -s 150 -w "$work/$2" "$3"' speak <"$jobs"

# The chime before an announcement: a bell-like tone with its octave, fading out.
sox -q -n -r 22050 -c 1 -b 16 -t wav "$work/english/ding" synth 1.2 sine 880 sine 1760 remix 1,2 \
    fade q 0.005 1.2 1.1 vol 0.6
cp "$work/english/ding" "$work/hindi/ding"
# The display board plays the same chime from the installation folder.
cp "$work/english/ding" "$1/ding.wav"

# The synthesizer voice of each folder: the announcer makes the recordings of counter names with it.
printf 'en\n' >"$work/english/voice"
printf 'hi\n' >"$work/hindi/voice"

for lang in english hindi; do
    rm -rf "$target/$lang"
    mv "$work/$lang" "$target/$lang"
done
echo "Recordings written to $target/english and $target/hindi"
