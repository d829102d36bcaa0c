#pragma once

#include <QColor>

// The toolkit colour names the game's windows are drawn in, with fixed
// values so that every machine draws the same pixels whatever its theme.
inline const QColor clBlack{0, 0, 0};
inline const QColor clWhite{255, 255, 255};
inline const QColor clRed{255, 0, 0};
inline const QColor clLime{0, 255, 0};
inline const QColor clGreen{0, 128, 0};
inline const QColor clBlue{0, 0, 255};
inline const QColor clYellow{255, 255, 0};
inline const QColor clGray{128, 128, 128};
inline const QColor clSilver{192, 192, 192};
inline const QColor clNavy{0, 0, 128};
inline const QColor clMaroon{128, 0, 0};
inline const QColor clTeal{0, 128, 128};
inline const QColor clAqua{0, 255, 255};
inline const QColor clWindowText{0, 0, 0};
// The system colours of the classic desktop scheme.
inline const QColor clBtnFace{240, 240, 240};
inline const QColor clBtnHighlight{255, 255, 255};
inline const QColor clBtnShadow{160, 160, 160};
