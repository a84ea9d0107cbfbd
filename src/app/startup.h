#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

// The application-wide set-up of a start, shared by main() and the start-up benchmark so that
// the benchmark starts the window the way the program does.

/// Before the QApplication exists: a scale factor of 1 with high-DPI scaling on.
void prepareApplication();

/// Once the QApplication exists: the application font; the platform style with sliders that
/// jump to a click on their groove and combo lists that drop down under their combo;
/// placeholders in a muted colour, whatever style sheets set.
void configureApplication();

/// The data files' check before anyone logs in: copies of project.db and password.txt that
/// others can read are restricted to their owner, and project.db must be a usable database.
class StartupCheck
{
    Q_DECLARE_TR_FUNCTIONS(StartupCheck)

public:
    struct Report
    {
        /// False when the database cannot be read at all: nobody could log in.
        bool canContinue = true;
        /// What the operator must be told, naming the file and the error; empty when all is well.
        QString message;
    };

    /// Does the check without showing anything.
    static Report examine();
    /// examine(), then shows its message modally in the configured language. False when the
    /// program has to end.
    static bool run(QWidget *parent = nullptr);
};
