#include "cdlgnosignaloutput.h"

#include "ui_cdlgnosignaloutput.h"

#include "protocol/messagedistance.h"
#include "reporttext.h"

#include <QColorDialog>
#include <QDebug>
#include <QSignalBlocker>

#include <vector>

CDlgnosignaloutput::CDlgnosignaloutput(QWidget *parent)
    : FramelessDialog(parent)
    , m_ui(new Ui::CDlgnosignaloutput)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 25);
    m_patterns = {m_ui->radioButton_RGB_bars,         m_ui->radioButton_16levelsofgray,
                  m_ui->radioButton_32levelsofgray,   m_ui->radioButton_64levelsofgray,
                  m_ui->radioButton_RedGrid,          m_ui->radioButton_GreenGrid,
                  m_ui->radioButton_BlueGrid,         m_ui->radioButton_WhiteGrid,
                  m_ui->radioButton_HorizontalScrollBar, m_ui->radioButton_VerticalScrollBar};
    for (int i = 0; i < m_patterns.size(); ++i) {
        connect(m_patterns.at(i), &QRadioButton::toggled, this,
                [this, i](bool checked) { patternToggled(i + 1, checked); });
    }
    connect(m_ui->radioButton_SolidColor, &QRadioButton::toggled, this,
            &CDlgnosignaloutput::solidColorToggled);
    m_ui->toolButton_ColorPalette->hide();
}

CDlgnosignaloutput::~CDlgnosignaloutput()
{
    delete m_ui;
}

void CDlgnosignaloutput::setPort(int port, int kind)
{
    m_port = port;
    m_kind = kind;
}

void CDlgnosignaloutput::patternToggled(int pattern, bool checked)
{
    if (!checked)
        return;
    m_ui->toolButton_ColorPalette->hide();
    MessageDistance::instance()->setNoSignal(m_port, pattern, 0, 0, 0);
}

void CDlgnosignaloutput::solidColorToggled(bool checked)
{
    m_ui->toolButton_ColorPalette->setVisible(checked);
    if (checked)
        MessageDistance::instance()->setNoSignal(m_port, 0, 0, 0, 0);
}

void CDlgnosignaloutput::on_toolButton_ColorPalette_clicked()
{
    const QColor chosen = QColorDialog::getColor(color(), this, tr("Select Color"));
    if (!chosen.isValid())
        return;
    m_red = chosen.red();
    m_green = chosen.green();
    m_blue = chosen.blue();
    MessageDistance::instance()->setNoSignal(m_port, 0, m_red, m_green, m_blue);
    showColor();
}

void CDlgnosignaloutput::showColor()
{
    m_ui->toolButton_ColorPalette->setStyleSheet(
        QStringLiteral("background-color: rgb(%1, %2, %3);border:none;")
            .arg(m_red)
            .arg(m_green)
            .arg(m_blue));
}

// Auto-exclusive radio buttons refuse to be all unchecked; lift the rule for a moment.
void CDlgnosignaloutput::clearSelection()
{
    QVector<QRadioButton *> all = m_patterns;
    all << m_ui->radioButton_SolidColor;
    for (QRadioButton *button : qAsConst(all)) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

void CDlgnosignaloutput::sl_StateUpdate(QString RecvData)
{
    qDebug().noquote() << "------------------>>>>" + RecvData;
    const int chn = RecvData.indexOf(QLatin1String("\"Chn\":"));
    if (chn < 0)
        return;
    const QString mode = ReportText::valueAfter(RecvData, QStringLiteral("\"Mode\":"));
    if (mode.isEmpty())
        return;

    // Showing the device's choice must not send it straight back.
    QVector<QRadioButton *> all = m_patterns;
    all << m_ui->radioButton_SolidColor;
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(all.size());
    for (QRadioButton *button : qAsConst(all))
        blockers.emplace_back(button);

    clearSelection();
    if (mode == QLatin1String("0")) {
        m_ui->radioButton_SolidColor->setChecked(true);
        m_ui->toolButton_ColorPalette->show();
        bool threeParts = false;
        const QColor reported = ReportText::colorFromText(
            ReportText::valueAfter(RecvData, QStringLiteral("\"Color\":"), QStringLiteral("}")),
            &threeParts);
        if (threeParts) {
            m_red = reported.red();
            m_green = reported.green();
            m_blue = reported.blue();
            showColor();
        } else {
            m_ui->toolButton_ColorPalette->setStyleSheet(
                QStringLiteral("background-color: rgb(0, 0, 0);border:none;"));
        }
        return;
    }
    m_ui->toolButton_ColorPalette->hide();
    bool ok = false;
    const int pattern = mode.toInt(&ok, 10);
    if (ok && pattern >= 1 && pattern <= m_patterns.size())
        m_patterns.at(pattern - 1)->setChecked(true);
}

void CDlgnosignaloutput::on_pushButton_clicked()
{
    accept();
}

void CDlgnosignaloutput::on_pushButton_2_clicked()
{
    reject();
}

void CDlgnosignaloutput::on_btnClose_clicked()
{
    reject();
}

void CDlgnosignaloutput::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange)
        m_ui->lb_title->setText(windowTitle());
    FramelessDialog::changeEvent(event);
}
