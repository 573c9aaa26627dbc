#pragma once

class QListWidget;
class QTreeWidget;

namespace qvx {

class Compiler;

// Shows the compiler's results in the main window's views: the hidden step
// table `List` and the LIST page view `Qmx`.
class CompilerViews {
  public:
    // Clears `List` and adds one row per step: the step number as caption and
    // the fields of its listing line in the following columns.
    static void FillStepList(QTreeWidget& List, const Compiler& compiler);
    // Clears `Qmx` and adds the compiler's LIST rows: the hex row of every
    // record after a motion compile, the motion list after a scenario compile.
    static void FillHexView(QListWidget& Qmx, const Compiler& compiler);
};

} // namespace qvx
