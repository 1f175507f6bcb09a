#pragma once

#include <QPixmap>

namespace tonaq {

// The 183 x 51 pixel logo of the main window: the name beside a tone burst.
QPixmap tonaqLogo();

} // namespace tonaq
