#include "graphicstestdialog.h"

#include "ui_graphicstestdialog.h"

#include "protocol/messagedistance.h"

GraphicsTestDialog::GraphicsTestDialog(int port, bool isOutput, QWidget *parent)
    : FramelessDialog(parent)
    , m_ui(new Ui::GraphicsTestDialog)
    , m_port(port)
    , m_isOutput(isOutput)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 35);
    // Index is the pattern number the device knows.
    const QVector<QRadioButton *> buttons = {
        m_ui->radioButton_Through,          m_ui->radioButton_RGB_bars,
        m_ui->radioButton_16levelsofgray,   m_ui->radioButton_32levelsofgray,
        m_ui->radioButton_64levelsofgray,   m_ui->radioButton_RedGrid,
        m_ui->radioButton_GreenGrid,        m_ui->radioButton_BlueGrid,
        m_ui->radioButton_WhiteGrid,        m_ui->radioButton_HorizontalScrollBar,
        m_ui->radioButton_VerticalScrollBar, m_ui->radioButton_SolidColor};
    for (int i = 0; i < buttons.size(); ++i) {
        connect(buttons.at(i), &QRadioButton::toggled, this,
                [this, i](bool checked) { patternToggled(i, checked); });
    }
    m_ui->widget_color->hide();
}

GraphicsTestDialog::~GraphicsTestDialog()
{
    delete m_ui;
}

void GraphicsTestDialog::patternToggled(int pattern, bool checked)
{
    if (!checked)
        return;
    m_ui->widget_color->hide();
    if (m_isOutput)
        MessageDistance::instance()->setOutputPattern(m_port, pattern);
    else
        MessageDistance::instance()->setInputPattern(m_port, pattern);
}

void GraphicsTestDialog::on_pushButton_clicked()
{
    accept();
}

void GraphicsTestDialog::on_pushButton_2_clicked()
{
    reject();
}

void GraphicsTestDialog::on_btnClose_clicked()
{
    reject();
}

void GraphicsTestDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange)
        m_ui->lb_title->setText(windowTitle());
    FramelessDialog::changeEvent(event);
}
