#pragma once

#include <QString>

/// What the main window needs from the wall canvas of the video-wall model.
class WallCanvas
{
public:
    virtual ~WallCanvas() = default;

    /// Forgets the windows and lays the wall out again from the store.
    virtual void resetAndLayout() = 0;
    virtual void relayout() = 0;
    /// Layout buttons 0, 1, 2 of the wall page.
    virtual void switchVirLayout(int id) = 0;
    virtual void redraw() = 0;
    virtual void retranslate() = 0;
    virtual void renameInput(int input, const QString &name) = 0;
    /// The three reports a plan recall needs since login or the last refresh.
    virtual void resetReceivedFlags() = 0;
    virtual bool windowsReceived() const = 0;
    virtual bool resolutionReceived() const = 0;
    virtual bool rotationReceived() const = 0;
    virtual void closeAll() = 0;
    virtual void lockAll() = 0;
    virtual void zoomIn() = 0;
    virtual void zoomOut() = 0;
    /// The input selected in the signal list (video port, 0 for none): what a rectangle drawn
    /// on the wall shows.
    virtual void setCurrentInput(int input) = 0;
    /// Lock All in force (lockAll toggles it).
    virtual bool isWallLocked() const = 0;
};
