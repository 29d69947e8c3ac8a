# SPDX-FileCopyrightText: 2026 The Zimbly developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The parents' report and the CSV export from a seeded answer record, read by headless Chromium:
# the page shows what the answers give, markup in names stays text, bad records are named and
# the others still reported. Needs no X display. REPORT_SCREENSHOT=FILE keeps a screenshot.
set -euo pipefail
command -v chromium >/dev/null || { echo "FAIL: chromium is not installed (scripts/setup test)" >&2; exit 1; }
WORK=$(mktemp -d /tmp/zimbly-report.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
python3 "$(dirname "$0")/report_check.py" "$1" "$WORK" "${REPORT_SCREENSHOT:-}"
