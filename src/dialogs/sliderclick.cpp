#include "sliderclick.h"

#include <QMouseEvent>
#include <QSlider>

void releaseClickedSlider(QSlider *slider, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return;
    auto *mouse = static_cast<QMouseEvent *>(event);
    // A drag of the handle ends with the slider's own sliderReleased; doing it here as well
    // would send the value twice.
    if (mouse->button() != Qt::LeftButton || slider->isSliderDown() || !slider->isEnabled())
        return;
    slider->setSliderDown(true);
    slider->setSliderDown(false);
}
