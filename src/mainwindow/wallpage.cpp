#include "wallpage.h"
#include "widgetforms.h"

#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "uikit/pngicon.h"
#include "users/permissionfunction.h"
#include "users/permissionstore.h"
#include "wall/outputwidget0409.h"
#include "wall/widgetsplicingsetting.h"

#include <QButtonGroup>
#include <QEvent>
#include <QScrollArea>

WallPage::WallPage(WidgetForms *ui, MessageDistance *client, DeviceState *state,
                   ReportApplier *reports, QWidget *window)
    : QObject(window), m_ui(ui), m_client(client), m_state(state), m_reports(reports),
      m_window(window)
{
    buildCanvas();
    showVirButtons(0);
    m_virGroup = new QButtonGroup(this);
    m_virGroup->addButton(m_ui->btn_vir_1, 0);
    m_virGroup->addButton(m_ui->btn_vir_2, 1);
    m_virGroup->addButton(m_ui->btn_vir_3, 2);
    connect(m_virGroup, &QButtonGroup::idClicked, m_canvas,
            [this](int id) { m_canvas->switchVirLayout(id); });

    connect(m_ui->btn_0409_close_all, &QPushButton::clicked, m_canvas,
            [this] { m_canvas->closeAll(); });
    connect(m_ui->btn_0409_lock_all, &QPushButton::clicked, m_canvas,
            [this] { m_canvas->lockAll(); });
    connect(m_canvas, &OutputWidget0409::si_wallLockChanged, m_ui->btn_0409_lock_all,
            &QPushButton::setChecked);
    connect(m_ui->btn_0409_zoom_in, &QPushButton::clicked, m_canvas,
            [this] { m_canvas->zoomIn(); });
    connect(m_ui->btn_0409_zoom_out, &QPushButton::clicked, m_canvas,
            [this] { m_canvas->zoomOut(); });
    connect(m_canvas, &OutputWidget0409::si_orderToOptimiseSizeVis, this,
            [this](int width, int height) {
                m_aspect = QSize(width, height);
                fitCanvas();
            });
    connect(m_ui->btn_splicing_set, &QPushButton::clicked, this, &WallPage::openSplicingSetting);

    connect(m_reports, &ReportApplier::resolutionsReported, m_canvas,
            &OutputWidget0409::onOutputResolutionReady);
    connect(m_reports, &ReportApplier::windowsReported, m_canvas,
            &OutputWidget0409::onWindowsReady);
    connect(m_reports, &ReportApplier::rotationReported, m_canvas,
            &OutputWidget0409::onRotationReady);
    connect(m_state, &DeviceState::changed, this, [this](DeviceState::Part part) {
        if (part == DeviceState::Windows) {
            showVirButtons(m_state->virMode());
            m_canvas->redraw();
        }
    });
}

void WallPage::buildCanvas()
{
    QWidget *placeholder = m_ui->widget_out_0409;
    auto *scroll = new QScrollArea(placeholder->parentWidget());
    scroll->setObjectName(QStringLiteral("scroll_out_0409"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setWidgetResizable(false);
    m_canvas = new OutputWidget0409(scroll);
    m_canvas->setObjectName(QStringLiteral("widget_out_0409"));
    scroll->setWidget(m_canvas);
    delete m_ui->lyt_out_0409->replaceWidget(placeholder, scroll);
    delete placeholder;
    m_ui->widget_out_0409 = m_canvas;
    m_scroll = scroll;
    // The scroll area itself, not its viewport: scroll bars coming and going must not undo a zoom.
    scroll->installEventFilter(this);
}

bool WallPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll && event->type() == QEvent::Resize)
        fitCanvas();
    return QObject::eventFilter(watched, event);
}

void WallPage::fitCanvas()
{
    auto *scroll = qobject_cast<QScrollArea *>(m_scroll);
    if (!scroll || m_aspect.isEmpty())
        return;
    const QSize room = scroll->maximumViewportSize() - QSize(2, 2);
    if (room.width() < 1 || room.height() < 1)
        return;
    m_canvas->resize(m_aspect.scaled(room, Qt::KeepAspectRatio));
}

void WallPage::showVirButtons(int virMode)
{
    static const char *const icons[4][3] = {
        {"1_unit", "4_units", "9_units"},
        {"2_unit_1x2", "4_units_1x4", "9_units_1x9"},
        {"1_unit", "4_units", "8_units_2x4"},
        {"1_unit", "4_units", "8_units_4x2"},
    };
    const int mode = (virMode >= 0 && virMode <= 3) ? virMode : 0;
    QPushButton *buttons[3] = {m_ui->btn_vir_1, m_ui->btn_vir_2, m_ui->btn_vir_3};
    for (int i = 0; i < 3; ++i) {
        buttons[i]->setIcon(
            pngIcon(QStringLiteral(":/Images/%1.png").arg(QLatin1String(icons[mode][i]))));
        buttons[i]->setIconSize(QSize(28, 28));
    }
}

void WallPage::openSplicingSetting()
{
    m_canvas->resetReceivedFlags();
    if (!m_splicingSetting) {
        m_splicingSetting = new WidgetSplicingSetting(m_window);
        connect(m_splicingSetting, &WidgetSplicingSetting::si_orderToRecalculate, this, [this] {
            m_canvas->updateRealResolution();
            m_canvas->updateLayoutMode();
            m_canvas->relayout();
        });
        connect(m_splicingSetting, &WidgetSplicingSetting::si_update3BtnLayout, this,
                [this] { showVirButtons(m_state->virMode()); });
        // The device's reports keep the open setting true to the device; closing it on every
        // report would shut it under the operator's hands after their own first change.
        for (auto ready : {&ReportApplier::windowsReported, &ReportApplier::resolutionsReported,
                           &ReportApplier::rotationReported})
            connect(m_reports, ready, m_splicingSetting, &WidgetSplicingSetting::refreshFromState);
        connect(m_client, &MessageDistance::si_ForwardAnalysis, m_splicingSetting,
                &WidgetSplicingSetting::sl_noSignalReport);
        connect(m_reports, &ReportApplier::scalingModeEchoed, m_splicingSetting,
                &WidgetSplicingSetting::sl_noSignalReport);
    }
    // The colour of output 1 where an input is missing.
    m_client->getNoInput(1);
    m_splicingSetting->showModalLoop();
    // The canvas forgot what it had received when the setting opened; it rebuilds once the
    // device has told the windows, the resolution and the rotation again.
    m_client->getStatus();
    m_client->getResolution();
    m_client->getRotate();
}

void WallPage::applyRights(PermissionStore *permissions)
{
    m_canvas->setPermissions(permissions);
    const bool wall = permissions->hasListPermission(SplicingWallFunction);
    m_ui->btn_splicing_set->setEnabled(permissions->hasListPermission(SplicingSettingFunction));
    m_ui->btn_0409_close_all->setEnabled(wall);
    m_ui->widget_out_0409->setEnabled(wall);
}
