#include "planbars.h"
#include "widgetforms.h"

#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "storage/plannamestore.h"
#include "uikit/msgdlg.h"
#include "wall/planpushbutton.h"
#include "wall/wallcanvas.h"

#include <QButtonGroup>
#include <QTimer>

PlanBars::PlanBars(WidgetForms *ui, MessageDistance *client, DeviceState *state, WallCanvas *wall,
                   std::function<SpliceGroups *()> spliceGroups, QWidget *window)
    : QObject(window), m_client(client), m_state(state), m_wallCanvas(wall),
      m_spliceGroups(std::move(spliceGroups)), m_window(window)
{
    m_video = makeBar({ui->btn_plan1, ui->btn_plan2, ui->btn_plan3, ui->btn_plan4, ui->btn_plan5,
                       ui->btn_plan6, ui->btn_plan7, ui->btn_plan8, ui->btn_plan9, ui->btn_plan10});
    m_wall = makeBar({ui->btn_plan1_2, ui->btn_plan2_2, ui->btn_plan3_2, ui->btn_plan4_2,
                      ui->btn_plan5_2, ui->btn_plan6_2, ui->btn_plan7_2, ui->btn_plan8_2,
                      ui->btn_plan9_2, ui->btn_plan10_2});
}

QButtonGroup *PlanBars::makeBar(const QList<QAbstractButton *> &buttons)
{
    auto *bar = new QButtonGroup(this);
    for (int i = 0; i < buttons.size(); ++i) {
        bar->addButton(buttons[i], i);
        if (auto *plan = qobject_cast<PlanPushButton *>(buttons[i]))
            connect(plan, &PlanPushButton::si_doubleClick, this,
                    [this, bar, i] { recall(bar, i); });
    }
    connect(bar, &QButtonGroup::idClicked, this,
            [this, bar](int i) { emit menuRequested(bar, i); });
    showCaptions(bar);
    return bar;
}

void PlanBars::showCaption(QAbstractButton *button, int planNumber, const QString &name)
{
    if (!button)
        return;
    if (auto *plan = qobject_cast<PlanPushButton *>(button)) {
        if (name.isEmpty())
            plan->setNumberCaption(planNumber);
        else
            plan->setNamedCaption(planNumber, name);
        return;
    }
    button->setText(name.isEmpty() ? QStringLiteral("[%1]").arg(planNumber)
                                   : QStringLiteral("[%1]%2").arg(planNumber).arg(name));
}

void PlanBars::showCaptions(QButtonGroup *bar)
{
    for (QAbstractButton *b : bar->buttons()) {
        const int index = bar->id(b);
        showCaption(b, index + 1, m_state->planNameAt(index));
    }
}

void PlanBars::loadNames()
{
    const QMap<int, QString> names = PlanNameStore().loadPlanNames(m_state->ip());
    QMap<int, QString> byIndex;
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        byIndex.insert(it.key() - 1, it.value());
    m_state->setPlanNames(byIndex);
    showCaptions(m_video);
    showCaptions(m_wall);
}

void PlanBars::showName(int index, const QString &name)
{
    m_state->setPlanNameAt(index, name);
    showCaption(m_video->button(index), index + 1, name);
    showCaption(m_wall->button(index), index + 1, name);
}

QString PlanBars::wallWarning(bool windows, bool resolution, bool rotation)
{
    auto state = [](bool received) {
        return received ? tr("Received")
                        : QStringLiteral("<font color='red'>%1</font>").arg(tr("Not Received"));
    };
    return QStringLiteral("<br>%1<br><br>%2<br>%3<br>%4<br>")
        .arg(tr("Since logging in or since the last time you clicked refresh, the program needs "
                "to receive the following three types of information firstly to recall plan "
                "correctly: "),
             tr("(1) Current Windows Property And VIR Mode: %1").arg(state(windows)),
             tr("(2) Current Reasolution: %1").arg(state(resolution)),
             tr("(3) Current Rotate Degree: %1").arg(state(rotation)));
}

void PlanBars::recall(QButtonGroup *bar, int index)
{
    if (!bar || !m_spliceGroups())
        return;
    if (m_state->deviceType() == Dev0409S && bar == m_wall) {
        const bool windows = m_wallCanvas->windowsReceived();
        const bool resolution = m_wallCanvas->resolutionReceived();
        const bool rotation = m_wallCanvas->rotationReceived();
        if (!windows || !resolution || !rotation) {
            MsgDlg dialog(m_window);
            dialog.setRichText(tr("Warning"), wallWarning(windows, resolution, rotation));
            dialog.exec();
            return;
        }
    }
    m_client->recallPlan(index + 1);
    if (bar == m_video)
        emit routesPlanRecalled(index + 1);
    QTimer::singleShot(50, m_client, &MessageDistance::getStatus);
    if (bar == m_video && m_state->deviceType() != Dev0808S)
        QTimer::singleShot(100, m_client, &MessageDistance::getBindInfo);
}
