#pragma once

/// Lets the upload channel's failures reach the operator as "NetWork Error" message dialogs.
/// The main window calls it once, after the application object exists.
void installUploadErrorDialogs();
