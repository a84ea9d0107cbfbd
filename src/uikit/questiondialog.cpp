#include "questiondialog.h"

#include <QLabel>
#include <QLayout>

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
    growToText();
}

void QuestionDialog::growToText()
{
    // The form is sized for a line or two; a longer question makes the dialog taller rather
    // than cut off, with the buttons kept below it.
    QLayout *lyt = layout();
    if (!lyt)
        return;
    ensurePolished();
    m_content->ensurePolished();
    lyt->invalidate();
    lyt->activate();
    const int needed = lyt->hasHeightForWidth() ? lyt->totalHeightForWidth(width())
                                                : lyt->totalSizeHint().height();
    if (needed > height())
        resize(width(), needed);
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
    growToText();
}
