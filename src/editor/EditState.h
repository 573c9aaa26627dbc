#pragma once

#include "editor/Clipboard.h"

#include <QPoint>
#include <QVector>
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

    // Results of the hit tests at the last press that ran them (-1 = none);
    // the hit item is currentItem above.
    int hitLink = -1;
    int hitPoint = -1;   // bending point of hitLink
    int hitSegment = -1; // segment of hitLink, 0 = the one leaving the origin
    QPoint downPoint;    // last left or right press, snapped
    QPoint lastPoint;    // last point used for dragging
    bool rubberBand = false;

    // The link being drawn: its origin item and the points fixed so far (the
    // origin's centre first, then the bending points clicked).
    int linkOrigin = -1;
    QVector<QPoint> fixedPoints;

    // Copied items and links, kept until the next copy.
    Clipboard clipboard;

    // The grid never goes below 2 pixels; the half-spacings follow it.
    void setGrid(int w, int h) {
        gridWidth = std::max(2, w);
        gridHeight = std::max(2, h);
        halfGridWidth = gridWidth / 2;
        halfGridHeight = gridHeight / 2;
    }

    // With the grid on a point goes to the centre of its grid cell.
    QPoint SnapToGrid(QPoint p) const {
        if (!gridOn) return p;
        return {gridWidth * (p.x() / gridWidth) + halfGridWidth,
                gridHeight * (p.y() / gridHeight) + halfGridHeight};
    }

    // Drops the link in progress; link drawing itself stays as it is.
    void abandonLink() {
        linkOrigin = -1;
        fixedPoints.clear();
    }
    // Link drawing on, with no link in progress yet.
    void startLinkDrawing() {
        linkDrawing = true;
        abandonLink();
    }
    void endLinkDrawing() {
        linkDrawing = false;
        abandonLink();
    }
    void clearHits() { currentItem = hitLink = hitPoint = hitSegment = -1; }
};

} // namespace qvx
