#!/usr/bin/env bash
# A translation with a fault is refused and leaves no catalogue; a sound one
# is compiled. Run by ctest with the build's list of the codes the font draws.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
codes="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
faults=0

po() {  # po NAME: a French catalogue with the entries given on stdin
  {
    printf 'msgid ""\nmsgstr ""\n"Project-Id-Version: Plotfray 1.0\\n"\n"Language-Team: French\\n"\n'
    printf '"MIME-Version: 1.0\\n"\n"Content-Type: text/plain; charset=UTF-8\\n"\n"Content-Transfer-Encoding: 8bit\\n"\n'
    printf '"Plural-Forms: nplurals=2; plural=(n > 1);\\n"\n"Language: fr\\n"\n\n'
    cat
  } >"$work/$1.po"
}

expect() {  # expect ok|refused NAME
  local want="$1" name="$2" mo="$work/$2.mo"
  rm -f "$mo"
  if "$root/scripts/po.sh" mo "$work/$name.po" "$mo" "$codes" 2>"$work/$name.err"; then got=ok; else got=refused; fi
  if [ "$got" != "$want" ]; then
    echo "FAIL: $name was $got, not $want"; cat "$work/$name.err"; faults=$((faults + 1))
  elif [ "$want" = refused ] && [ -e "$mo" ]; then
    echo "FAIL: $name was refused but left $mo"; faults=$((faults + 1))
  elif [ "$want" = ok ] && [ ! -s "$mo" ]; then
    echo "FAIL: $name passed but wrote no catalogue"; faults=$((faults + 1))
  else
    echo "ok: $name $got"
  fi
}

po sound <<'EOF2'
#, c-format
msgid "Hi %s!"
msgstr "Salut %s !"

msgctxt "coordinates"
msgid "(%1$s,%2$s)"
msgstr "(%1$s ; %2$s)"

#, c-format
msgid "%1$s of %2$s right"
msgstr "%2$s réponses, %1$s justes"

#, c-format
msgid "%s game"
msgid_plural "%s games"
msgstr[0] "%s partie"
msgstr[1] "%s parties"

msgid "<b>Help (F1)</b><r><r>Open the help"
msgstr "<b>Aide (F1)</b><r><r>Ouvre l'aide"
EOF2
expect ok sound

# msgfmt's own check: a c-format translation that drops its value.
po dropped <<'EOF2'
#, c-format
msgid "Hi %s!"
msgstr "Salut !"
EOF2
expect refused dropped

# A value Format fills that msgfmt does not see (the text is not c-format).
po unseen <<'EOF2'
msgid "Hi %s!"
msgstr "Salut %1$s et %2$s !"
EOF2
expect refused unseen

# A plural form that fills another value than either English form.
po plural <<'EOF2'
#, c-format
msgid "%1$s: %2$s answer"
msgid_plural "%1$s: %2$s answers"
msgstr[0] "%1$s : %2$s réponse"
msgstr[1] "%1$s : %3$s réponses"
EOF2
expect refused plural

# A letter outside the game's code page, and one the font does not draw.
po letter <<'EOF2'
msgid "OPTIONS"
msgstr "OPCJE ł"
EOF2
expect refused letter
po undrawn <<'EOF2'
msgid "OPTIONS"
msgstr "OPTIONS \t"
EOF2
expect refused undrawn

# Bold opened and never closed.
po bold <<'EOF2'
msgid "<b>Help (F1)</b>"
msgstr "<b>Aide (F1)"
EOF2
expect refused bold

# Not a po file at all.
printf 'msgid "x\nmsgstr\n' >"$work/broken.po"
expect refused broken

exit $((faults > 0))
