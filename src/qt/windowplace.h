#pragma once
// The main window's size and place kept between runs (programSettings, group "Window").

#include <QList>

class QRect;
class QWidget;

namespace qc {

// Puts the window where it was when it last closed. False (and the window as it was) when
// nothing is stored, the stored value is damaged, or the place lies off every screen now
// (a screen unplugged since): the caller places it afresh.
bool restoreWindowPlace(QWidget& window);
void saveWindowPlace(const QWidget& window);

// True when enough of `frame` lies on one of `screens` to take hold of the title bar:
// at least 100 x 50 pixels of its top part.
bool placeIsOnAScreen(const QRect& frame, const QList<QRect>& screens);

} // namespace qc
