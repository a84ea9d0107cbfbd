#pragma once

class QWidget;

/// Lets the upload channel's failures reach the operator as "NetWork Error" message dialogs.
/// The main window calls it once, after the application object exists.
void installUploadErrorDialogs();

/// Asks before a dialog closes while a file is still uploading; on yes the upload is abandoned
/// and nothing more of the file is sent. Returns whether the dialog may close.
bool confirmCloseDuringUpload(QWidget *dialog);
