#include "multiviewpage.h"
#include "widgetforms.h"

#include "mainwindow/routingpage.h"
#include "mainwindow/tablewidget.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"
#include "wall/singlesplitterwidget.h"

#include <QButtonGroup>

namespace {

constexpr int MultiviewOutput = 9;
constexpr int MultiviewWindowBase = 900;
constexpr int VideoLayer = 0;

} // namespace

MultiviewPage::MultiviewPage(WidgetForms *ui, MessageDistance *client, DeviceState *state,
                             ReportApplier *reports, RoutingPage *routing,
                             std::function<bool(const QString &what)> linkReady, QObject *parent)
    : QObject(parent), m_ui(ui), m_client(client), m_state(state), m_reports(reports),
      m_routing(routing), m_linkReady(std::move(linkReady)), m_view(ui->wid_ss),
      m_layouts(new QButtonGroup(this))
{
    const QList<CheckPushButton *> buttons{
        ui->btn_splitter_0, ui->btn_splitter_1, ui->btn_splitter_2, ui->btn_splitter_3,
        ui->btn_splitter_4, ui->btn_splitter_5, ui->btn_splitter_6};
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->setLayoutNumber(i);
        m_layouts->addButton(buttons[i], i);
    }
    buttons.first()->setChecked(true);
    connect(m_layouts, &QButtonGroup::idClicked, this, &MultiviewPage::chooseLayout);
    // The view keeps the shape of the output as the device reports its resolution.
    connect(reports, &ReportApplier::resolutionsReported, m_view,
            &SingleSplitterWidget::refreshOutputSize);
    connect(m_view, &SingleSplitterWidget::si_drop, this, &MultiviewPage::onDrop);
    connect(m_view, &SingleSplitterWidget::si_layout_change, this, &MultiviewPage::onLayoutShown);
    connect(state, &DeviceState::changed, this, [this](DeviceState::Part part) {
        if (part == DeviceState::Multiview)
            m_view->refresh();
    });
}

MultiviewView *MultiviewPage::view() const
{
    return m_view;
}

void MultiviewPage::chooseLayout(int mode)
{
    m_view->setLayoutMode(mode);
    m_state->setSplitterModeNormalised(mode);
    m_client->setSplitter(mode);
}

void MultiviewPage::onDrop(int input, int region)
{
    if (!m_linkReady(QStringLiteral("input %1 to window %2").arg(input).arg(region))) {
        m_view->refresh();
        return;
    }
    m_state->setMultiviewWindowAt(region, input);
    if (region == 0) {
        m_reports->applyVideoRoute(input, MultiviewOutput, true);
        m_client->switchPort(input, MultiviewOutput, VideoLayer);
    } else {
        m_client->switchPort(input, MultiviewWindowBase + region, VideoLayer);
    }
}

void MultiviewPage::onLayoutShown(int mode)
{
    TableWidget *table = m_ui->videoTableWidget;
    table->setOutputEnabled(MultiviewOutput, mode == 0);
    m_routing->refreshTable(table);
    table->fitCells();
    if (QAbstractButton *button = m_layouts->button(mode))
        button->setChecked(true);
}
