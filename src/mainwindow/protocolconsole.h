#pragma once

#include <QWidget>

class ConsoleModel;
class MessageDistance;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTimer;

/// The protocol console on the settings page: the lines of a ConsoleModel with a filter,
/// pause, clear, copy and export, the reports of the selected received line in a pane below,
/// and for administrators a command line that sends a raw command.
class ProtocolConsole : public QWidget
{
    Q_OBJECT

public:
    ProtocolConsole(ConsoleModel *model, MessageDistance *client, QWidget *parent = nullptr);

    /// Shows the command line; only administrators get it.
    void setCommandsAllowed(bool allowed);
    /// Sends `text` as the operator typed it, if it has the shape of one command.
    void sendTyped(const QString &text);
    /// One command in braces, `{param=...}`, with no further braces inside.
    static bool isCommand(const QString &text);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void applyFilter();
    void showReports();
    void copySelection();
    void exportLines();
    void showWaiting(int lines);

    ConsoleModel *m_model;
    MessageDistance *m_client;
    QLineEdit *m_filter;
    QCheckBox *m_regex;
    QPushButton *m_pause;
    QLabel *m_waiting;
    QPushButton *m_clear;
    QPushButton *m_copy;
    QPushButton *m_export;
    QTableView *m_view;
    QPlainTextEdit *m_reports;
    QWidget *m_commandRow;
    QLineEdit *m_command;
    QPushButton *m_send;
    QTimer *m_filterDelay;
    bool m_follow = true;
};
