#pragma once

#include "platform/Canvas.h"

class TColumn;
class TRecordGrid;

// Both programme lists stripe their rows by record number: odd rows one blue, even another.
TColor ParityColour(int recordNumber);
// Paints one data cell of the grid on its row's stripe colour with the grid's own text; cells
// the grid highlights stay highlighted.
void PaintParityCell(TRecordGrid& grid, int recordNumber, const TRect& rect, int dataCol,
                     TColumn& column, unsigned state);
