#pragma once

#include <QImage>
#include <vector>

// The main window's own pictograms, drawn here rather than shipped as files.

// The six 32 by 32 toolbar pictures in image-list order: add programme, show all programmes,
// save, export, a neutral mark, import.
std::vector<QImage> ToolbarImages();
// Undo and redo, 32 by 32.
std::vector<QImage> UndoRedoImages();
// The planner's one 16 by 16 picture: a clock.
QImage PlannerItemImage();
