#pragma once

// ListWidget: the signal list that inputs are dragged from.
//   reloadSignals()                 reads the port names from project.db, then setSignalNames
//   setSignalNames(video, audio)    eight audio entries then eight video entries, ports 1..8
//   setListMode(mode) / listMode()  0 video page, 1 audio page, 2 infrared page
//   refreshSelectionAndMode()       re-applies the mode after input signal changes
//   arrangeForDeviceType(type)      which entries the device model has at all
//   createDragData(item)            the drag payload of an entry
// Entries carry the port in Qt::UserRole, the name in Qt::UserRole + 1 and the kind in
// Qt::UserRole + 2 (1 video input, 0 audio input). A video entry drags as port + 100 with
// "application/type" set to "1"; an audio entry drags as its port.

#include "state/devicetype.h"

#include <QIcon>
#include <QListWidget>
#include <QMap>
#include <QPoint>

class QMimeData;

class ListWidget : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int PortRole = Qt::UserRole;
    static constexpr int NameRole = Qt::UserRole + 1;
    static constexpr int KindRole = Qt::UserRole + 2;
    static constexpr int AudioKind = 0;
    static constexpr int VideoKind = 1;
    static constexpr int PortsPerKind = 8;

    enum ListMode
    {
        VideoMode = 0,
        AudioMode = 1,
        InfraredMode = 2
    };

    explicit ListWidget(QWidget *parent = nullptr);

    /// Loads the stored video and audio input names and rebuilds the entries.
    void reloadSignals();
    /// Rebuilds the entries from names by port; a missing or empty name gets the default.
    void setSignalNames(const QMap<int, QString> &videoNames, const QMap<int, QString> &audioNames);

    void setListMode(int mode);
    int listMode() const { return m_mode; }
    void refreshSelectionAndMode();
    void arrangeForDeviceType(DeviceType type);

    QListWidgetItem *entry(int kind, int port) const;
    /// The payload of a drag of `item`; the caller owns it.
    QMimeData *createDragData(const QListWidgetItem *item) const;

protected:
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QListWidgetItem *> items) const override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    QListWidgetItem *addEntry(int kind, int port, const QString &name);
    void applyMode();

    int m_mode = VideoMode;
    QIcon m_defaultIcon;
    QIcon m_signalIcon;   // "#338c56": a video input with a signal
    QIcon m_noSignalIcon; // "#2c3e50": a video input without one
    QIcon m_audioIcon;    // "#6988a0": audio inputs on the audio page
    QIcon m_hdmiIcon;     // "#789383": video inputs on the audio page (their HDMI audio)
};
