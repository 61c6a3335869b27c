#include "ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "document/role_faces.h"
#include "ui/caption_art.h"
#include "ui/links.h"
#include "ui/pixels.h"
#include "ui/skin.h"

#ifndef QV_VERSION
#define QV_VERSION "0.0.0"
#endif

namespace qv::ui {
namespace {

QImage AboutPicture() {
    PixelBuffer b;
    if (!b.Allocate(420, 120)) return {};
    for (int y = 0; y < b.height(); ++y) {
        const uint32_t c = skin::Mix(RGB_MAKE(88, 140, 166), RGB_MAKE(34, 72, 94),
                                     float(y) / float(b.height() - 1));
        for (int x = 0; x < b.width(); ++x) b.at(x, y) = c;
    }
    CaptionArt mark;
    mark.SetText("QORVAN LOGO", role::kBrandFace, 52);
    mark.DrawCentred(b, {RGB_MAKE(255, 255, 255), RGB_MAKE(190, 224, 240)});
    return BufferImage(b);
}

}  // namespace

QString AboutDialog::VersionText() {
    return QStringLiteral("Version ") + QStringLiteral(QV_VERSION);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Qorvan Logo"));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(AboutPicture()));
    auto* text = new QLabel(
        QStringLiteral("<b>Qorvan Logo</b><br>%1<br><br>A logo designer for the Linux desktop.<br>"
                       "The bundled fonts come with their own licences, installed in the "
                       "<i>licenses</i> folder beside the program.<br><a href=\"%2\">%2</a>")
            .arg(VersionText(), QString::fromUtf8(kHomePageAddress)));
    text->setOpenExternalLinks(true);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    layout->addWidget(picture);
    layout->addWidget(text);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

}  // namespace qv::ui
