#include "dialogbezel.h"
#include "ui_dialogbezel.h"

#include "state/devicestate.h"

#include <QRegularExpressionValidator>

DialogBezel::DialogBezel(QWidget *parent) : FramelessDialog(parent), m_ui(new Ui::DialogBezel)
{
    m_ui->setupUi(this);
    applyShadow(m_ui->widget_bg, 25);
    // Whole numbers up to three digits: a fourth digit or a sign is refused while typing.
    const QRegularExpression gap(QStringLiteral("[0-9]{1,3}"));
    const BezelValues bezel = DeviceState::instance()->bezel();
    const QList<QLineEdit *> edits = fields();
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->setValidator(new QRegularExpressionValidator(gap, edits[i]));
        edits[i]->setText(QString::number(bezel[i]));
    }
}

DialogBezel::~DialogBezel()
{
    delete m_ui;
}

QList<QLineEdit *> DialogBezel::fields() const
{
    return {m_ui->le_x1, m_ui->le_x2, m_ui->le_x3, m_ui->le_x4,
            m_ui->le_y1, m_ui->le_y2, m_ui->le_y3, m_ui->le_y4};
}

void DialogBezel::on_btn_ok_clicked()
{
    BezelValues bezel{};
    const QList<QLineEdit *> edits = fields();
    for (int i = 0; i < edits.size(); ++i)
        bezel[i] = edits[i]->text().toUInt();
    DeviceState::instance()->setBezel(bezel);
    accept();
}

void DialogBezel::on_btn_cancel_clicked()
{
    reject();
}

void DialogBezel::on_btn_close_clicked()
{
    reject();
}
