#include "parkedpages.h"
#include "widgetforms.h"

#include <QLayout>

ParkedPages::ParkedPages(WidgetForms *ui, QWidget *window)
    : QObject(window), m_tabs(ui->tabWidget), m_holder(new QWidget(window))
{
    m_holder->setObjectName(QStringLiteral("pageHolder"));
    m_holder->hide();
    m_holder->ensurePolished();
    ui->Ui_WidgetPages::setupUi(m_holder);
    m_pages = {nullptr,           ui->JointTabWidget,   ui->AudioWidget,
               ui->InfaredWidget, ui->SettingTabWidget, ui->About};
    connect(m_tabs, &QTabWidget::currentChanged, this, &ParkedPages::attach);
}

void ParkedPages::attach(int index)
{
    if (index < 0 || index >= m_pages.size() || !m_pages.at(index))
        return;
    QWidget *page = m_pages.at(index);
    m_pages[index] = nullptr;
    m_tabs->widget(index)->layout()->addWidget(page);
    page->show();
}
