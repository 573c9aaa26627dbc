#pragma once

#include <QPoint>
#include <algorithm>

namespace qvx {

// Tool modes of the canvas.
enum ToolMode {
    ToolSwallow = -1, // swallow the next mouse event (after a file dialog closes)
    ToolSelect = 0,
    ToolPos = 1,
    ToolSet = 2,
    ToolCmp = 3,
    ToolMainLink = 4,
    ToolBranchLink = 5,
    ToolStart = 6,
};

// The main window's editing state kept outside the document.
struct EditState {
    int toolMode = ToolSelect;
    bool gridOn = false;
    int gridWidth = 10;
    int gridHeight = 10;
    int halfGridWidth = 5;
    int halfGridHeight = 5;
    QPoint mousePoint;        // last canvas point seen, grid-snapped; where a paste goes
    bool linkDrawing = false; // a link is being drawn (tool modes 4 and 5)
    int currentItem = -1;     // the item hit by the last mouse press

    // The grid never goes below 2 pixels; the half-spacings follow it.
    void setGrid(int w, int h) {
        gridWidth = std::max(2, w);
        gridHeight = std::max(2, h);
        halfGridWidth = gridWidth / 2;
        halfGridHeight = gridHeight / 2;
    }
};

} // namespace qvx
