#include "catalogue/RowColours.h"

#include "support/grid/RecordGrid.h"

TColor ParityColour(int recordNumber) {
    return recordNumber % 2 != 0 ? TColor(15720403) : TColor(15127753);
}

void PaintParityCell(TRecordGrid& grid, int recordNumber, const TRect& rect, int dataCol,
                     TColumn& column, unsigned state) {
    TCanvas& canvas = grid.Canvas();
    // A highlighted cell keeps the highlight: its text colour is made for that background.
    if (canvas.Font.Color != clHighlightText) {
        canvas.Pen.Color = ParityColour(recordNumber);
        canvas.Brush.Color = canvas.Pen.Color;
    }
    grid.DefaultDrawColumnCell(rect, dataCol, column, state);
}
