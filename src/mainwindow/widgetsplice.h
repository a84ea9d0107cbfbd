#pragma once

#include <QMap>
#include <QString>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class SingleSplitterWidget;
class SpliceGroups;
class TableWidget;
class Widget;

/// Joins the wall pieces to the main window: the splice-group manager on the video table, the
/// multiview splitter of the 0809-M, the splice-mode preset pictures and the plan buttons.
class WidgetSplice
{
public:
    /// The splice-group manager on the video table, bound to the window's bind commands.
    static SpliceGroups *createManager(TableWidget *videoTable, Widget *window);

    /// Routes the splitter's drops (900 + window, or output 9 for the whole output) and its
    /// layout changes (output 9's cell, the layout buttons) and hands the view to the window.
    static void attachMultiview(Widget *window, SingleSplitterWidget *splitter,
                                TableWidget *videoTable, QButtonGroup *layoutButtons);

    /// Draws on each splice-mode button the group its preset forms on the 2 x 4 outputs.
    static void decorateSpliceModeButtons(QButtonGroup *modes);

    /// Caption of one plan button: "[n]name", or "[n]" without a name.
    static void showPlanCaption(QAbstractButton *button, int planNumber, const QString &name);
    /// Captions of a whole plan group from the names by button index.
    static void showPlanCaptions(QButtonGroup *plans, const QMap<int, QString> &namesByIndex);
    /// A double click on a plan button recalls its plan.
    static void connectPlanDoubleClicks(QButtonGroup *plans,
                                        const std::function<void(int)> &recall);
};
