#pragma once

/// Registers the compiled-in images (":/Images/...") and the two catalogues (":/Chinese",
/// ":/English"). Static libraries drop resource objects nobody references, so every window base
/// class calls this; calling it again does nothing.
void initCorvaneResources();
