#pragma once

class QWidget;

// Under window managers that put each window into a frame of their own (most on X11), a
// frameless window moved or resized after its native window exists can be recorded at the
// screen's top-left corner although it shows where it was asked to be; its combo lists, colour
// chooser and message boxes are then placed from that corner. Settling its size and place
// before the native window exists leaves nothing to move afterwards.

/// Sizes dialog as its first show would and centres it over its owner's window (the screen
/// when it has no shown owner), kept on that screen. Does nothing once its window exists.
void placeBeforeShowing(QWidget *dialog);
