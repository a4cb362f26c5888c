#!/usr/bin/env bash
# The game's translations, with GNU gettext's own tools.
#   po.sh pot  [OUT.pot]        extract every text of src/ and tools/assetgen/ into po/plotfray.pot
#   po.sh check PO FONTCODES    check one translation (msgfmt --check, placeholders, font)
#   po.sh mo   PO OUT.mo FONTCODES   check it, then compile it
#   po.sh update                msgmerge every po/*.po with the template (for translators; the build never does)
# FONTCODES is a file of the Windows-1252 codes the font sheet draws, one a line
# (written by the data generator).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cmd="${1:-pot}"

pot() {
  local out="${1:-$root/po/plotfray.pot}"
  local tmp
  tmp="$(mktemp)"
  (cd "$root" && find src tools/assetgen \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort) >"$tmp"
  # The game's texts: Tr("..."), TrC("context", "..."), TrN("one", "many", n),
  # TrMark("...") for a table's text looked up where it is shown. The words the
  # data generator draws into pictures: W, WC, WN, WMark, the same way. Every
  # pattern is filled by Format (%s, %d, %N$s): xgettext marks those c-format,
  # so msgfmt --check holds a translation to the same placeholders.
  (cd "$root" && xgettext --language=C++ --from-code=UTF-8 --files-from="$tmp" \
      --keyword= --keyword=Tr --keyword=TrC:1c,2 --keyword=TrN:1,2 --keyword=TrMark \
      --keyword=W --keyword=WC:1c,2 --keyword=WN:1,2 --keyword=WMark \
      --add-comments=TRANSLATORS: --sort-by-file --no-wrap \
      --package-name=Plotfray --package-version=1.0 --msgid-bugs-address="the Plotfray team" \
      --copyright-holder="the Plotfray team" --output=- ) >"$out.new"
  rm -f "$tmp"
  # The header's creation date changes at every run: a template whose texts
  # did not change is left as it is.
  if [ -f "$out" ] && diff -q <(grep -v '^"POT-Creation-Date' "$out") <(grep -v '^"POT-Creation-Date' "$out.new") >/dev/null; then
    rm -f "$out.new"
  else
    mv "$out.new" "$out"
  fi
}

# The catalogue reaches its place only when every check passed: a refused
# translation leaves no .mo behind for the game (or the next build) to take.
check() {
  local po="$1" codes="$2" mo="${3:-}"
  local out
  out="$(mktemp)"
  if msgfmt --check --output-file="$out" "$po" && python3 "$root/scripts/po_check.py" "$out" "$codes" "$po"; then
    # mktemp made it private (0600): give it the mode any new file gets, so
    # an install leaves it readable to every player.
    if [ -n "$mo" ]; then chmod "$(printf '%o' $((0666 & ~0$(umask))))" "$out" && mv "$out" "$mo"; else rm -f "$out"; fi
    return 0
  fi
  rm -f "$out"
  [ -z "$mo" ] || rm -f "$mo"
  echo "po.sh: $po is refused" >&2
  return 1
}

case "$cmd" in
  pot) pot "${2:-}" ;;
  check) check "$2" "$3" ;;
  mo) check "$2" "$4" "$3" ;;
  update)
    pot
    for po in "$root"/po/*.po; do
      [ -e "$po" ] || continue
      msgmerge --quiet --update --backup=none "$po" "$root/po/plotfray.pot"
    done ;;
  *) echo "po.sh: unknown command '$cmd'" >&2; exit 2 ;;
esac
