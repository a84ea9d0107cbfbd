#include "questiondialog.h"

#include <QLabel>

QuestionDialog::QuestionDialog(QWidget *parent) : FramelessDialog(parent) {}

void QuestionDialog::setUpQuestion(QWidget *panel, QLabel *titleLabel, QLabel *contentLabel,
                                   const QString &title, const QString &text)
{
    m_title = titleLabel;
    m_content = contentLabel;
    setModal(true);
    applyShadow(panel, 25);
    setWindowTitle(title);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setText(title);
    // Plain unless asked: a name with "<" in it must show as typed.
    m_content->setTextFormat(Qt::PlainText);
    m_content->setText(text);
}

QString QuestionDialog::title() const
{
    return m_title->text();
}

QString QuestionDialog::text() const
{
    return m_content->text();
}

void QuestionDialog::setTextAlignLeft(bool left)
{
    m_content->setAlignment(left ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
}

void QuestionDialog::setRichText(bool rich)
{
    m_content->setTextFormat(rich ? Qt::RichText : Qt::PlainText);
}
