#include "support/navigator/NavigatorSetup.h"

#include "platform/QtImageList.h"
#include "support/TestApplication.h"
#include "support/navigator/DBNavigator.h"
#include "support/navigator/NavigatorImages.h"

#include <gtest/gtest.h>
#include <set>

namespace {

bool Drawn(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) return true;
    return false;
}

bool Grey(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qRed(pixel) != qGreen(pixel) || qGreen(pixel) != qBlue(pixel)) return false;
        }
    return true;
}

TEST(NavigatorSetup, EveryButtonGetsItsCaptionAndPictureAboveIt) {
    TestApplication();
    TDBNavigator navigator;
    navigator.SetVisibleButtons({nbInsert, nbEdit, nbPost, nbCancel});
    const auto images = CreateNavigatorImageList();
    SetupNavigatorButtons(navigator, *images);

    const TNavButton& insert = navigator.Button(nbInsert);
    EXPECT_EQ(insert.Caption(), "Insert");
    EXPECT_EQ(insert.NumGlyphs(), 1);
    EXPECT_EQ(insert.Glyph(), images->Image(4));
    EXPECT_EQ(insert.Layout(), blGlyphTop);
    const TNavButton& refresh = navigator.Button(nbRefresh);
    EXPECT_EQ(refresh.Caption(), "Refresh");
    EXPECT_EQ(refresh.Glyph(), images->Image(9));
    EXPECT_EQ(refresh.Layout(), blGlyphTop);
}

TEST(NavigatorSetup, DisabledButtonsShowTheirPictureGreyed) {
    TestApplication();
    TDBNavigator navigator;
    const auto images = CreateNavigatorImageList();
    SetupNavigatorButtons(navigator, *images);
    TNavButton& post = navigator.Button(nbPost);
    ASSERT_FALSE(post.isEnabled());
    EXPECT_EQ(post.Picture(), GrayedPicture(images->Image(7)));
    post.setEnabled(true);
    EXPECT_EQ(post.Picture(), images->Image(7));
}

TEST(NavigatorImages, TenDistinctPictures) {
    TestApplication();
    const std::vector<QImage> images = NavigatorImages();
    ASSERT_EQ(images.size(), 10u);
    std::set<QByteArray> distinct;
    for (const QImage& image : images) {
        EXPECT_EQ(image.size(), QSize(24, 24));
        EXPECT_TRUE(Drawn(image));
        distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                   static_cast<int>(image.sizeInBytes())));
    }
    EXPECT_EQ(distinct.size(), 10u);
    EXPECT_TRUE(Grey(GrayedPicture(images[nbPost])));
}

TEST(NavigatorImages, BuiltInGlyphsHoldANormalAndADisabledPicture) {
    TestApplication();
    TDBNavigator navigator;
    const TNavButton& next = navigator.Button(nbNext);
    EXPECT_EQ(next.NumGlyphs(), 2);
    EXPECT_EQ(next.Glyph().size(), QSize(32, 16));
    EXPECT_TRUE(Grey(next.Picture()));
}

} // namespace
