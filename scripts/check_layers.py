#!/usr/bin/env python3
"""Fails when an include runs up the layers.

The layers, lowest first:
  core  files CMake adds to quorvex_core: QtCore, QtSerialPort, QtNetwork and
        other core files only; never QtGui, QtWidgets or a window.
  draw  files added to quorvex_draw (drawing without widgets, e.g. the robot
        preview): core, draw and QtGui; never QtWidgets or a window.
  plot  files added to quorvex_plot (charts drawn with the chart library, which
        needs the toolkit's widgets): core, draw, plot, QtGui, QtWidgets and
        QtCharts; never a window (ui layer).
  ui    files added to quorvex_ui: core, draw, plot, ui, QtGui and QtWidgets.
  cli   src/cli (the qvx tool): core, draw and plot; never QtWidgets, QtCharts
        or a window. It reaches the chart library only through plot code,
        whose headers name no widget.
  app   src/app/main.cpp: anything.
Tests, benchmarks and fuzz targets are not checked.

Usage: scripts/check_layers.py [SOURCE_ROOT]   (exit 1 and one line per fault)
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
SRC = ROOT / "src"
GUI_MODULES = re.compile(r"^(QtGui|QtWidgets|QtCharts|QtOpenGL|QtQuick|QtQml)(/|$)")
WIDGET_MODULES = re.compile(r"^(QtWidgets|QtCharts|QtOpenGL|QtQuick|QtQml)(/|$)")
# Qt classes of QtGui and QtWidgets that core code might include by class name.
GUI_CLASS = re.compile(r"^Q(Widget|Dialog|MainWindow|Painter|Image|Pixmap|Color|Font|Palette|Label|"
                       r"LineEdit|PushButton|ToolButton|ComboBox|Application|GuiApplication|Screen|"
                       r"Menu|Action|Shortcut|KeySequence|MouseEvent|KeyEvent|PaintEvent|Icon|Brush|Pen|"
                       r"Frame|ScrollBar|ScrollArea|Layout|[HV]BoxLayout|GridLayout|TreeWidget|"
                       r"TabWidget|CheckBox|RadioButton|SpinBox|MessageBox|FileDialog|Cursor|Region|"
                       r"Polygon|PolygonF|Transform|Matrix4x4|Vector3D|Chart|ChartView|LineSeries|"
                       r"ValueAxis|CategoryAxis)\b")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# Classes of QtWidgets a drawing file might include by class name.
WIDGET_CLASS = re.compile(r"^Q(Widget|Dialog|MainWindow|Label|LineEdit|PushButton|ToolButton|ComboBox|"
                          r"Application|Menu|Action|Frame|ScrollBar|ScrollArea|Layout|[HV]BoxLayout|"
                          r"GridLayout|TreeWidget|TabWidget|CheckBox|RadioButton|SpinBox|MessageBox|"
                          r"FileDialog|Chart|ChartView|LineSeries|ValueAxis|CategoryAxis)\b")
TARGET = re.compile(r"target_sources\(\s*(quorvex_core|quorvex_draw|quorvex_plot|quorvex_ui)\s+PRIVATE(.*?)\)", re.S)
LAYER_OF_TARGET = {"quorvex_core": "core", "quorvex_draw": "draw", "quorvex_plot": "plot", "quorvex_ui": "ui"}


def layer_files():
    """Maps each source and header under src/ to its layer."""
    layers = {}
    for cmake in SRC.glob("*/CMakeLists.txt"):
        text = re.sub(r"#.*", "", cmake.read_text())
        for target, body in TARGET.findall(text):
            for name in body.split():
                path = (cmake.parent / name).resolve()
                for f in (path, path.with_suffix(".h")):
                    if f.exists():
                        layers[f] = LAYER_OF_TARGET[target]
    for f in (SRC / "cli").glob("*.*"):
        layers[f.resolve()] = "cli"
    # Headers without a source of their own take the lowest layer that can
    # see them: core unless they include the toolkit's widgets themselves.
    for f in SRC.rglob("*.h"):
        f = f.resolve()
        if f in layers:
            continue
        gui = any((m := INCLUDE.match(line)) and m.group(1) == "<" and
                  (GUI_MODULES.match(m.group(2)) or GUI_CLASS.match(m.group(2)))
                  for line in f.read_text(errors="replace").splitlines())
        layers[f] = "ui" if gui else "core"
    return layers


def main():
    layers = layer_files()
    faults = []
    for path, layer in sorted(layers.items()):
        if layer not in ("core", "draw", "plot", "cli") or path.suffix not in (".h", ".cpp"):
            continue
        # Core sees only QtCore; drawing and the qvx tool may use QtGui too;
        # plot code the widgets and charts as well.
        gui_allowed = layer in ("draw", "cli")
        widgets_allowed = layer == "plot"
        below = {"core": ("core",), "draw": ("core", "draw"), "plot": ("core", "draw", "plot"),
                 "cli": ("core", "draw", "plot", "cli")}[layer]
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            kind, name = m.groups()
            where = f"{path.relative_to(ROOT)}:{number}"
            if kind == "<" and widgets_allowed:
                pass
            elif kind == "<" and gui_allowed and (WIDGET_MODULES.match(name) or WIDGET_CLASS.match(name)):
                faults.append(f"{where}: {layer} code includes <{name}> of the toolkit's windows")
            elif kind == "<" and not gui_allowed and (GUI_MODULES.match(name) or GUI_CLASS.match(name)):
                faults.append(f"{where}: {layer} code includes <{name}> of the toolkit's windows")
            elif kind == '"':
                target = (SRC / name).resolve()
                if layers.get(target) in ("ui", "draw", "plot") and layers.get(target) not in below:
                    what = {"ui": "a window (ui layer)", "draw": "drawing code (draw layer)",
                            "plot": "chart code (plot layer)"}[layers[target]]
                    faults.append(f"{where}: {layer} code includes \"{name}\", {what}")
                elif target.parent.name == "cli" and layer == "core":
                    faults.append(f"{where}: core code includes \"{name}\" of the qvx tool")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) run up the layers", file=sys.stderr)
        return 1
    print(f"layers hold: {sum(1 for l in layers.values() if l in ('core', 'draw', 'plot', 'cli'))} "
          "core, draw, plot and cli files checked")
    return 0


if __name__ == "__main__":
    sys.exit(main())
