#pragma once

#include <QWidget>

#include "ui/caption_art.h"

namespace qv::ui {

// The word mark at the top right of a wide editor window: "QORVAN LOGO" in the brand face,
// its right edge two pixels from the button's right edge, vertically centred.
class BrandButton : public QWidget {
    Q_OBJECT
public:
    explicit BrandButton(QWidget* parent = nullptr);

    static constexpr const char* kWordMark = "QORVAN LOGO";

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CaptionArt art_;
};

}  // namespace qv::ui
