#pragma once

// TableWidgetAudioMix: the 0808S audio table, a TableWidget whose middle rows and columns
// (1 and 2) are hidden while HDMI audio follows video.
//   setAudioFollow(bool) / audioFollows()

#include "tablewidget.h"

class TableWidgetAudioMix : public TableWidget
{
    Q_OBJECT

public:
    explicit TableWidgetAudioMix(QWidget *parent = nullptr);

    void setAudioFollow(bool follow);
    bool audioFollows() const { return m_audioFollow; }

    void fitCells() override;

private:
    void applyFollow();

    bool m_audioFollow = false;
};
