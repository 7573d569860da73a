#pragma once
// Drawing arithmetic of the gradient button, apart from any widget so it can
// be checked exactly: caption positions, even spacing, gradient rows, the
// grey copy of a disabled picture and the rounded window shape.

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QtGlobal>

#include <vector>

namespace pelmora {

enum TplButtonStyle { bsNormal, bsFlat, bsFlatNoFrame, bsRoundRect, bsRoundRectNoFrame };
enum TplBtnFrameType { bffFlat, bffEtched, bffBump };
enum TplBtnAlignment { taCenter, taLeft, taRight, taEven };

namespace plbutton {

inline constexpr int kCornerRadius = 7;

// Where the two caption lines stand (top of the text cell).
struct CaptionRows {
  int yA = 0;
  int yB = 0;
  int captionTop = 0;  // the value CaptionTop holds after the paint
};

// height: button height; hA/hB: text heights of the two lines; the empty flags
// say which lines have no text; captionTop is used when vertCenter is false.
CaptionRows captionRows(int height, int hA, int hB, int lineSpace, bool aEmpty, bool bEmpty, bool vertCenter,
                        int captionTop);

// How a line's anchor x is read when drawing.
enum class TextAnchor { Centre, Left, Right };

struct CaptionAnchor {
  int x = 0;
  TextAnchor anchor = TextAnchor::Centre;
  bool spread = false;  // taEven: characters drawn one by one
};

// characters: the line's length in characters (a double-byte character counts
// once); shifted: the button shows its pressed look with HasFocus.
CaptionAnchor captionAnchor(TplBtnAlignment alignment, int width, int left, int right, int characters, bool shifted);

// Left x of each character of a taEven line drawn from x over room pixels.
std::vector<int> evenPositions(int x, int room, const std::vector<int>& charWidths);

// The room a taEven line is spread over.
inline int evenRoom(int width, int left, int right) { return width - left - right - 4; }

// Colour of each of the height rows of the gradient, as 0x00BBGGRR values.
std::vector<quint32> gradientRows(quint32 begin, quint32 end, int height);

// Channel value of a pixel in the grey copy of a disabled picture: 120-247.
inline int greyValue(int r, int g, int b) { return (r + g + b) / 3 / 2 + 120; }

// The grey copy of a picture, 24-bit.
QImage greyCopy(const QImage& picture);

// The picture with the colour of its bottom-left pixel made transparent.
QImage withAutoTransparency(const QImage& picture);

// Where a picture stands: centred along an axis when asked, else at the stored
// coordinate.
QPoint imagePosition(int width, int height, int picWidth, int picHeight, int left, int top, bool horzCenter,
                     bool vertCenter);

// The window shape of the round styles.
QRegion roundRectRegion(int width, int height);

// The focus rectangle of the square styles.
QRect focusRect(TplButtonStyle style, TplBtnFrameType frame, const QRect& client);

}  // namespace plbutton
}  // namespace pelmora
