#!/bin/sh
# Makes the pronunciation key from key.tsv, one line per key button:
#   make-key.sh rtf KEY OUT        the key's text as an RTF page written in
#                                  UTF-8 (dictool page makes it readable for
#                                  the program), one paragraph per key
#   make-key.sh samples KEY DIR    DIR/1.mp3 ... DIR/48.mp3: the sound on its
#                                  own (consonants with a short neutral
#                                  vowel after them, which alone would be a
#                                  barely audible burst), a pause, then the
#                                  example word; espeak-ng's British voice,
#                                  encoded by LAME at 64 kb/s
set -eu

mode=$1
key=$2
out=$3

rows() {
    grep -v '^#' "$key" | grep -v '^[[:space:]]*$'
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
        rows | while IFS='	' read -r number symbol phonemes description example transcription; do
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
    wav="$out/sample.tmp.wav"
    rows | while IFS='	' read -r number symbol phonemes description example transcription; do
        espeak-ng -m -v en -s 130 -w "$wav" "[[$phonemes]] <break time=\"600ms\"/> $example"
        lame --quiet -b 64 "$wav" "$out/$number.mp3"
    done
    rm -f "$wav"
    ;;
*)
    echo "usage: make-key.sh rtf|samples KEY OUT" >&2
    exit 2
    ;;
esac
