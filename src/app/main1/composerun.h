#pragma once

// True while GO's run is under way, also while a stopped run finishes its row.
// Commands that read the sheet or the map records wait for it to end.
bool ComposeRunning();
