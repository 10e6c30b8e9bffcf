#!/bin/sh
# Makes the pronunciation key from key.tsv, one line per key button:
#   make-key.sh rtf KEY OUT        the key's text as an RTF page written in
#                                  UTF-8 (dictool page makes it readable for
#                                  the program), one paragraph per key
#   make-key.sh samples KEY DIR    DIR/1.mp3 ... DIR/48.mp3: the sound on its
#                                  own, at the speed and loudness its line
#                                  gives, 0.6 s of silence, then the example
#                                  word at the usual speed; espeak-ng's British
#                                  voice, encoded by LAME at 64 kb/s
set -eu

mode=$1
key=$2
out=$3

rows() {
    grep -v '^#' "$key" | grep -v '^[[:space:]]*$'
}

# A number as four bytes, least significant first.
le32() {
    for shift in 0 8 16 24; do
        # The format is the byte itself, as an octal escape.
        printf "\\$(printf %03o $((($1 >> shift) & 255)))"
    done
}

# The header of a 16-bit mono 22,050 Hz wave file holding $1 bytes of samples.
wave_header() {
    printf 'RIFF'
    le32 $(($1 + 36))
    printf 'WAVEfmt '
    le32 16
    printf '\001\000\001\000'
    le32 22050
    le32 44100
    printf '\002\000\020\000data'
    le32 "$1"
}

case $mode in
rtf)
    tmp="$out.tmp"
    {
        printf '%s\n' '{\rtf1\ansi\ansicpg1251\deff0\deflang1026'
        printf '%s\n' '{\fonttbl{\f0\fnil\fcharset204 DejaVu Sans;}}'
        # 1 navy symbol, 2 teal example, 3 grey transcription, 4 the text;
        # every run has its colour, as the key's strip is a disabled editor
        # that would grey uncoloured text
        printf '%s\n' '{\colortbl;\red22\green40\blue74;\red30\green122\blue112;\red96\green96\blue96;\red29\green39\blue53;}'
        printf '%s\n' '\uc1\pard\plain\f0\fs18'
        rows | while IFS='	' read -r number symbol phonemes options description example transcription; do
            # The wide blank in front makes each line as tall as the strip,
            # so that the strip shows one line and nothing of the next.
            printf '{\\fs34\\~}{\\b\\cf1 %s}\\~\\~ {\\cf4 %s \\emdash } {\\i\\cf2 %s} {\\cf3 [%s]}\\par\n' \
                "$symbol" "$description" "$example" "$transcription"
        done
        printf '%s\n' '}'
    } >"$tmp"
    mv "$tmp" "$out"
    ;;
samples)
    mkdir -p "$out"
    sound="$out/sound.tmp.wav"
    word="$out/word.tmp.wav"
    joined="$out/sample.tmp.wav"
    rows | while IFS='	' read -r number symbol phonemes options description example transcription; do
        # $options stays unquoted: it holds several words.
        espeak-ng -v en $options -w "$sound" "[[$phonemes]]"
        espeak-ng -v en -s 130 -w "$word" "$example"
        # espeak-ng writes 16-bit mono 22,050 Hz with a 44-byte header: the
        # samples are joined, with 0.6 s of silence between them.
        bytes=$(($(wc -c <"$sound") - 44 + 26460 + $(wc -c <"$word") - 44))
        {
            wave_header "$bytes"
            tail -c +45 "$sound"
            head -c 26460 /dev/zero
            tail -c +45 "$word"
        } >"$joined"
        lame --quiet -b 64 "$joined" "$out/$number.mp3"
    done
    rm -f "$sound" "$word" "$joined"
    ;;
*)
    echo "usage: make-key.sh rtf|samples KEY OUT" >&2
    exit 2
    ;;
esac
