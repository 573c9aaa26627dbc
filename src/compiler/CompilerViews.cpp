#include "compiler/CompilerViews.h"

#include "compiler/Compiler.h"

#include <QListWidget>
#include <QTreeWidget>

namespace qvx {

void CompilerViews::FillStepList(QTreeWidget& List, const Compiler& compiler) {
    List.clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(compiler.stepRows().size());
    for (const QStringList& fields : compiler.stepRows())
        rows << new QTreeWidgetItem(fields);
    List.addTopLevelItems(rows);
}

void CompilerViews::FillHexView(QListWidget& Qmx, const Compiler& compiler) {
    Qmx.clear();
    Qmx.addItems(compiler.hexRows());
}

} // namespace qvx
