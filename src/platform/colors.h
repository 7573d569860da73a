#pragma once
// Colours as the system gives them: 0x00BBGGRR values and a few named ones.

#include <QColor>
#include <QtGlobal>

namespace platform {

inline QColor bgr(quint32 value) {
  return QColor::fromRgb(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                         static_cast<int>((value >> 16) & 0xFF));
}

inline constexpr quint32 clRed = 0x0000FF;
inline constexpr quint32 clBlue = 0xFF0000;
inline constexpr quint32 clYellow = 0x00FFFF;
inline constexpr quint32 clWhite = 0xFFFFFF;
inline constexpr quint32 clBlack = 0x000000;
inline constexpr quint32 clFuchsia = 0xFF00FF;
inline constexpr quint32 clLime = 0x00FF00;
inline constexpr quint32 clAqua = 0xFFFF00;
inline constexpr quint32 clGray = 0x808080;
inline constexpr quint32 clSilver = 0xC0C0C0;
inline constexpr quint32 clBtnFace = 0xF0F0F0;
inline constexpr quint32 clCream = 0xF0FBFF;

}  // namespace platform
