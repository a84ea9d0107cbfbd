#pragma once

#include "framelessdialog.h"

namespace Ui {
class MsgDlg;
}

/// Modal message box with a title, a message, an OK button (result 1) and a close button
/// (result 0). Widens itself for messages longer than its designed width.
class MsgDlg : public FramelessDialog
{
    Q_OBJECT

public:
    explicit MsgDlg(QWidget *parent = nullptr);
    MsgDlg(const QString &title, const QString &message, QWidget *parent = nullptr);
    ~MsgDlg() override;

    void setText(const QString &title, const QString &message);
    /// A message written as markup (line breaks, colour) by the program itself; names typed by
    /// operators go into it escaped (QString::toHtmlEscaped).
    void setRichText(const QString &title, const QString &html);
    QString title() const;
    QString message() const;

    /// Designed panel width; messages whose width plus the label margins exceed it widen the
    /// dialog.
    static constexpr int DesignedPanelWidth = 291;
    /// Marked-up messages wrap at this content width rather than run across the screen.
    static constexpr int RichWrapWidth = 460;

public slots:
    void on_btnOk_clicked();
    void on_btnClose_clicked();

private:
    void fitContent();
    void applyContentWidth(int width);
    int widestContentWidth() const;

    Ui::MsgDlg *m_ui;
};
