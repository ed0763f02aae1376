#pragma once

// The program's own accessibility interfaces, where Qt's would make a
// screen reader say less than the window shows, as Orca reads Qt 6.4 over
// AT-SPI.

namespace accessible {

// Takes over from Qt the interfaces of the program's widgets whose default
// ones fall short, and how a control's new name reaches a screen reader.
// Called before the first widget exists, so that none is known by Qt's
// interface first; later calls do nothing.
void install();

} // namespace accessible
