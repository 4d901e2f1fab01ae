#pragma once
// Turns the window definition into widgets: checks every row first, then
// builds each control into its parent (parents before children, so siblings
// stack in list order, the first on top) and starts the timers. What the
// controls do when clicked, typed into or ticked is wired by the window.

#include <array>
#include <span>
#include <stdexcept>

#include "window_definition.h"

class QObject;
class QWidget;

class WindowDefinitionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The built controls, indexed by Control; a timer is a QTimer, every other
// control a widget whose objectName is its control name.
using ControlObjects = std::array<QObject*, kControlCount>;

// Throws WindowDefinitionError, before building anything, when a row is out
// of order, a name does not fit its kind, a parent is no container or comes
// before its child, or a setting does not fit the kind.
void checkDefinition(std::span<const ControlDefinition> definition);

ControlObjects buildControls(QWidget* window, std::span<const ControlDefinition> definition);
