#pragma once

namespace tirages::screens {

// Maps the Windows typefaces the screens ask for to metric-compatible free
// fonts where the system has them, so that captions fit their controls.
void installFontSubstitutions();

} // namespace tirages::screens
