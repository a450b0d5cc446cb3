#pragma once

class QApplication;

// Tab into a group of radio buttons lands on the checked one, as on every desktop, so that Space
// there changes nothing: of a group (the auto-exclusive radio buttons of one parent, or the
// buttons of an exclusive button group) only the checked button is a Tab stop, or the first on
// the screen while none is checked; the arrow keys move within the group as before. Installed
// once for the application, before its first window is built.
void installRadioGroupTabbing(QApplication& application);
