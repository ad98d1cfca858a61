#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vetra32.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/bin/vetra32
