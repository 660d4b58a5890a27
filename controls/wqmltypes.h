#pragma once

// Registers the interface object and every control widget class with the QML engine, each
// under its own module ("import wbutton"), version 1.0. Runs before the interface document is
// created; later calls do nothing.
void registerQmlTypes();
