#!/usr/bin/env bash
# The driver's registry commands and the runner's clean registry per case.
source "$(dirname "$0")/../lib.sh"

expect_drive 0 "no per-user key left over from another case" reg-exists "$KEY_USER"
expect_drive 0 "no installed marker left over" reg-exists "$KEY_MARKER"

key='HKCU\Software\Tolvexia\Quorbelind'
need reg-set "$key" Sample "twelve chars"
expect_reg "$key" Sample "twelve chars" "string value read back"
expect_drive "REG_SZ 13" "strings are stored with their terminating zero" reg-info "$key" Sample
need reg-set "$key" Number 70000 --type dword
expect_drive $'Number=70000\nSample=twelve chars' "values listed with their data" reg-values "$key"
need reg-delete-value "$key" Sample
expect_reg_missing "$key" Sample "value deleted"
need reg-set "$key\\Deeper\\Still" "(default)" "x"
expect_drive "Deeper" "subkeys listed" reg-keys "$key"
need reg-delete 'HKCU\Software\Tolvexia'
expect_reg_missing 'HKCU\Software\Tolvexia' "a key is deleted with everything below it"
need reg-delete 'HKCU\Software\Tolvexia'
pass "deleting a missing key is not an error"
