#!/usr/bin/env bash
# qbtool run on files in a temporary folder: each case checks the exit code,
# the output and, where a file is written, its bytes.
# Usage: qbtool_cli_test.sh PATH-TO-QBTOOL
set -uo pipefail
qbtool=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
cat > usage.txt <<'EOF'
usage: qbtool check TEST.tvt
       qbtool salvage DAMAGED.tvt NEW.tvt [--force]
       qbtool import TABLE NEW.tvt [--force] [--header | --no-header]
                     [--separator tab|semicolon|comma] [--encoding utf-8|windows-1252|utf-16]
       qbtool export TEST.tvt TABLE [--force]
       qbtool export TEST.tvt PAGE.html [--force]
TABLE is a .csv, .tsv or .txt file. --force replaces an existing output file.
EOF

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# case NAME EXIT-CODE EXPECTED-OUTPUT ARGS... : stdout and stderr together.
case_run() {
  local name=$1 code=$2 expected=$3; shift 3
  local output status
  output=$("$qbtool" "$@" 2>&1); status=$?
  [ "$status" -eq "$code" ] || fail "$name: exit code $status, expected $code"
  [ "$output" = "$expected" ] || fail "$name: output
$output
expected
$expected"
}

# same_bytes NAME FILE EXPECTED-PRINTF-FORMAT
same_bytes() {
  printf "$3" > expected.bin
  cmp -s expected.bin "$2" || fail "$1: $2 differs: $(od -c "$2" | head -5)"
}

rec() { # keyword question answer: one record as the format lays it out
  printf '%s\\r\\n%d\\r\\n%d\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n%s%s' "$1" "${#2}" "${#3}" "$2" "$3"
}

# A table as a spreadsheet saves it in a semicolon locale.
printf '\xEF\xBB\xBFKeyword;Question;Right answer;Wrong answer 1\r\nCaf\xC3\xA9;"Two\r\nlines";"a;b";\r\nTh\xC3\xA9;Tea?;Yes;No\r\n;;;\r\n' > sheet.csv
tvt='QBKX0101A\r\nCaf\xe9\r\n10\r\n3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nTwo\x02\x01linesa;bTh\xe9\r\n4\r\n3\r\n2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nTea?YesNo\r\n'
case_run "import a spreadsheet table" 0 "sheet.tvt: 2 questions written" import sheet.csv sheet.tvt
same_bytes "import a spreadsheet table" sheet.tvt "$tvt"
case_run "import refuses an existing output" 2 "sheet.tvt: exists already; add --force to replace it" import sheet.csv sheet.tvt
case_run "import with --force" 0 "sheet.tvt: 2 questions written" import sheet.csv sheet.tvt --force
same_bytes "import with --force" sheet.tvt "$tvt"

printf 'keyword\tquestion\tright answer\nabcdefghijklmnopqrstu\tq\ta\nk\t\ta\n' > bad.txt
case_run "import reports every bad row" 2 "bad.txt: row 2, keyword: longer than 20 characters
bad.txt: row 3, question: empty
bad.txt: nothing written" import bad.txt bad.tvt
[ -e bad.tvt ] && fail "import with errors wrote bad.tvt"
printf 'k,\xE2\x86\x92,a\n' > arrow.csv
case_run "a character without a Windows-1252 form" 2 'arrow.csv: note: row 1 was read as a question, as its first cell is not "keyword"; --header skips it
arrow.csv: row 1, question: '"'"'→'"'"' (U+2192) has no Windows-1252 form
arrow.csv: nothing written' import arrow.csv arrow.tvt
printf '\xEF\xBB\xBFkeyword;question;right answer\nCaf\xC3\xA9;Where?;Paris\nNa\xEFve;q;x\n' > mixed.csv
case_run "a byte that is not UTF-8 behind a UTF-8 mark" 2 "mixed.csv: row 3, keyword: the byte 0xEF is not UTF-8
mixed.csv: nothing written" import mixed.csv mixed.tvt
printf '\xEF\xBB\xBFkeyword,question,right answer\r\n' > empty.csv
case_run "a header alone" 2 "empty.csv: the table holds no questions
empty.csv: nothing written" import empty.csv empty.tvt
[ -e empty.tvt ] && fail "an empty table wrote empty.tvt"

# The options: a Windows-1252 table with a header of other names, split by semicolons.
printf 'Stichwort;Frage;Antwort\r\nCaf\xC3\xA9;Wo?;Paris\r\n' > german.txt
case_run "--header, --separator, --encoding" 0 "german.tvt: 1 question written" \
  import german.txt german.tvt --header --separator semicolon --encoding windows-1252
same_bytes "--header, --separator, --encoding" german.tvt 'QBKX0101A\r\nCaf\xc3\xa9\r\n3\r\n5\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nWo?Paris\r\n'
case_run "--no-header" 0 "german.tvt: 2 questions written" import german.txt german.tvt --no-header --force
case_run "an unknown separator" 2 "$(cat usage.txt)" import german.txt x.tvt --separator pipe
case_run "a table option for export" 2 "$(cat usage.txt)" export sheet.tvt x.csv --header
case_run "a table of unknown kind" 2 "sheet.xls: a table must be a .csv, .tsv or .txt file" import sheet.xls x.tvt

header='keyword%squestion%sright answer%swrong answer 1%swrong answer 2%swrong answer 3%swrong answer 4%squestion text file%squestion picture%sanswer text file%sanswer picture'
case_run "export as CSV" 0 "back.csv: 2 questions written" export sheet.tvt back.csv
same_bytes "export as CSV" back.csv "\xEF\xBB\xBF$(printf "$header" , , , , , , , , , ,)\r\n"'Caf\xC3\xA9,"Two\r\nlines",a;b,,,,,,,,\r\nTh\xC3\xA9,Tea?,Yes,No,,,,,,,\r\n'
case_run "export as TSV" 0 "back.tsv: 2 questions written" export sheet.tvt back.tsv
case_run "import the exported table" 0 "again.tvt: 2 questions written" import back.tsv again.tvt
cmp -s sheet.tvt again.tvt || fail "export and import do not give the same test"

# Checks: a clean test, one with findings, one that is no test at all.
mkdir notes.txt
printf "QBKX0101A\r\n$(rec Tea 'Tea?' Yes)$(rec Tea 'Tee?' Ja)Files\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n10\r\n7\r\n0\r\n0\r\n0\r\nqa*notes.txt*no.bmp\r\n" > checked.tvt
case_run "check a clean test" 0 "2 questions, 0 findings" check sheet.tvt
case_run "check finds" 1 'checked.tvt: question 2 "Tea": keyword repeated (first at question 1)
checked.tvt: question 3 "Files": question text file "*notes.txt" cannot be read
checked.tvt: question 3 "Files": question picture "*no.bmp" missing
3 questions, 3 findings' check checked.tvt
printf 'PK\x03\x04' > zip.tvt
case_run "check a file that is no test" 2 "zip.tvt: is not a test file (its first line is not a test's)" check zip.tvt
case_run "check a missing file" 2 "gone.tvt: cannot be opened" check gone.tvt

# Salvage: damage between two records and a cut last record.
good=$(rec Alpha 'First?' One)
printf "QBKX0101A\r\n${good}junk\r\n12x\r\n$(rec Beta 'Second?' Two)$(rec Gamma 'Third?' Thr)" | head -c -5 > damaged.tvt
case_run "salvage" 0 "damaged.tvt: skipped bytes 60 to 70 (11 bytes)
damaged.tvt: skipped bytes 120 to 163 (44 bytes)
saved.tvt: 2 questions written, 2 damaged parts skipped (55 bytes)" salvage damaged.tvt saved.tvt
same_bytes "salvage" saved.tvt "QBKX0101A\r\n${good}$(rec Beta 'Second?' Two)\r\n"
case_run "salvage refuses its input" 2 "./damaged.tvt: is the input file; choose another output" \
  salvage damaged.tvt ./damaged.tvt --force
case_run "check a damaged test" 1 'damaged.tvt: question 2 "junk": damaged record at byte 60, 104 bytes follow
damaged.tvt: question 4 "Gamma": damaged record at byte 120, 44 bytes follow
2 questions, 2 findings' check damaged.tvt
# Miss counts: check reports a status line the writer never writes; salvage keeps the counts.
missed() { # keyword status-line: a record "qa" with that status line
  printf '%s\\r\\n1\\r\\n1\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n0\\r\\n%s\\r\\nqa' "$1" "$2"
}
printf "QBKX0101A\r\n$(missed Often '1 12')$(missed Odd '0 3 7')\r\n" > missed.tvt
case_run "check a miss count" 1 'missed.tvt: question 2 "Odd": status line holds more than the miss count
2 questions, 1 finding' check missed.tvt
case_run "salvage keeps miss counts" 0 "rescued.tvt: 2 questions written, 0 damaged parts skipped (0 bytes)" salvage missed.tvt rescued.tvt
same_bytes "salvage keeps miss counts" rescued.tvt "QBKX0101A\r\n$(missed Often '1 12')$(missed Odd '0 3')\r\n"
case_run "export refuses a damaged test" 2 "damaged.tvt: is damaged: salvage it first; nothing written" \
  export damaged.tvt damaged.csv

# A web page: written with its missing attachments reported as check reports them.
case_run "export a web page" 0 "sheet.html: 2 questions written" export sheet.tvt sheet.html
grep -q "Content-Security-Policy" sheet.html && grep -q "<title>sheet</title>" sheet.html && grep -q "$(printf '\[\"Th\xC3\xA9\",')" sheet.html ||
  fail "sheet.html lacks its policy, its title or the keyword in UTF-8"
case_run "a web page reports as check" 1 'checked.tvt: question 3 "Files": question text file "*notes.txt" cannot be read
checked.tvt: question 3 "Files": question picture "*no.bmp" missing
CHECKED.HTM: 3 questions written' export checked.tvt CHECKED.HTM
case_run "a web page is not replaced without --force" 2 "sheet.html: exists already; add --force to replace it" \
  export sheet.tvt sheet.html

usage=$(cat usage.txt)
case_run "no arguments" 2 "$usage"
case_run "a wrong command" 2 "$usage" convert a b
case_run "check with --force" 2 "$usage" check sheet.tvt --force
case_run "--help" 0 "$usage" --help

echo "$failures failed"
[ "$failures" -eq 0 ]
