#!/usr/bin/env bash
# Checks which folder's sources include which: every #include "folder/..."
# (or <folder/...>) of the program sources must go to the file's own folder
# or to one its row below allows, and never to a file its folder is denied.
# Prints each include that breaks a row (file:line) and exits 1; exits 0
# when none does.
#
#   scripts/check-layers.sh [ROOT]     the sources under ROOT (default: this checkout)
#   scripts/check-layers.sh --self-test
#
# Tests, benchmarks and fuzz targets are not checked: they may reach into
# any layer. An include without a folder ("ui_X.h", generated beside the
# source) counts as the file's own folder.
set -euo pipefail

# The layers, bottom up: platform (with the translation catalogues beside
# it, for the three programs) -> adapter -> profiles -> editor ->
# exchange -> survey -> pane and cli; crypto stands alone; the agent sits on adapter, platform
# and profiles only. A page library (*/ui) may use any core folder and the
# platform's Qt pieces, never another page library; the window (pane) is the
# one place that knows every page.
#
# folder          may include (besides its own folder)
ALLOWED='
platform
platform/qt       platform
translations      platform
crypto
adapter           platform
profiles          platform adapter crypto
editor            platform adapter crypto profiles
exchange          platform adapter crypto profiles editor
survey            platform adapter crypto profiles editor exchange
profiles/ui       platform platform/qt adapter crypto profiles editor exchange survey
editor/ui         platform platform/qt adapter crypto profiles editor exchange survey
survey/ui         platform platform/qt adapter crypto profiles editor exchange survey
pane              platform platform/qt translations adapter crypto profiles editor exchange survey profiles/ui editor/ui survey/ui
cli               platform translations adapter crypto profiles editor exchange survey pane
agent             platform platform/qt translations adapter profiles
driver            platform adapter
driver/sim        platform adapter driver
driver/nl80211    platform adapter driver
driver/nm         platform adapter driver driver/nl80211
'

# Files a folder (and every folder below it) must not include even where
# its row allows their folder: the driver processes use the protocol
# (records, codes, byte order, channel plans), never the client's access
# object, process-wide values or tracing.
#
# folder          denied files (patterns)
DENIED='
driver            adapter/KestrelAccess* adapter/Globals* adapter/Trace*
'

declare -A allowed=()
declare -a folders=()
declare -A denied=()

load_tables() {
    local folder rest
    while read -r folder rest; do
        [[ -z $folder ]] && continue
        folders+=("$folder")
        allowed[$folder]=" $rest "
    done <<<"$ALLOWED"
    while read -r folder rest; do
        [[ -z $folder ]] && continue
        denied[$folder]=$rest
    done <<<"$DENIED"
}

# The table row a path lies in, into REPLY: the longest folder that holds
# it, or "".
folder_of() {
    local path=$1 folder
    REPLY=""
    for folder in "${folders[@]}"; do
        if [[ $path == "$folder"/* && ${#folder} -gt ${#REPLY} ]]; then
            REPLY=$folder
        fi
    done
}

# The included file's folder as the rows name it, into REPLY ("tests" and
# the like for folders without a row, so that they are refused).
target_of() {
    folder_of "$1"
    [[ -n $REPLY ]] || REPLY=${1%%/*}
}

is_denied() {
    local from=$1 include=$2 folder pattern
    for folder in "${!denied[@]}"; do
        [[ $from == "$folder" || $from == "$folder"/* ]] || continue
        for pattern in ${denied[$folder]}; do
            # shellcheck disable=SC2053  # the pattern is a glob
            [[ $include == $pattern ]] && return 0
        done
    done
    return 1
}

check() {
    local root=$1 failures=0 file relative from number quote include target
    local -a tops=()
    local top
    for top in $(printf '%s\n' "${folders[@]}" | cut -d/ -f1 | sort -u); do
        [[ -d $root/$top ]] && tops+=("$root/$top")
    done
    [[ ${#tops[@]} -eq 0 ]] && return 0
    while IFS=: read -r file number quote include; do
        relative=${file#"$root"/}
        folder_of "$relative"
        from=$REPLY
        [[ -z $from || $include != */* ]] && continue  # no row; or beside the source
        # <...> names a system or library header unless it starts with one
        # of the folders here.
        [[ $quote == '<' && " ${tops[*]##*/} " != *" ${include%%/*} "* ]] && continue
        target_of "$include"
        target=$REPLY
        if is_denied "$from" "$include"; then
            echo "$relative:$number: $from may not include \"$include\" (denied to $from)"
            failures=$((failures + 1))
        elif [[ $target != "$from" && ${allowed[$from]} != *" $target "* ]]; then
            echo "$relative:$number: $from may not include \"$include\" ($target)"
            failures=$((failures + 1))
        fi
    done < <(find "${tops[@]}" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.c' -o -name '*.cc' \
                 -o -name '*.cpp' \) -print0 | sort -z |
             xargs -0 -r grep -nHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' |
             sed -E 's/^([^:]+):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*(["<])([^">]+)[">].*/\1:\2:\3:\4/')
    if [[ $failures -gt 0 ]]; then
        echo "$failures include(s) across the layers (see the tables in $0)" >&2
        return 1
    fi
    return 0
}

# Builds a small tree with one include per row of the tables, some allowed
# and some not, and checks that exactly the refused ones are reported.
self_test() {
    local tree
    tree=$(mktemp -d)
    local -a cases=(
        # file                         include                         refused
        "survey/ui/A.cpp               editor/ui/WEPSettingController.h  yes"
        "profiles/ui/A.cpp             survey/ui/SiteSurveyController.h  yes"
        "editor/ui/A.h                 profiles/ui/ProfileController.h   yes"
        "survey/ui/B.h                 pane/PaneObjects.h                yes"
        "profiles/A.cpp                survey/SurveyConnect.h            yes"
        "adapter/A.cpp                 profiles/TaskQueue.h              yes"
        "crypto/A.cpp                  platform/Clock.h                  yes"
        "agent/A.cpp                   crypto/MathFunc.h                 yes"
        "adapter/B.cpp                 tests/support/TempFolders.h       yes"
        "driver/A.cpp                  adapter/Globals.h                 yes"
        "driver/nl80211/A.cpp          adapter/KestrelAccess.h           yes"
        "driver/B.cpp                  adapter/Trace.h                   yes"
        "survey/ui/F.cpp               <editor/ui/KeyEntryWidgets.h>     yes"
        "exchange/A.cpp                survey/QrJoin.h                   yes"
        "editor/A.cpp                  exchange/WifiQr.h                 yes"
        "survey/A.cpp                  exchange/WifiQr.h                 no"
        "platform/A.cpp                <sys/socket.h>                    no"
        "survey/ui/C.cpp               survey/ui/AccessPointModel.h      no"
        "survey/ui/D.cpp               editor/KeyDialog.h                no"
        "survey/ui/E.cpp               platform/qt/NestedLoop.h          no"
        "profiles/ui/B.cpp             profiles/TaskSink.h               no"
        "pane/A.cpp                    survey/ui/SiteSurveyController.h  no"
        "pane/B.cpp                    profiles/ui/ProfileDrawer.h       no"
        "cli/A.cpp                     pane/AdvancedSettings.h           no"
        "agent/B.cpp                   platform/qt/QtAlerts.h            no"
        "driver/C.cpp                  adapter/Oids.h                    no"
        "driver/nl80211/B.cpp          driver/ScanEntryRecord.h          no"
        "tests/pane/A.cpp              survey/ui/SiteSurveyController.h  no"
    )
    local -a expected=()
    local row file include refused
    for row in "${cases[@]}"; do
        read -r file include refused <<<"$row"
        mkdir -p "$tree/$(dirname "$file")"
        [[ $include == \<* ]] || include="\"$include\""
        printf '// %s\n#include <vector>\n#include "ui_Form.h"\n#  include %s  // "why"\n' \
            "$file" "$include" >>"$tree/$file"
        [[ $refused == yes ]] && expected+=("$file:4")
    done
    local reported status=0
    reported=$(check "$tree" 2>/dev/null | cut -d: -f1,2 | sort) || status=$?
    rm -rf "$tree"
    local want
    want=$(printf '%s\n' "${expected[@]}" | sort)
    if [[ $status -ne 1 || $reported != "$want" ]]; then
        echo "self-test failed: status $status" >&2
        diff <(echo "$want") <(echo "$reported") >&2 || true
        return 1
    fi
    echo "self-test: ${#expected[@]} refused includes reported, $((${#cases[@]} - ${#expected[@]})) allowed ones passed"
}

load_tables
if [[ ${1:-} == --self-test ]]; then
    self_test
else
    check "$(cd "${1:-$(dirname "$0")/..}" && pwd)"
fi
