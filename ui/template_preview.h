#pragma once

#include "render/pixel_buffer.h"
#include "ui/hover_control.h"

namespace qv::ui {

// One template on the browser's page: its preview on the template's background colour, the
// lighter preview while the mouse is over it.
class TemplatePreview : public HoverControl {
    Q_OBJECT
public:
    explicit TemplatePreview(QWidget* parent = nullptr);

    // Shows template `index` of the library, or nothing for -1.
    void SetTemplate(int index);
    int templateIndex() const { return index_; }

signals:
    void Chosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int index_ = -1;
    uint32_t background_ = 0xFFFFFF;
    PixelBuffer normal_;
    PixelBuffer lighter_;
};

}  // namespace qv::ui
