#pragma once

class QEvent;
class QSlider;

/// Turns a left-button release on a slider that is not being dragged (a click on its groove)
/// into a press and release of the slider, so that the click reports the value as a drag would.
/// Call it from the owner's event filter; a release that ends a drag is left to the slider.
void releaseClickedSlider(QSlider *slider, QEvent *event);
