#include "tablewidgetaudiomix.h"

namespace {
// The rows and columns that hold the HDMI audio side of the mixed table.
constexpr int followLines[] = {1, 2};
} // namespace

TableWidgetAudioMix::TableWidgetAudioMix(QWidget *parent) : TableWidget(parent)
{
    setTableType(MixedAudioTable);
    setStripVideoOffset(false);
}

void TableWidgetAudioMix::setAudioFollow(bool follow)
{
    m_audioFollow = follow;
    fitCells();
}

void TableWidgetAudioMix::applyFollow()
{
    for (int line : followLines) {
        if (line < rowCount())
            setRowHidden(line, m_audioFollow);
        if (line < columnCount())
            setColumnHidden(line, m_audioFollow);
    }
}

void TableWidgetAudioMix::fitCells()
{
    // A new layout brings every row and column back, so the follow state is applied again.
    applyFollow();
    TableWidget::fitCells();
}
