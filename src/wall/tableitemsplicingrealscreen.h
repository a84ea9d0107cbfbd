#pragma once

#include <QString>
#include <QTableWidgetItem>

/// One real screen of the wall in the splicing setting's table: its number, the resolution it
/// is driven at and its rotation, shown on three lines. Not editable.
class TableItemSplicingRealScreen : public QTableWidgetItem
{
public:
    static constexpr int ItemType = QTableWidgetItem::UserType + 1;

    /// rotation is the device's value 0..3; anything else shows as 0°.
    TableItemSplicingRealScreen(int screen, const QString &resolution, int rotation);

    /// "0°", "90°", "180°", "270°" for 0..3; anything else counts as 0.
    static QString rotationText(int rotation);
    /// The value rotationText() shows: 0..3 kept, anything else 0.
    static int shownRotation(int rotation);

    int screen() const { return m_screen; }
    QString resolution() const { return m_resolution; }
    void setResolution(const QString &resolution);
    /// The rotation shown, 0..3.
    int rotation() const { return m_rotation; }
    void setRotation(int rotation);

private:
    void refreshText();

    int m_screen;
    QString m_resolution;
    int m_rotation;
};
