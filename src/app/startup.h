#pragma once

// The application-wide set-up of a start, shared by main() and the start-up benchmark so that
// the benchmark starts the window the way the program does.

/// Before the QApplication exists: a scale factor of 1 with high-DPI scaling on.
void prepareApplication();

/// Once the QApplication exists: the application font.
void configureApplication();
