// Renders the record navigator as the catalogue sets it up, the built-in look and the ten
// pictograms enlarged, into PNG files for a person to look at: render_navigator [folder].
#include "platform/QtImageList.h"
#include "support/navigator/DBNavigator.h"
#include "support/navigator/NavigatorImages.h"
#include "support/navigator/NavigatorSetup.h"

#include <QApplication>
#include <QPainter>
#include <filesystem>
#include <iostream>

namespace {

void Enable(TDBNavigator& navigator, TButtonSet buttons) {
    for (int i = 0; i < kNavButtonCount; ++i) {
        const auto index = static_cast<TNavigateBtn>(i);
        navigator.Button(index).setEnabled(buttons.Contains(index));
    }
}

void Save(const QImage& image, const std::string& file) {
    image.save(QString::fromStdString(file));
    std::cout << file << "\n";
}

// Catalogue strip (Edit under the mouse), the same with Post pressed, ten captioned raised
// buttons, and the built-in navigator.
void RenderStrips(const std::string& folder, const TQtImageList& images) {
    QWidget sheet;
    sheet.resize(880, 270);
    TDBNavigator catalogue(&sheet), pressed(&sheet), captioned(&sheet), builtIn(&sheet);
    for (TDBNavigator* navigator : {&catalogue, &pressed}) {
        navigator->SetVisibleButtons({nbInsert, nbEdit, nbPost, nbCancel});
        navigator->SetFlat(true);
        navigator->SetAlign(alTop);
        SetupNavigatorButtons(*navigator, images);
    }
    SetupNavigatorButtons(captioned, images);
    catalogue.setGeometry(8, 8, 862, 55);
    pressed.setGeometry(8, 71, 862, 55);
    captioned.setGeometry(8, 134, 860, 60);
    builtIn.move(8, 210);
    Enable(catalogue, {nbInsert, nbEdit});
    Enable(pressed, {nbInsert, nbPost, nbCancel});
    Enable(captioned, {nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbRefresh});
    Enable(builtIn, {nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbRefresh});
    sheet.show();
    QApplication::processEvents();
    for (QWidget* button : sheet.findChildren<TNavButton*>())
        button->setAttribute(Qt::WA_UnderMouse, false);
    catalogue.Button(nbEdit).setAttribute(Qt::WA_UnderMouse);
    pressed.Button(nbPost).setDown(true);
    Save(sheet.grab().toImage(), folder + "/navigator.png");
}

void RenderPictograms(const std::string& folder, const TQtImageList& images) {
    constexpr int kScale = 4;
    QImage sheet(images.Count() * (24 * kScale + 8) + 8, 24 * kScale + 16, QImage::Format_ARGB32);
    sheet.fill(QColor(240, 240, 240));
    QPainter painter(&sheet);
    for (int i = 0; i < images.Count(); ++i)
        painter.drawImage(QRect(8 + i * (24 * kScale + 8), 8, 24 * kScale, 24 * kScale),
                          images.Image(i));
    painter.end();
    Save(sheet, folder + "/navigator_pictograms.png");
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string folder = argc > 1 ? argv[1] : std::string(SKEDORA_BINARY_DIR) + "/screens";
    std::filesystem::create_directories(folder);
    const auto images = CreateNavigatorImageList();
    RenderStrips(folder, *images);
    RenderPictograms(folder, *images);
    return 0;
}
