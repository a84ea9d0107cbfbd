#include "dialogconfirm.h"

#include "ui_dialogconfirm.h"

DialogConfirm::DialogConfirm(QWidget *parent, const QString &title, const QString &text)
    : QuestionDialog(parent), m_ui(new Ui::DialogConfirm)
{
    m_ui->setupUi(this);
    setUpQuestion(m_ui->widget_bg, m_ui->lb_title, m_ui->lb_content, title, text);
    setEnterButton(m_ui->btnOk);
}

DialogConfirm::~DialogConfirm()
{
    delete m_ui;
}

void DialogConfirm::on_btnOk_clicked()
{
    done(1);
}

void DialogConfirm::on_btnCancel_clicked()
{
    done(0);
}

void DialogConfirm::on_btnClose_clicked()
{
    done(0);
}
