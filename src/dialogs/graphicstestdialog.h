#pragma once

#include "uikit/framelessdialog.h"

#include <QVector>

class QRadioButton;

namespace Ui {
class GraphicsTestDialog;
}

/// Test pattern of one input or output: pass-through (0), ten patterns (1 to 10) or a pure
/// colour (11). A choice is sent as soon as it is made.
class GraphicsTestDialog : public FramelessDialog
{
    Q_OBJECT

public:
    /// isOutput chooses the output command; false tests an input.
    GraphicsTestDialog(int port, bool isOutput, QWidget *parent = nullptr);
    ~GraphicsTestDialog() override;

    int port() const { return m_port; }
    bool isOutput() const { return m_isOutput; }

private slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_btnClose_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void patternToggled(int pattern, bool checked);

    Ui::GraphicsTestDialog *m_ui;
    int m_port;
    bool m_isOutput;
};
