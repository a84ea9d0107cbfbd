#pragma once

#include <QObject>

#include <functional>

class DeviceState;
class MessageDistance;
class QAbstractButton;
class QButtonGroup;
class QWidget;
class SpliceGroups;
class WallCanvas;
struct WidgetForms;

/// The two bars of ten plan buttons, on the video page and on the wall page: their captions from
/// the names saved for the device, recall by a double click, the plan menu on a click.
/// Everything given outlives the bars.
class PlanBars : public QObject
{
    Q_OBJECT

public:
    PlanBars(WidgetForms *ui, MessageDistance *client, DeviceState *state, WallCanvas *wall,
             std::function<SpliceGroups *()> spliceGroups, QWidget *window);

    QButtonGroup *videoPlans() const { return m_video; }
    QButtonGroup *wallPlans() const { return m_wall; }

    /// Reads the names saved for the device's address and shows them on both bars.
    void loadNames();
    /// A plan renamed: its button on both bars.
    void showName(int index, const QString &name);
    /// Recalls a plan and asks for the state it made. The wall's plans wait until the wall's
    /// windows, resolution and rotation have been reported; the operator is told which are missing.
    void recall(QButtonGroup *bar, int index);

    /// What a wall plan recall tells the operator while the wall's reports are missing
    /// (markup: the missing ones in red).
    static QString wallWarning(bool windows, bool resolution, bool rotation);
    /// Caption of one plan button: "[n]name", or "[n]" without a name.
    static void showCaption(QAbstractButton *button, int planNumber, const QString &name);

signals:
    /// A click on a plan button asks for its menu.
    void menuRequested(QButtonGroup *bar, int index);
    /// A routing plan was recalled; the routes report asked for tells what it changed.
    void routesPlanRecalled(int plan);

private:
    QButtonGroup *makeBar(const QList<QAbstractButton *> &buttons);
    void showCaptions(QButtonGroup *bar);

    MessageDistance *m_client;
    DeviceState *m_state;
    WallCanvas *m_wallCanvas;
    std::function<SpliceGroups *()> m_spliceGroups;
    QWidget *m_window;
    QButtonGroup *m_video = nullptr;
    QButtonGroup *m_wall = nullptr;
};
