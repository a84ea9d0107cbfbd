#pragma once

#include <QObject>
#include <QSize>

class DeviceState;
class MessageDistance;
class OutputWidget0409;
class PermissionStore;
class QButtonGroup;
class QWidget;
class ReportApplier;
class WidgetSplicingSetting;
struct WidgetForms;

/// The video wall's page: the canvas in its scroll area, the wall's tools (close all, lock all,
/// zoom, the three virtual layouts) and the splicing setting. Everything given outlives it.
class WallPage : public QObject
{
    Q_OBJECT

public:
    WallPage(WidgetForms *ui, MessageDistance *client, DeviceState *state, ReportApplier *reports,
             QWidget *window);

    OutputWidget0409 *canvas() const { return m_canvas; }
    /// The user's rights on the canvas and the wall's tools.
    void applyRights(PermissionStore *permissions);
    /// The splicing setting, modal; the wall is rebuilt from the device's answers afterwards.
    void openSplicingSetting();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCanvas();
    /// The canvas as large as the scroll area allows at the wall's aspect ratio.
    void fitCanvas();
    void showVirButtons(int virMode);

    WidgetForms *m_ui;
    MessageDistance *m_client;
    DeviceState *m_state;
    ReportApplier *m_reports;
    QWidget *m_window;
    OutputWidget0409 *m_canvas = nullptr;
    QWidget *m_scroll = nullptr;
    QButtonGroup *m_virGroup = nullptr;
    QSize m_aspect;
    WidgetSplicingSetting *m_splicingSetting = nullptr;
};
