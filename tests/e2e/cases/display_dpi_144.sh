#!/usr/bin/env bash
# The main window's layout at 144 DPI (see display_dpi_helpers.bash).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/display_dpi_helpers.bash"

check_layout_at 144
