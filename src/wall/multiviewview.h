#pragma once

/// What the main window needs from the multiview view of the 0809-M model.
class MultiviewView
{
public:
    virtual ~MultiviewView() = default;

    virtual void setLayoutMode(int mode) = 0;
    /// Redraws the windows from the store.
    virtual void refresh() = 0;
};
