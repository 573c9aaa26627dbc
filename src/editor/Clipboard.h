#pragma once

#include "document/ChartTypes.h"

#include <QPoint>
#include <vector>

namespace qvx {

class Chart;

// The program's own clipboard for items and links (the system clipboard is not
// used). Positions are kept relative to a reference corner so that a paste puts
// the group at the mouse.
class Clipboard {
  public:
    // Copies the selected items, and the selected links running between them.
    // Without a selected item nothing happens and the old content stays.
    void CopySelection(const Chart& chart);
    // Appends the copied items and links with their reference corner at `at`;
    // exactly the pasted items and links end up selected. Returns false when
    // there is nothing to paste.
    bool PasteClipboard(Chart& chart, QPoint at) const;
    // Forgets the copied items; a paste then does nothing.
    void clearItems() { m_items.clear(); }

    bool hasItems() const { return !m_items.empty(); }
    const std::vector<Item>& items() const { return m_items; }
    const std::vector<Link>& links() const { return m_links; }

  private:
    std::vector<Item> m_items; // left and top relative to the reference corner
    std::vector<Link> m_links; // ends are indices into m_items; points relative
};

} // namespace qvx
