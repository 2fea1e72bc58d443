#!/usr/bin/env bash
# The command forms of the installed program, with no display at all: a
# cardbox imported, the memory exported, everything copied and put back, and
# what is refused.
#
#   commands.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cmake --install "$build" --prefix "$out/prefix" >/dev/null
tirages="$out/prefix/bin/tirages"
export XDG_DATA_HOME="$out/data"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
database="$XDG_DATA_HOME/tirages/tirages.sqlite"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs the program; its status, output and errors in $status, $said, $complained.
run() {
  set +e
  said=$("$tirages" "$@" 2>"$out/err")
  status=$?
  set -e
  complained=$(cat "$out/err")
}
sql() {
  python3 - "$@" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
rows = db.execute(sys.argv[2]).fetchall()
db.commit()
print("\n".join("|".join(map(str, row)) for row in rows))
PY
}

run --help
[ "$status" = 0 ] && grep -q -- '--importer FICHIER' <<<"$said" || fail "--help: $status $said"
echo "ok: --help"

# BARJO is in a shipped list; no word has the letters QQQQ.
now=$(date +%s)
python3 - "$out/Anagrams.db" "$now" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1]); now = int(sys.argv[2])
db.execute("CREATE TABLE questions (question varchar(16), correct integer, incorrect integer,"
           " streak integer, last_correct integer, difficulty integer, cardbox integer,"
           " next_scheduled integer)")
db.executemany("INSERT INTO questions VALUES (?, ?, ?, ?, ?, 0, ?, ?)",
               [("ABJOR", 4, 1, 2, now - 5 * 86400, 2, now + 2 * 86400),
                ("QQQQ", 1, 0, 1, now - 86400, 1, now + 86400),
                ("ELMNO", 1, 0, 1, now - 86400, None, now + 86400)])
db.commit()
PY
run --importer "$out/Anagrams.db"
[ "$status" = 0 ] || fail "--importer: $status $complained"
[ "$said" = "1 question importée, 1 sans mot connu (la liste est dans $out/Anagrams-sans-mot-connu.txt)." ] \
  || fail "--importer said: $said"
grep -q '^QQQQ' "$out/Anagrams-sans-mot-connu.txt" || fail "the unknown alphagram is not listed"
[ "$(sql "$database" "SELECT draw, solution, round(stability), due FROM cards")" = "ABJOR|BARJO|7.0|$((now + 2 * 86400))" ] \
  || fail "the card imported: $(sql "$database" "SELECT * FROM cards")"
echo "ok: --importer"

run --exporter "$out/export.db"
[ "$status" = 0 ] && [ "$said" = "1 tirage écrit dans $out/export.db." ] || fail "--exporter: $status $said $complained"
[ "$(sql "$out/export.db" "SELECT question, cardbox, next_scheduled FROM questions")" = "ABJOR|2|$((now + 2 * 86400))" ] \
  || fail "the cardbox exported: $(sql "$out/export.db" "SELECT * FROM questions")"
echo "ok: --exporter"

run --sauvegarder "$out/copie.tirages"
[ "$status" = 0 ] && [ "$said" = "Tout ce que tirages garde est copié dans $out/copie.tirages." ] \
  || fail "--sauvegarder: $status $said $complained"
ls "$out"/copie.tirages* | grep -qv 'copie.tirages$' && fail "a file was left beside the copy"
sql "$database" "DELETE FROM cards" >/dev/null
run --restaurer "$out/copie.tirages"
[ "$status" = 0 ] && [[ "$said" == "La copie est restaurée. Ce que tirages gardait avant est mis de côté dans "* ]] \
  || fail "--restaurer: $status $said $complained"
[ "$(sql "$database" "SELECT draw FROM cards")" = ABJOR ] || fail "the copy was not put back"
aside=$(ls "$XDG_DATA_HOME"/tirages/tirages-avant-restauration-*.sqlite)
[ "$(sql "$aside" "SELECT count(*) FROM cards")" = 0 ] || fail "what was kept is not aside"
echo "ok: --sauvegarder, --restaurer"

run --restaurer "$out/Anagrams.db"
[ "$status" = 1 ] && [ "$complained" = "$out/Anagrams.db n'est pas une copie de tirages." ] \
  || fail "a cardbox restored: $status $said $complained"
run --importer
[ "$status" = 2 ] && [ "$(head -n 1 <<<"$complained")" = "--importer attend un nom de fichier." ] \
  || fail "no file: $status $complained"
# A mistyped option is no window that a script would wait for: the usage, status 2.
run --sauvegarde "$out/x.tirages"
[ "$status" = 2 ] && [ "$(head -n 1 <<<"$complained")" = "Option inconnue : --sauvegarde. « tirages --help » les donne toutes." ] \
  && grep -q -- '--remplacer' <<<"$complained" || fail "a mistyped option: $status $complained"
# An existing file is replaced only when asked; the database never.
run --exporter "$out/export.db"
[ "$status" = 1 ] && [ "$complained" = "$out/export.db existe déjà : ajoutez --remplacer pour le remplacer." ] \
  || fail "an existing file replaced: $status $complained"
run --remplacer --sauvegarder "$database"
[ "$status" = 1 ] && [[ "$complained" == "$database est le fichier où tirages garde vos entraînements"* ]] \
  || fail "the database written over: $status $complained"
run --exporter "$database-wal" --remplacer
[ "$status" = 1 ] || fail "its log written over: $status $complained"
run --importer "$out/absent.db"
[ "$status" = 1 ] && [ "$complained" = "$out/absent.db n'existe pas." ] || fail "a missing file: $complained"
run --exporter "$out/absent/export.db"
[ "$status" = 1 ] && [ "$complained" = "$out/absent/export.db ne peut pas être écrit : le dossier $out/absent n'existe pas." ] \
  || fail "a folder that is not there: $complained"
[ "$(sql "$database" "SELECT draw FROM cards")" = ABJOR ] || fail "a refusal changed what is kept"
run --exporter "$out/export.db" --remplacer
[ "$status" = 0 ] || fail "--remplacer: $status $complained"
echo "ok: refusals change nothing"
