#!/usr/bin/env python3
"""Fails when a window shows a text not marked for translation, or when the
Japanese catalogue is not finished.

  scripts/check_translations.py sources [PATH...]   scans window code
  scripts/check_translations.py catalogue           checks translations/quorvex_ja.ts

The source scan is simple on purpose: a text literal ("..." or
QStringLiteral("...") holding a letter) given straight to a call that puts
text on the screen (setText, setWindowTitle, addItem, ShowStatus, a button's
constructor ...) is a fault; tr("..."), QT_TR_NOOP and
QCoreApplication::translate pass. By default it scans the files CMake adds to
quorvex_ui and quorvex_plot, and qvx's
sources, where a literal streamed out or given to a usage or failure line
counts as shown; PATHs narrow it to some files or
folders. A line ending in the comment `// not translated: REASON`, or a statement
after a comment line saying so, is passed over (names of things, texts the
design keeps in one language, listings scripts read).

The catalogue check fails on a message whose translation is unfinished, empty
or missing, and on a correction of the English catalogue whose source text
the sources no longer have.
"""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent
SRC = ROOT / "src"
SHOWING = ("setText|setWindowTitle|setToolTip|setStatusTip|setWhatsThis|setPlaceholderText|"
           "setTitle|setTabText|addTab|insertTab|addItem|addItems|insertItem|setItemText|"
           "setHeaderLabels|setHeaderLabel|addAction|addMenu|setTitleText|ShowStatus|"
           "ShowMessageBox|setLabelText|setPrefix|setSuffix|setSpecialValueText|"
           "QLabel|QPushButton|QToolButton|QCheckBox|QRadioButton|QGroupBox|QAction|QMenu|"
           "information|warning|critical|question")
CALL = re.compile(r"\b(" + SHOWING + r")\s*\(")
# qvx prints its messages on its streams and gives them to its usage and
# failure lines.
CLI_CALL = re.compile(r"(<<|\b(?:usage|UsageError|failed|note|failureWith)\s*\()")
LITERAL = re.compile(r'(?<![A-Za-z_])(?:QStringLiteral\(\s*|QLatin1String\(\s*|u)?"((?:[^"\\]|\\.)*)"')
MARKED = re.compile(r"\b(tr|QT_TR_NOOP|QT_TRANSLATE_NOOP|translate)\s*\(\s*$")
TARGET = re.compile(r"target_sources\(\s*(quorvex_ui|quorvex_plot)\s+PRIVATE(.*?)\)", re.S)
SKIP = re.compile(r"//\s*not translated\b")


def window_files():
    files = []
    for cmake in SRC.glob("*/CMakeLists.txt"):
        text = re.sub(r"#.*", "", cmake.read_text())
        for _, body in TARGET.findall(text):
            files += [cmake.parent / n for n in body.split() if n.endswith(".cpp")]
    files += list((SRC / "cli").glob("*.cpp"))
    return sorted(set(files))


def is_sentence(text):
    """qvx's names (verbs, options, placeholders) are single words; a message
    has words and blanks."""
    return re.search(r"[A-Za-z]{2}", text) and re.search(r"\s", text)


def scan_cli(path, number, line, call):
    rest = line[call.end():]
    if call.group(1) == "<<":
        # A streamed literal runs to the next insertion.
        lit = LITERAL.match(rest.lstrip())
        found = [lit.group(1)] if lit else []
    else:
        # The first argument of failed() and note() names the verb.
        if re.match(r"\b(failed|note)", call.group(1)):
            rest = rest[rest.find(",") + 1:] if "," in rest else ""
        found = [m.group(1) for m in LITERAL.finditer(rest)
                 if not MARKED.search(rest[:m.start()])]
    return [f"{path.relative_to(ROOT)}:{number}: \"{t}\" is shown but not marked for "
            f"translation" for t in found if is_sentence(t)]


def scan(path):
    faults = []
    lines = path.read_text(errors="replace").splitlines()
    calls = CLI_CALL if path.parent.name == "cli" else CALL
    passed_over = False
    for number, line in enumerate(lines, 1):
        # A comment line `// not translated: REASON` passes over the
        # statement after it, to its end.
        if line.lstrip().startswith("//"):
            passed_over = passed_over or bool(SKIP.search(line))
            continue
        if passed_over or SKIP.search(line):
            passed_over = passed_over and not line.rstrip().endswith((";", "{", "}"))
            continue
        for call in calls.finditer(line):
            if calls is CLI_CALL:
                faults += scan_cli(path, number, line, call)
                continue
            # The call's own arguments on this line, up to its closing bracket.
            depth, end = 0, len(line)
            for i in range(call.end() - 1, len(line)):
                depth += {"(": 1, ")": -1}.get(line[i], 0)
                if depth == 0:
                    end = i
                    break
            args = line[call.end():end]
            for lit in LITERAL.finditer(args):
                text = lit.group(1)
                if not re.search(r"[A-Za-z]", text):
                    continue
                before = args[:lit.start()]
                if MARKED.search(before):
                    continue
                faults.append(f"{path.relative_to(ROOT)}:{number}: \"{text}\" is shown but not "
                              f"marked for translation")
    return faults


def check_sources(paths):
    files = window_files()
    if paths:
        wanted = [pathlib.Path(p).resolve() for p in paths]
        files = [f for f in files if any(f == w or w in f.parents for w in wanted)]
    faults = [f for path in files for f in scan(path)]
    for f in faults:
        print(f)
    print(f"translations: {len(files)} files scanned, {len(faults)} texts not marked")
    return 1 if faults else 0


def check_catalogue():
    ts = ROOT / "translations" / "quorvex_ja.ts"
    root = ET.parse(ts).getroot()
    faults = 0
    total = 0
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            total += 1
            source = message.findtext("source")
            t = message.find("translation")
            numerus = t is not None and t.findall("numerusform")
            text = "".join(n.text or "" for n in numerus) if numerus else (t.text if t is not None else "")
            if t is None or t.get("type") in ("unfinished", "vanished", "obsolete") or not text:
                faults += 1
                print(f"{ts.relative_to(ROOT)}: {name}: \"{source}\" has no finished translation")
    print(f"translations: {total} messages in the Japanese catalogue, {faults} unfinished")
    # The English catalogue corrects texts the sources still have: a
    # correction whose source text is gone would silently stop applying.
    known = {(c.findtext("name"), m.findtext("source"))
             for c in root.iter("context") for m in c.iter("message")}
    en = ROOT / "translations" / "quorvex_en.ts"
    stale = 0
    for context in ET.parse(en).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            if (name, message.findtext("source")) not in known or not message.findtext("translation"):
                stale += 1
                print(f"{en.relative_to(ROOT)}: {name}: \"{message.findtext('source')}\" is no "
                      f"text of the sources, or has no correction")
    print(f"translations: {stale} stale corrections in the English catalogue")
    return 1 if faults or stale else 0


def main():
    if len(sys.argv) >= 2 and sys.argv[1] == "sources":
        return check_sources(sys.argv[2:])
    if len(sys.argv) == 2 and sys.argv[1] == "catalogue":
        return check_catalogue()
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main())
