#pragma once

#include <QMainWindow>

#include <memory>

// The window a start-up probe shows; each probe program defines its own.
std::unique_ptr<QMainWindow> makeProbedWindow();
