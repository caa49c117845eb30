#pragma once

#include <functional>

class QDialog;

// Every modal dialog of the window runs through here, so that tests can answer
// them instead of a user: a hook, when set, receives the prepared dialog, may
// read or change it, and returns the result (QDialog::Accepted or Rejected).
namespace Modal {

using Hook = std::function<int(QDialog &dialog)>;

int exec(QDialog &dialog);

// An empty hook restores the real dialogs.
void setHook(Hook hook);

} // namespace Modal
