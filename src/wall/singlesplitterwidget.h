#pragma once

#include "wall/multiviewview.h"

#include <QFont>
#include <QMap>
#include <QPen>
#include <QRectF>
#include <QSize>
#include <QWidget>

/// The multiview output divided by one of the splitter layouts 0..6. Inputs dropped onto a
/// region are shown there (si_drop), a double click clears a region (si_drop with input 0).
/// The output is drawn at its own aspect ratio, as large as the widget allows.
class SingleSplitterWidget : public QWidget, public MultiviewView
{
    Q_OBJECT

public:
    explicit SingleSplitterWidget(QWidget *parent = nullptr);

    /// Region number -> rectangle in fractions of the output for a layout. Layout 0 (and
    /// anything outside 0..6) is the undivided output: region 0, the whole picture.
    static QMap<int, QRectF> layoutRegions(int mode);
    /// The picture size a resolution text such as "1280x1024x60Hz" names; 1920 x 1080 for a
    /// text that names none.
    static QSize pictureSize(const QString &resolution);

    void setSplitterMode(int mode);
    int splitterMode() const { return m_mode; }
    /// Labels from the multiview windows of the device state, "[input] name".
    void refreshLabels();
    /// The multiview output's resolution from the device state (output 9).
    void refreshOutputSize();
    void setOutputSize(const QSize &size);
    QSize outputSize() const { return m_outputSize; }
    /// Where the output is drawn: its aspect ratio, as large as the widget allows, centred
    /// across and at the top.
    QRectF outputArea() const;

    /// The region containing `pos` (edges included), -1 for none.
    int regionAt(const QPointF &pos) const;
    /// A region's rectangle in fractions; an absent one reads (0, 0, 25, 25).
    QRectF regionRect(int region) const;
    /// A region's rectangle in widget pixels.
    QRectF regionGeometry(int region) const;
    /// A region's label as drawn: cut at the end, with an ellipsis, where the region is too
    /// narrow; the whole label shows in the region's tooltip.
    QString shownLabel(int region) const;
    QMap<int, QRectF> regions() const { return m_regions; }
    QMap<int, QString> labels() const { return m_labels; }
    int hoveredRegion() const { return m_hovered; }

    // MultiviewView
    void setLayoutMode(int mode) override { setSplitterMode(mode); }
    /// Follows the store: its splitter layout (set by the version report), the output's
    /// resolution, then the labels.
    void refresh() override;

signals:
    void si_layout_change(int mode);
    /// Show `input` in region `output`; input 0 clears the region.
    void si_drop(int input, int output);

protected:
    bool event(QEvent *event) override;
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
    QSize m_outputSize{1920, 1080};
    QFont m_font;
    QPen m_textPen;
    QPen m_framePen;
};
