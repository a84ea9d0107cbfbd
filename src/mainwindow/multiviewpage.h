#pragma once

#include <QObject>

#include <functional>

class DeviceState;
class MessageDistance;
class MultiviewView;
class QButtonGroup;
class ReportApplier;
class RoutingPage;
class SingleSplitterWidget;
struct WidgetForms;

/// The 0809-M's multiview of output 9: the seven layout buttons, the view of the output's
/// windows, drops onto a window (900 + window, or output 9 for the whole output), and output 9's
/// cell, which takes no routes while the output is divided. Everything given outlives the page.
class MultiviewPage : public QObject
{
    Q_OBJECT

public:
    MultiviewPage(WidgetForms *ui, MessageDistance *client, DeviceState *state,
                  ReportApplier *reports, RoutingPage *routing,
                  std::function<bool(const QString &what)> linkReady, QObject *parent);

    MultiviewView *view() const;

private:
    /// The operator's layout: the view, the store, then the command.
    void chooseLayout(int mode);
    void onDrop(int input, int region);
    /// The view shows a layout (chosen or reported): output 9's cell and the layout's button.
    void onLayoutShown(int mode);

    WidgetForms *m_ui;
    MessageDistance *m_client;
    DeviceState *m_state;
    ReportApplier *m_reports;
    RoutingPage *m_routing;
    std::function<bool(const QString &what)> m_linkReady;
    SingleSplitterWidget *m_view;
    QButtonGroup *m_layouts;
};
