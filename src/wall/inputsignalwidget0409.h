#pragma once

#include "state/wallgeometry.h"

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QWidget>

class QLabel;
class QPushButton;

/// One window of the wall processor on the canvas: an input scaled into a rectangle of the
/// wall, with an ID and a layer. Dragged by its header, resized by its edges; every finished
/// gesture becomes one window command in virtual wall pixels. The canvas is its parent.
class InputSignalWidget0409 : public QWidget
{
    Q_OBJECT

public:
    InputSignalWidget0409(const QSize &virtualSize, int input, const QString &name, int rows,
                          int columns, int id, int layer, bool openOnShow, QWidget *canvas);

    int id() const { return m_id; }
    int input() const { return m_input; }
    QString inputName() const { return m_inputName; }
    int layer() const { return m_layer; }
    QSize virtualSize() const { return m_virtualSize; }
    QRectF canvasRect() const { return m_canvasRect; }
    QRectF relativeRect() const { return m_relativeRect; }
    QRect currentVirtualRect() const { return m_currentVirtual; }
    QRect restoreVirtualRect() const { return m_restoreVirtual; }
    bool isZoomed() const { return m_zoomed; }
    void setZoomed(bool zoomed) { m_zoomed = zoomed; }
    bool isLocked() const { return m_locked; }
    bool isHighlighted() const { return m_highlighted; }
    /// A drag or an edge resize is under way.
    bool inGesture() const { return m_dragging || m_resizing; }
    QString infoText() const;
    QWidget *header() const { return m_header; }
    QPushButton *button(const char *objectName) const;

    void setVirtualSize(const QSize &size);
    void setInput(int input, const QString &name);
    void setLayer(int layer);
    void setGeometryF(const QRectF &r);
    void clampToCanvas();
    void syncVirtualRect();
    void placeFromVirtual(const QRect &r);
    void setLocked(bool locked);
    void setHighlighted(bool highlighted);
    void retranslate();
    /// Takes a rectangle the device reported as the window's own, whatever the canvas size.
    void adoptVirtualRect(const QRect &r);
    /// Puts the window back where the device has it (after a change it could not be told of).
    void revertToDevice();

    /// The commands; each returns false (and sends nothing the device could take) while the
    /// control link is down.
    bool sendOpen();
    bool sendMove();
    bool sendResize();
    bool sendLayer();

    /// Menu and header actions; each does nothing while the window is locked.
    void zoomToMaximum();
    void restore();
    void requestClose();
    void requestLayer(int step); // +1 up, -1 down, +2 top, -2 bottom
    void requestZoomSingle();
    void requestZoomOccupied();
    void requestProperty();

public slots:
    void setGrid(int rows, int columns);

signals:
    void si_layerUp(int id);
    void si_layerDown(int id);
    void si_layerTop(int id);
    void si_layerBottom(int id);
    void si_deleted(int id);
    void si_orderZoomSingleScreen(int id);
    void si_orderZoomOccupiedScreens(int id);
    void si_showProperty(int id);
    /// Right click: the canvas builds the menu, which holds the ID, never this widget.
    void si_menuRequested(int id, const QPoint &globalPos);
    /// A finished gesture the device could not be told of; the canvas put the window back.
    void si_gestureUndone(int id);
    /// A command about this window went out: the device now has what the window shows.
    void si_sent(int id);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QSizeF canvasSize() const;
    bool inHeader(const QPoint &p) const;
    void updateCursor(const QPoint &p);
    void refreshInfo();
    void applyStyle();
    bool linkUp() const;

    int m_id;
    int m_input;
    QString m_inputName;
    int m_layer;
    QSize m_virtualSize;
    WallGeometry::Grid m_grid;
    QRectF m_canvasRect;
    QRectF m_relativeRect{0.25, 0.25, 0.5, 0.5};
    QRect m_currentVirtual;
    QRect m_restoreVirtual;
    bool m_zoomed = false;
    bool m_locked = false;
    bool m_highlighted = false;
    bool m_dragging = false;
    bool m_resizing = false;
    bool m_openOnShow;
    int m_edges = 0;
    QPointF m_pressGlobal;
    QRectF m_pressRect;

    QWidget *m_header = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_content = nullptr;
    QPushButton *m_stick = nullptr;
    QPushButton *m_full = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_close = nullptr;
};
