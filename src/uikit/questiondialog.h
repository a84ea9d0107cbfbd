#pragma once

#include "framelessdialog.h"

class QLabel;

/// The part the confirmation dialogs share: a title line and a question whose text is plain
/// unless rich text is asked for.
class QuestionDialog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit QuestionDialog(QWidget *parent = nullptr);

    QString title() const;
    QString text() const;
    void setTextAlignLeft(bool left);
    void setRichText(bool rich);

protected:
    /// Call once the form is set up: shadow, modality and the two texts.
    void setUpQuestion(QWidget *panel, QLabel *titleLabel, QLabel *contentLabel,
                       const QString &title, const QString &text);

private:
    void growToText();

    QLabel *m_title = nullptr;
    QLabel *m_content = nullptr;
};
