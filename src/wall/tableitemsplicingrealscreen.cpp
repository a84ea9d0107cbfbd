#include "tableitemsplicingrealscreen.h"

TableItemSplicingRealScreen::TableItemSplicingRealScreen(int screen, const QString &resolution,
                                                         int rotation)
    : QTableWidgetItem(ItemType), m_screen(screen), m_resolution(resolution),
      m_rotation(shownRotation(rotation))
{
    setFlags(flags() & ~Qt::ItemIsEditable);
    refreshText();
}

int TableItemSplicingRealScreen::shownRotation(int rotation)
{
    return rotation >= 0 && rotation <= 3 ? rotation : 0;
}

QString TableItemSplicingRealScreen::rotationText(int rotation)
{
    static const QString texts[] = {QStringLiteral("0\u00b0"), QStringLiteral("90\u00b0"),
                                    QStringLiteral("180\u00b0"), QStringLiteral("270\u00b0")};
    return texts[shownRotation(rotation)];
}

void TableItemSplicingRealScreen::setResolution(const QString &resolution)
{
    m_resolution = resolution;
    refreshText();
}

void TableItemSplicingRealScreen::setRotation(int rotation)
{
    m_rotation = shownRotation(rotation);
    refreshText();
}

void TableItemSplicingRealScreen::refreshText()
{
    setText(QStringLiteral("    %1\n    %2\n    %3")
                .arg(QString::number(m_screen), m_resolution, rotationText(m_rotation)));
}
