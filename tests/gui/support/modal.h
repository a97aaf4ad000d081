#pragma once

// Window tests drive dialogs that a command shows with exec(): the action
// given here runs on the next modal window once it is up, inside its event
// loop, and must close it.

#include <QWidget>
#include <functional>

namespace velmora::test {

// Fails the test program when no modal window appears within a few seconds.
void OnNextModal(std::function<void(QWidget* modal)> action);

}  // namespace velmora::test
