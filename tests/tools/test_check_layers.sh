#!/usr/bin/env bash
# Runs tools/check-layers on small throwaway source trees.
#
#   tests/tools/test_check_layers.sh PATH/TO/check-layers
set -euo pipefail

: "${1:?usage: $0 PATH/TO/check-layers}"
checker="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

begin() { case_name=$1 case_failed=0; }
end() {
    if ((case_failed)); then
        printf 'FAIL %s\n--- output:\n%s\n---\n' "$case_name" "$output"
        failures=$((failures + 1))
    else
        printf 'ok   %s\n' "$case_name"
    fi
}
problem() { printf '  %s\n' "$*" && case_failed=1; }

# put FILE LINE...: writes the lines to FILE under $work.
put() {
    mkdir -p "$(dirname "$work/$1")"
    printf '%s\n' "${@:2}" >"$work/$1"
}

# check ARGS...: runs the checker in $work.
check() { status=0 && output=$(cd "$work" && "$checker" "$@" 2>&1) || status=$?; }

expect_status() { [[ $status -eq $1 ]] || problem "exit status $status, expected $1"; }
expect_line() { grep -qxF -- "$1" <<<"$output" || problem "no line: $1"; }
expect_count() {
    local n
    n=$(grep -cF -- "$1" <<<"$output" || true)
    [[ $n -eq $2 ]] || problem "$n lines with '$1', expected $2"
}

begin "a clean tree passes; library, folderless and commented-out includes are ignored"
put clean/platform/Box.h '#include <vector>' '#include <QString>' '#include "ui_Box.h"'
put clean/platform/Box.cpp '#include "platform/Box.h"' '// #include "app/App.h"' '#include "moc_Box.cpp"'
put clean/platform/Controls.cpp '#include <QWidget>' '#include <QtGui/QColor>'
put clean/core/Model.cpp '#include <QtCore/QJsonDocument>' '#include <QFile>' '#include <cmath>'
put clean/state/Record.hpp '#include "platform/Box.h"'
put clean/motion/Drop.cc '#include "state/Record.hpp"'
put clean/canvas/Board.cpp '#include "motion/Drop.h"' '#include "platform/Box.h"' '#include <QPainter>'
put clean/mainwindow/MainWindow.cpp '#include "canvas/Board.h"'
put clean/app/App.cpp '#include "mainwindow/MainWindow.h"' '#include "canvaswindow/CanvasWindow.h"'
put clean/main.cpp '#include "app/App.h"' '#include "mainwindow/MainWindow.h"'
check clean
expect_status 0
expect_line "check-layers: OK, 10 files, 10 includes checked in clean"
end

begin "a project include in angle brackets fails, wherever it points"
put brackets/canvas/Board.cpp '#include <canvaswindow/CanvasWindow.h>'
put brackets/app/App.cpp '#include <platform/Box.h>'
check brackets
expect_status 1
expect_line 'brackets/canvas/Board.cpp:1: includes <canvaswindow/CanvasWindow.h>: write project includes in quotes, as "folder/File.h"'
expect_line 'brackets/app/App.cpp:1: includes <platform/Box.h>: write project includes in quotes, as "folder/File.h"'
expect_count "write project includes" 2
end

begin "a path with . or .. fails, even when its first folder is allowed"
put dots/state/Record.h '#include "state/../mainwindow/MainWindow.h"' '#include "platform/./Box.h"'
put dots/canvas/Board.cpp '#include "../app/App.h"'
check dots
expect_status 1
expect_line 'dots/state/Record.h:1: includes "state/../mainwindow/MainWindow.h": write project includes from dots/, as "folder/File.h", without . or ..'
expect_line 'dots/state/Record.h:2: includes "platform/./Box.h": write project includes from dots/, as "folder/File.h", without . or ..'
expect_count "without . or .." 3
end

begin "every file is read, whatever its extension"
put any/platform/Box.inl '#include "canvas/Board.h"'
put any/core/notes '#include "app/App.h"'
check any
expect_status 1
expect_line 'any/platform/Box.inl:1: includes "canvas/Board.h": platform (platform) may not include canvas (features), a layer above'
expect_line 'any/core/notes:1: includes "app/App.h": core (core) may not include app (app), a layer above'
end

begin "pure files include only Qt Core"
put pure/core/Model.cpp '#include <QWidget>' '#include <QtWidgets/QLabel>' '#include <QtCore/QString>'
put pure/platform/TextFiles.h '#include <QColor>' '#include <QMediaPlayer>' '#include <qwidget.h>'
put pure/platform/Controls.h '#include <QWidget>'
check pure
expect_status 1
expect_line 'pure/core/Model.cpp:1: includes <QWidget>: a pure file (core) includes only Qt Core; add a Qt Core header to QT_CORE_HEADERS, or name a file of the windows in GUI_FILES'
expect_line 'pure/core/Model.cpp:2: includes <QtWidgets/QLabel>: a pure file (core) includes only Qt Core; add a Qt Core header to QT_CORE_HEADERS, or name a file of the windows in GUI_FILES'
expect_line 'pure/platform/TextFiles.h:1: includes <QColor>: a pure file (platform) includes only Qt Core; add a Qt Core header to QT_CORE_HEADERS, or name a file of the windows in GUI_FILES'
expect_count "includes only Qt Core" 5
end

begin "upward includes fail with their file:line; default folder, run from elsewhere"
mkdir -p "$work/repo/tools"
cp "$checker" "$work/repo/tools/check-layers"
put repo/src/canvas/Board.cpp '#include "canvas/Board.h"' '' '  # include "mainwindow/MainWindow.h"'
put repo/src/platform/Box.h '#include "state/Record.h"'
put repo/src/mainwindow/MainWindow.h '#include "platform/Box.h"'
status=0
output=$(cd "$work/repo/src/canvas" && ../../tools/check-layers 2>&1) || status=$?
expect_status 1
expect_line 'src/canvas/Board.cpp:3: includes "mainwindow/MainWindow.h": canvas (features) may not include mainwindow (windows), a layer above'
expect_line 'src/platform/Box.h:1: includes "state/Record.h": platform (platform) may not include state (state), a layer above'
expect_count "may not include" 2
end

begin "circles between feature folders are named once, with an include for each step"
put circle/canvas/Board.cpp '#include "motion/Drop.h"' '#include "animation/Clip.h"'
put circle/motion/Drop.cpp '#include "platform/Box.h"' '#include "canvas/Board.h"'
put circle/animation/Clip.cpp '#include "imagecmp/Diff.h"'
put circle/imagecmp/Diff.cpp '#include "plottools/Plot.h"'
put circle/plottools/Plot.h '#include "animation/Clip.h"'
check circle
expect_status 1
expect_line 'circle between features folders: motion -> canvas -> motion'
expect_line '    motion -> canvas: circle/motion/Drop.cpp:2: includes "canvas/Board.h"'
expect_line '    canvas -> motion: circle/canvas/Board.cpp:1: includes "motion/Drop.h"'
expect_line 'circle between features folders: plottools -> animation -> imagecmp -> plottools'
expect_line '    imagecmp -> plottools: circle/imagecmp/Diff.cpp:1: includes "plottools/Plot.h"'
expect_count "circle between" 2
end

begin "circles between the files of one folder are named once"
put files/canvas/Layout.cpp '#include "canvas/Layout.h"' '#include "canvas/Backgrounds.h"'
put files/canvas/Backgrounds.cpp '#include "canvas/Backgrounds.h"' '#include "canvas/Layout.h"'
put files/canvas/Bar.cpp '#include "canvas/Layout.h"'
put files/motion/A.h '#include "motion/B.h"'
put files/motion/B.h '#include "motion/C.h"'
put files/motion/C.cpp '#include "motion/A.h"'
check files
expect_status 1
expect_line 'circle between files of canvas: canvas/Backgrounds -> canvas/Layout -> canvas/Backgrounds'
expect_line '    canvas/Layout -> canvas/Backgrounds: files/canvas/Layout.cpp:2: includes "canvas/Backgrounds.h"'
expect_line 'circle between files of motion: motion/A -> motion/B -> motion/C -> motion/A'
expect_count "circle between" 2
end

begin "the two window folders may not include each other"
put windows/mainwindow/MainWindow.cpp '#include "canvaswindow/CanvasWindow.h"'
put windows/canvaswindow/CanvasWindow.cpp '#include "canvas/Board.h"'
put windows/app/App.cpp '#include "mainwindow/MainWindow.h"' '#include "canvaswindow/CanvasWindow.h"'
check windows
expect_status 1
expect_line 'windows/mainwindow/MainWindow.cpp:1: includes "canvaswindow/CanvasWindow.h": mainwindow (windows) may not include canvaswindow, another folder of the windows layer'
expect_count "may not include" 1
expect_count "circle" 0
end

begin "folders missing from the table fail; a missing SRC_DIR is a usage error"
put unknown/plugins/Plugin.cpp '#include "platform/Box.h"'
put unknown/canvas/Board.cpp '#include "widgets/Knob.h"' '#include "widgets/Dial.h"' '#include "plugins/Plugin.h"'
check unknown
expect_status 1
expect_line 'unknown/plugins: folder "plugins" is not in the layer table; add it to its layer in the table at the top of tools/check-layers'
expect_line 'unknown/canvas/Board.cpp:1: includes "widgets/Knob.h": folder "widgets" is not in the layer table; add it to its layer in the table at the top of tools/check-layers'
expect_count "not in the layer table" 2
check no-such-folder
expect_status 2
end

if ((failures)); then
    echo "$failures case(s) failed"
    exit 1
fi
echo "all cases passed"
