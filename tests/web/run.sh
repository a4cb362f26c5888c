#!/usr/bin/env bash
# The browser test: installs chromium and puppeteer-core (from the lock file)
# when missing, then plays build-web/ in headless chromium.
# Usage: tests/web/run.sh [BUILD_WEB_FOLDER] [SCREENSHOT_FOLDER]
# Skips (exit 0, with a line saying so) only where chromium cannot be installed.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build-web}"
shots="${2:-$build/test-screenshots}"

if ! command -v chromium >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "web test: installing chromium"
  if ! { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends chromium; } >/dev/null 2>&1 ||
     ! command -v chromium >/dev/null 2>&1; then
    echo "web: SKIPPED: chromium cannot be installed on this machine"
    exit 0
  fi
fi
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
  (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
fi
# No browser download: the system's chromium is the one driven.
export PUPPETEER_SKIP_DOWNLOAD=1
exec timeout 420 node "$here/browser_test.js" "$build" "$shots"
