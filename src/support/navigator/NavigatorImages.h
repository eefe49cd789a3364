#pragma once

#include "support/navigator/NavigateBtn.h"

#include <QImage>
#include <memory>
#include <vector>

class TQtImageList;

// The navigator's own pictograms, drawn here rather than shipped as files.

// The pictogram of a button at size by size pixels.
QImage NavigatorPicture(TNavigateBtn button, int size);
// The ten 24 by 24 pictures in button order: first, prior, next, last, insert, delete, edit,
// post, cancel, refresh.
std::vector<QImage> NavigatorImages();
// ilNavigator: the image list of those ten pictures.
std::unique_ptr<TQtImageList> CreateNavigatorImageList();
// A picture's disabled look: grey and faded.
QImage GrayedPicture(const QImage& picture);
// A button's built-in glyph: its 16 by 16 picture followed by the same greyed.
QImage DefaultNavigatorGlyph(TNavigateBtn button);
