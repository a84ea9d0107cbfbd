#pragma once

#include "mainwindow/multiviewview.h"

#include <QFont>
#include <QMap>
#include <QPen>
#include <QRectF>
#include <QWidget>

/// The multiview output divided by one of the splitter layouts 0..6. Inputs dropped onto a
/// region are shown there (si_drop), a double click clears a region (si_drop with input 0).
class SingleSplitterWidget : public QWidget, public MultiviewView
{
    Q_OBJECT

public:
    explicit SingleSplitterWidget(QWidget *parent = nullptr);

    /// Region number -> rectangle in fractions of the widget for a layout; empty for 0 and
    /// for anything outside 0..6.
    static QMap<int, QRectF> layoutRegions(int mode);

    void setSplitterMode(int mode);
    int splitterMode() const { return m_mode; }
    /// Labels from the multiview windows of the device state, "[input] name".
    void refreshLabels();

    /// The region containing `pos` (edges included), -1 for none.
    int regionAt(const QPointF &pos) const;
    /// A region's rectangle in fractions; an absent one reads (0, 0, 25, 25).
    QRectF regionRect(int region) const;
    /// A region's rectangle in widget pixels.
    QRectF regionGeometry(int region) const;
    QMap<int, QRectF> regions() const { return m_regions; }
    QString label(int region) const { return m_labels.value(region); }
    QMap<int, QString> labels() const { return m_labels; }
    int hoveredRegion() const { return m_hovered; }

    // MultiviewView
    void setLayoutMode(int mode) override { setSplitterMode(mode); }
    /// Follows the store: its splitter layout (set by the version report), then the labels.
    void refresh() override;

signals:
    void si_layout_change(int mode);
    /// Show `input` in region `output`; input 0 clears the region.
    void si_drop(int input, int output);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    static QString labelFor(int input);
    void setHovered(int region);
    void paintRegion(QPainter &painter, int region);

    QMap<int, QRectF> m_regions;
    QMap<int, QString> m_labels;
    int m_hovered = -1;
    int m_mode = 0;
    QFont m_font;
    QPen m_textPen;
    QPen m_framePen;
};
