#include "renamedialog.h"

#include "ui_renamedialog.h"

#include <QKeyEvent>
#include <QTimer>

RenameDialog::RenameDialog(const QString &text, QWidget *parent)
    : FramelessDialog(parent), m_ui(new Ui::RenameDialog), m_presetText(text)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 25);
    m_ui->lineEdit->setText(text);
}

RenameDialog::~RenameDialog()
{
    delete m_ui;
}

QString RenameDialog::text() const
{
    return m_ui->lineEdit->text();
}

void RenameDialog::on_btnOk_clicked()
{
    const QString name = m_ui->lineEdit->text();
    if (!name.isEmpty() && name != m_presetText)
        emit Sig_SetNewName(name);
    done(1);
}

void RenameDialog::on_btnCancel_clicked()
{
    done(0);
}

void RenameDialog::on_btnClose_clicked()
{
    done(0);
}

void RenameDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_ui->btnOk->click();
        event->accept();
        return;
    }
    FramelessDialog::keyPressEvent(event);
}

void RenameDialog::showEvent(QShowEvent *event)
{
    FramelessDialog::showEvent(event);
    placeCursorAtEnd();
    // QDialog gives its focus widget a tab focus-in right after this event, and a line edit
    // selects all on that; put the cursor back afterwards so typing adds to the name.
    QTimer::singleShot(0, this, &RenameDialog::placeCursorAtEnd);
}

void RenameDialog::placeCursorAtEnd()
{
    m_ui->lineEdit->setFocus();
    m_ui->lineEdit->deselect();
    m_ui->lineEdit->setCursorPosition(m_ui->lineEdit->text().length());
}
