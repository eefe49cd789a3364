#pragma once

#include "platform/Canvas.h"

#include <QIcon>
#include <QImage>
#include <vector>

// An image list of pictures of one size, for canvases and for Qt's icons alike.
class TQtImageList : public TImageList {
public:
    TQtImageList(int width, int height);

    int Count() const override { return static_cast<int>(images_.size()); }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // A picture of another size is scaled to the list's.
    void Add(const QImage& image);
    const QImage& Image(int index) const { return images_.at(index); }
    QIcon Icon(int index) const;
    // Fills the opaque pixels through the canvas, so any canvas shows the picture.
    void Draw(TCanvas& canvas, int index, const TRect& rect) const override;

private:
    int width_;
    int height_;
    std::vector<QImage> images_;
};
